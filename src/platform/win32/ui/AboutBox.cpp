#include "platform/win32/ui/AboutBox.h"

namespace quorbin {

void showAboutBox(HWND owner) {
    MessageBoxW(owner,
                L"Quorbin " QUORBIN_VERSION L"\n\n"
                L"Runs a video processing program over a batch of files, one file at a time.\n\n"
                L"Quorbin is free software under the MIT licence.",
                L"About Quorbin", MB_OK | MB_ICONINFORMATION);
}

} // namespace quorbin
