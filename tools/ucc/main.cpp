// ucc: a small stand-in for the packer, for machines that lack the real one.
//   ucc compress FILE       writes FILE.gz beside FILE
//   ucc compress DIR/*      does so for every plain, visible file of DIR but .gz ones
//   ucc decompress FILE.gz  writes FILE beside FILE.gz
// (DIR\* on Windows.) It never replaces an existing file, prints a line per
// file it wrote, and exits 1 when any file failed. It expands the wildcard
// itself: on Windows no shell does.

#include "failure.h"
#include "gzip_copy.h"
#include "output_file.h"
#include "system.h"

#include <algorithm>
#include <iostream>
#include <vector>

namespace {

using Path = std::filesystem::path;

bool isFolderWildcard(const NativeString& operand) {
    const auto separator = [](auto c) { return c == '/' || (Path::preferred_separator == '\\' && c == '\\'); };
    return operand.size() >= 2 && operand.back() == '*' && separator(operand[operand.size() - 2]);
}

// DIR/* names DIR's visible plain files; anything else names itself.
std::vector<Path> expand(const NativeString& operand) {
    if (!isFolderWildcard(operand)) return {operand};
    std::vector<Path> files;
    for (Path& entry : visibleEntries(operand.substr(0, operand.size() - 1)))
        if (!endsWithGz(entry.filename().native()) && isPlainFile(entry)) files.push_back(std::move(entry));
    std::sort(files.begin(), files.end());
    return files;
}

void compress(const Path& file) {
    if (!isPlainFile(file)) throw Failure(file, "not a plain file");
    const Path packed = file.native() + NativeString{'.', 'g', 'z'};
    OutputFile output(packed);
    compressInto(file, output.descriptor());
    output.publish();
    say("wrote " + shown(packed));
}

void decompress(const Path& file) {
    const NativeString& name = file.native();
    if (!endsWithGz(name)) throw Failure(file, "does not end in .gz");
    const Path restored = name.substr(0, name.size() - 3);
    OutputFile output(restored);
    decompressInto(file, output.descriptor());
    output.publish();
    say("wrote " + shown(restored));
}

int run(const std::vector<NativeString>& arguments) {
    const NativeString compressVerb{'c', 'o', 'm', 'p', 'r', 'e', 's', 's'};
    const bool compressing = arguments.size() == 2 && arguments[0] == compressVerb;
    const bool decompressing = arguments.size() == 2 && arguments[0] == NativeString{'d', 'e'} + compressVerb;
    if (!compressing && !decompressing) {
        std::cerr << "usage: ucc compress FILE | ucc compress DIR/* | ucc decompress FILE.gz\n";
        return 2;
    }
    int failed = 0;
    try {
        for (const Path& file : compressing ? expand(arguments[1]) : std::vector<Path>{arguments[1]}) {
            try {
                compressing ? compress(file) : decompress(file);
            } catch (const Failure& failure) {
                std::cerr << "ucc: " << failure.what() << "\n";
                ++failed;
            }
        }
    } catch (const Failure& failure) {
        std::cerr << "ucc: " << failure.what() << "\n";
        return 1;
    }
    if (failed) std::cerr << "ucc: " << failed << (failed == 1 ? " file" : " files") << " failed\n";
    return failed ? 1 : 0;
}

}  // namespace

#ifdef _WIN32
// The arguments as UTF-16, so every name arrives exactly.
int wmain(int argc, wchar_t** argv) { return run(std::vector<NativeString>(argv + 1, argv + argc)); }
#else
int main(int argc, char** argv) { return run(std::vector<NativeString>(argv + 1, argv + argc)); }
#endif
