#include "Win32SystemTool.h"

#include <objbase.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    using namespace quorbin;
    // The list views and their check boxes, and COM for the file dialog and the names
    // the controls give screen readers.
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    int exitCode = 1;
    {
        Win32SystemTool tool(instance);
        if (tool.window().handle()) {
            tool.start(showCommand);
            exitCode = tool.window().run();
        } else {
            MessageBoxW(nullptr, L"The main window could not be created.", L"quorbin", MB_OK);
        }
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return exitCode;
}
