#include "accessibility.h"

#include "handles.h"
#include "win32controls.h"

#include <oleacc.h>

namespace bitki::win32 {

void nameControls(const std::array<HWND, design::AccessibleTexts.size()>& controls)
{
    IAccPropServices* created = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
            reinterpret_cast<void**>(&created)))
        || created == nullptr) {
        return;
    }
    const ComPointer<IAccPropServices> services(created);
    for (const design::AccessibleText& text : design::AccessibleTexts) {
        HWND control = controls.at(static_cast<std::size_t>(text.control));
        services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
            toUtf16(text.name).c_str());
        services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
            PROPID_ACC_DESCRIPTION, toUtf16(text.description).c_str());
    }
}

} // namespace bitki::win32
