#include "platform/win32/ui/DesignFonts.h"

#include <cwchar>
#include <initializer_list>

namespace quorbin {

namespace {

int CALLBACK stopAtFirst(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM) {
    return 0;
}

// The font mapper answers any family with its best substitute, so the family is looked
// for among the installed fonts instead.
bool installed(const wchar_t* family) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(wanted.lfFaceName, family, LF_FACESIZE - 1);
    HDC screen = GetDC(nullptr);
    const bool found = EnumFontFamiliesExW(screen, &wanted, stopAtFirst, 0, 0) == 0;
    ReleaseDC(nullptr, screen);
    return found;
}

LOGFONTW messageFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi))
        return metrics.lfMessageFont;
    LOGFONTW fallback{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(fallback), &fallback);
    return fallback;
}

// Sets the face to the first installed family of the list; false when none is.
bool useFirstInstalled(LOGFONTW& font, std::initializer_list<const wchar_t*> families) {
    for (const wchar_t* family : families) {
        if (installed(family)) {
            std::wcsncpy(font.lfFaceName, family, LF_FACESIZE - 1);
            return true;
        }
    }
    return false;
}

int pointsToHeight(int points, UINT dpi) {
    return -MulDiv(points, static_cast<int>(dpi), 72);
}

} // namespace

DesignFonts::DesignFonts(UINT dpi) {
    const LOGFONTW message = messageFont(dpi);
    base_ = CreateFontIndirectW(&message);

    LOGFONTW caption = message;
    useFirstInstalled(caption, {L"MS Sans Serif", L"Microsoft Sans Serif"});
    caption.lfHeight = pointsToHeight(12, dpi);
    caption.lfWeight = FW_BOLD;
    caption_ = CreateFontIndirectW(&caption);

    LOGFONTW script{};
    script.lfCharSet = DEFAULT_CHARSET;
    script.lfHeight = pointsToHeight(9, dpi);
    script.lfWeight = FW_NORMAL;
    script.lfQuality = message.lfQuality;
    if (!useFirstInstalled(script, {L"Courier New"}))
        script.lfPitchAndFamily = FIXED_PITCH | FF_MODERN; // no face: the mapper's fixed-pitch choice
    script_ = CreateFontIndirectW(&script);
}

DesignFonts::~DesignFonts() {
    for (HFONT font : {base_, caption_, script_})
        if (font)
            DeleteObject(font);
}

} // namespace quorbin
