// The start-up of the Windows build's window, and of the bare Win32 window, as one
// program: the same libraries load for both, so the difference is what the tool does
// before its first paint (settings read, template loaded, layout done).
//
//   bench_win32_start --real|--bare    prints "painted <performance counter ns>" once the
//                                      window's first paint is done, and exits
//   bench_win32_start --prepare FOLDER fills FOLDER and stores the settings the real
//                                      window starts with
#include "BareWin32Window.h"
#include "FirstPaintWait.h"

#include "Win32SystemTool.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32SettingsStore.h"

#include <objbase.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace quorbin;

void painted() {
    std::printf("painted %lld\n", waitForFirstPaint());
    std::fflush(stdout);
    std::_Exit(0);
}

int prepare(const std::wstring& folder) {
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW((folder + L"\\clips").c_str(), nullptr);
    const std::string path = narrow(folder);
    Win32FileSystem files;
    Win32SettingsStore store;
    const bool stored =
        files.writeAll(path + "\\template.avs", "AVISource(\"$FILE\")\r\nConvertToYV12()\r\n").ok() &&
        files.writeAll(path + "\\settings.vcf", "VirtualDub.Open(\"\");\r\n").ok() &&
        store.write("file", "exePath", path + "\\program.exe").ok() &&
        store.write("file", "vcfPath", path + "\\settings.vcf").ok() &&
        store.write("file", "avsPath", path + "\\template.avs").ok() &&
        store.write("file", "aviPath", path + "\\clips\\").ok() &&
        store.write("setting", "timeout", "600000").ok();
    return stored ? 0 : 1;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"--real") {
        Win32SystemTool tool(GetModuleHandleW(nullptr));
        tool.start(SW_SHOWNORMAL);
        painted();
    }
    if (mode == L"--bare") {
        BareWin32Window window(GetModuleHandleW(nullptr));
        window.show(SW_SHOWNORMAL);
        painted();
    }
    if (mode == L"--prepare" && argc == 3)
        return prepare(argv[2]);
    std::fprintf(stderr, "usage: bench_win32_start --real|--bare | --prepare FOLDER\n");
    return 2;
}
