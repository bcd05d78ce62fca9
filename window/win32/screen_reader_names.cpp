#include "window/win32/screen_reader_names.h"

#include <initguid.h>
#include <oleacc.h>

#include <memory>

namespace window {

namespace {

struct Release {
    void operator()(IUnknown* object) const { object->Release(); }
};

}  // namespace

bool nameForScreenReaders(HWND control, const std::wstring& name) {
    IAccPropServices* raw = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&raw))))
        return false;
    const std::unique_ptr<IAccPropServices, Release> services(raw);
    return SUCCEEDED(services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                                              name.c_str()));
}

}  // namespace window
