#!/usr/bin/env python3
"""Writes text/unicode_tables.inc from the Unicode Character Database.

Run it when the Unicode version changes (Debian's unicode-data package puts
the files in /usr/share/unicode):

    tools/unicode/make_tables.py /usr/share/unicode > text/unicode_tables.inc
"""
import sys
from pathlib import Path

ucd = Path(sys.argv[1] if len(sys.argv) > 1 else "/usr/share/unicode")


def ranges(file, wanted):
    """Code points whose property field (second) is in `wanted`."""
    out = set()
    for line in (ucd / file).read_text(encoding="utf-8").splitlines():
        fields = [f.strip() for f in line.split("#")[0].split(";")]
        if len(fields) < 2 or fields[1] not in wanted:
            continue
        if len(fields) > 2 and fields[2] not in wanted.get(fields[1], {fields[2]}):
            continue
        first, _, last = fields[0].partition("..")
        out.update(range(int(first, 16), int(last or first, 16) + 1))
    return out


def unicode_data():
    """(code point, category, canonical decomposition) for every assigned one."""
    rows = []
    lines = iter((ucd / "UnicodeData.txt").read_text(encoding="utf-8").splitlines())
    for line in lines:
        f = line.split(";")
        code = int(f[0], 16)
        if f[1].endswith("First>"):
            last = int(next(lines).split(";")[0], 16)
            rows += [(c, f[2], "") for c in range(code, last + 1)]
        else:
            rows.append((code, f[2], f[5]))
    return rows


data = unicode_data()
assigned = {code for code, _, _ in data}
hidden = set(range(0x110000)) - assigned                          # unassigned: all show as one box
hidden |= {c for c, category, _ in data if category in ("Cc", "Co", "Cs", "Zl", "Zp")}
hidden |= ranges("DerivedCoreProperties.txt", {"Default_Ignorable_Code_Point": None})
hidden |= ranges("PropList.txt", {"Bidi_Control": None, "White_Space": None})
hidden |= ranges("DerivedNormalizationProps.txt", {"NFC_QC": {"N"}})  # never in composed text
hidden |= {0x2800}                                                # a blank braille cell
hidden.discard(0x20)                                              # a blank shows, but at either end

excluded = ranges("DerivedNormalizationProps.txt", {"Full_Composition_Exclusion": None})
pairs = sorted(
    tuple(int(part, 16) for part in decomposition.split())
    for code, _, decomposition in data
    if decomposition and not decomposition.startswith("<") and len(decomposition.split()) == 2 and code not in excluded
)

merged = []
for c in sorted(hidden):
    if merged and merged[-1][1] + 1 == c:
        merged[-1][1] = c
    else:
        merged.append([c, c])


def rows(items, per_line=6):
    items = list(items)
    for i in range(0, len(items), per_line):
        print("    " + ", ".join(items[i:i + per_line]) + ",")


version = (ucd / "DerivedCoreProperties.txt").read_text(encoding="utf-8").splitlines()[0].lstrip("# ")
print(f"// Made by tools/unicode/make_tables.py from {version} and its companions.")
print("// Code points that show as nothing, as a blank, as a box like any other, or")
print("// like another code point: first and last of each run.")
print("constexpr CodeRange hiddenCodePoints[] = {")
rows(f"{{0x{first:X}, 0x{last:X}}}" for first, last in merged)
print("};")
print("// Pairs that compose into one code point: a name holding the pair looks like")
print("// one holding the composed form.")
print("constexpr CodePair composingPairs[] = {")
rows(f"{{0x{first:X}, 0x{second:X}}}" for first, second in pairs)
print("};")

folds = []
for line in (ucd / "CaseFolding.txt").read_text(encoding="utf-8").splitlines():
    fields = [f.strip() for f in line.split("#")[0].split(";")]
    if len(fields) >= 3 and fields[1] in ("C", "S"):
        folds.append((int(fields[0], 16), int(fields[2], 16)))
print("// Each code point that simple case folding changes, and what it becomes: what")
print("// type-ahead compares, so that typing r finds README as well as real.")
print("constexpr CodePair simpleCaseFolds[] = {")
rows(f"{{0x{code:X}, 0x{folded:X}}}" for code, folded in sorted(folds))
print("};")
