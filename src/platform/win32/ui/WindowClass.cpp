#include "platform/win32/ui/WindowClass.h"

namespace quorbin {

void registerWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof(type);
    if (GetClassInfoExW(instance, name, &type))
        return;
    type.lpfnWndProc = procedure;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = name;
    RegisterClassExW(&type);
}

} // namespace quorbin
