#pragma once

#include "platform/win32/ui/WindowsApi.h"

namespace quorbin {

// The fonts of the main window at one DPI, or the nearest the machine has:
// - base: the window's default font, the system's message font;
// - caption: "MS Sans Serif" 12 pt bold (the time-out box and the elapsed time), else its
//   scalable successor "Microsoft Sans Serif", else the message font's face;
// - script: "Courier New" 9 pt (the script boxes), else the font mapper's fixed-pitch face.
// The window owns one set per DPI and makes a new set when it moves to a screen of
// another DPI.
class DesignFonts {
public:
    explicit DesignFonts(UINT dpi);
    ~DesignFonts();
    DesignFonts(const DesignFonts&) = delete;
    DesignFonts& operator=(const DesignFonts&) = delete;

    HFONT base() const { return base_; }
    HFONT caption() const { return caption_; }
    HFONT script() const { return script_; }

private:
    HFONT base_ = nullptr;
    HFONT caption_ = nullptr;
    HFONT script_ = nullptr;
};

} // namespace quorbin
