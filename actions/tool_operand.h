#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace actions {

// Why ucc, handed `operand` as its path, would work on other files than the
// one meant, or nothing when it would not. The tool expands "*" and "?"
// itself. On Windows (UTF-16 paths), the system's path rules also drop a dot
// or blank at the end of a name and read CON, NUL.txt or COM1 as devices.
// The text says what happened: "Nothing was started: ...".
std::optional<std::string> whyToolMisreads(std::string_view operand);
std::optional<std::string> whyToolMisreads(std::wstring_view operand);

}  // namespace actions
