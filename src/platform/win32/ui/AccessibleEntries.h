#pragma once

#include "platform/win32/ui/WindowsApi.h"

#include <string>

struct IAccPropServices;

namespace quorbin {

// What a screen reader is told of a list box's entries beyond their text: a name and a
// description laid over the list box's own accessible object, by child id (an entry's
// index + 1, so they move when entries move).
class AccessibleEntries {
public:
    virtual ~AccessibleEntries() = default;
    virtual void describe(int childId, const std::wstring& name, const std::wstring& description) = 0;
    // The entry is read by its text alone again.
    virtual void forget(int childId) = 0;
};

// Through the accessibility service's annotations (IAccPropServices), which it makes at
// the first use. Without the service (as under Wine, where SetHwndPropStr is a stub) the
// entries are read by their text alone.
class AccPropEntries final : public AccessibleEntries {
public:
    explicit AccPropEntries(HWND list) : list_(list) {}
    ~AccPropEntries() override;
    AccPropEntries(const AccPropEntries&) = delete;
    AccPropEntries& operator=(const AccPropEntries&) = delete;

    void describe(int childId, const std::wstring& name, const std::wstring& description) override;
    void forget(int childId) override;

private:
    IAccPropServices* service();

    HWND list_;
    IAccPropServices* service_ = nullptr;
    bool tried_ = false;
};

} // namespace quorbin
