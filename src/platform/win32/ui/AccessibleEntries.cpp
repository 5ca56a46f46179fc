#include "platform/win32/ui/AccessibleEntries.h"

#include <oleacc.h>

namespace quorbin {

AccPropEntries::~AccPropEntries() {
    if (service_)
        service_->Release();
}

IAccPropServices* AccPropEntries::service() {
    if (!tried_) {
        tried_ = true;
        if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IAccPropServices, reinterpret_cast<void**>(&service_))))
            service_ = nullptr;
    }
    return service_;
}

void AccPropEntries::describe(int childId, const std::wstring& name, const std::wstring& description) {
    IAccPropServices* annotations = service();
    if (!annotations)
        return;
    const auto id = static_cast<DWORD>(childId);
    annotations->SetHwndPropStr(list_, static_cast<DWORD>(OBJID_CLIENT), id, PROPID_ACC_NAME, name.c_str());
    annotations->SetHwndPropStr(list_, static_cast<DWORD>(OBJID_CLIENT), id, PROPID_ACC_DESCRIPTION,
                                description.c_str());
    // A screen reader that has read the entry before hears the new name.
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, list_, OBJID_CLIENT, childId);
}

void AccPropEntries::forget(int childId) {
    IAccPropServices* annotations = service();
    if (!annotations)
        return;
    MSAAPROPID properties[] = {PROPID_ACC_NAME, PROPID_ACC_DESCRIPTION};
    annotations->ClearHwndProps(list_, static_cast<DWORD>(OBJID_CLIENT), static_cast<DWORD>(childId),
                                properties, 2);
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, list_, OBJID_CLIENT, childId);
}

} // namespace quorbin
