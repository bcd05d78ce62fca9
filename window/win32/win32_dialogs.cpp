#include "window/win32/win32_dialogs.h"

#include "platform/win32/wide_text.h"
#include "window/form_description.h"

namespace window {
namespace {

std::wstring title() { return platform::fromUtf8(form1.boxTitle); }

std::wstring box(const std::string& text, const std::string& beneath) {
    return platform::fromUtf8(beneath.empty() ? text : text + "\n\n" + beneath);
}

}  // namespace

bool Win32Dialogs::confirm(const std::string& text, const std::string& detail) {
    return MessageBoxW(owner_, box(text, detail).c_str(), title().c_str(), MB_YESNO | MB_DEFBUTTON1) == IDYES;
}

void Win32Dialogs::report(const std::string& description, const std::string& subject) {
    MessageBoxW(owner_, box(description, subject).c_str(), title().c_str(), MB_OK | MB_ICONWARNING);
}

}  // namespace window
