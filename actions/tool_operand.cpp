#include "tool_operand.h"

#include "text/ascii.h"
#include "text/display_text.h"

#include <algorithm>
#include <array>

namespace actions {
namespace {

// Windows' device names, read as devices whatever the folder and extension:
// "COM1", "nul.txt", "LPT¹". Compared without regard to case.
constexpr std::array<std::u32string_view, 6> devices = {U"CON", U"PRN", U"AUX", U"NUL", U"CONIN$", U"CONOUT$"};
constexpr std::array<std::u32string_view, 2> numberedDevices = {U"COM", U"LPT"};
constexpr std::u32string_view deviceDigits = U"0123456789\u00B9\u00B2\u00B3";

// The name before its first dot, blanks after it dropped, in capitals.
std::u32string baseName(std::wstring_view name) {
    std::u32string base;
    for (const wchar_t c : name.substr(0, name.find(L'.')))
        base += text::asciiUpper(static_cast<char32_t>(static_cast<char16_t>(c)));
    while (!base.empty() && base.back() == U' ') base.pop_back();
    return base;
}

bool isDevice(std::wstring_view name) {
    const std::u32string base = baseName(name);
    for (std::u32string_view device : devices)
        if (base == device) return true;
    for (std::u32string_view device : numberedDevices)
        if (base.size() == 4 && base.starts_with(device) && deviceDigits.find(base[3]) != std::u32string_view::npos)
            return true;
    return false;
}

template <class Char>
std::optional<std::string> patternIn(std::basic_string_view<Char> operand) {
    const Char wildcards[] = {'*', '?'};
    if (operand.find_first_of(wildcards, 0, 2) == std::basic_string_view<Char>::npos) return std::nullopt;
    return "Nothing was started: ucc would read the * or ? in " + text::displayText(operand) +
           " as a pattern and work on other files too.";
}

}  // namespace

std::optional<std::string> whyToolMisreads(std::string_view operand) { return patternIn(operand); }

std::optional<std::string> whyToolMisreads(std::wstring_view operand) {
    if (auto pattern = patternIn(operand)) return pattern;
    for (size_t start = 0; start < operand.size();) {
        const size_t end = std::min(operand.find_first_of(L"\\/", start), operand.size());
        const std::wstring_view name = operand.substr(start, end - start);
        start = end + 1;
        if (name.empty() || (name.size() == 2 && name[1] == L':')) continue;  // a drive's own part
        if (name.back() == L'.' || name.back() == L' ')
            return "Nothing was started: Windows drops the dot or blank at the end of a name in " +
                   text::displayText(operand) + ", so ucc would work on another file.";
        if (isDevice(name))
            return "Nothing was started: Windows reads " + text::displayText(operand) + " as a device, not as a file.";
    }
    return std::nullopt;
}

}  // namespace actions
