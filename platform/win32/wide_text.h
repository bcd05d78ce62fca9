#pragma once

#include <string>
#include <string_view>

namespace platform {

// UTF-16 to UTF-8 and back, for the system's texts and the controls. A lone
// surrogate becomes U+FFFD: names are never converted on their way to an
// action, only for showing.
std::string toUtf8(std::wstring_view text);
std::wstring fromUtf8(std::string_view text);

}  // namespace platform
