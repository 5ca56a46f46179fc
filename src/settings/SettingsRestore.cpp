#include "settings/SettingsRestore.h"

#include "core/Form.h"
#include "core/SettingsAccess.h"
#include "job/JobBuilder.h"
#include "settings/TemplateFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace quorbin {

namespace {

constexpr int startLeft = 100;
constexpr int startTop = 100;

// A stored width is a number of twips; anything else in the entry is not a width.
std::optional<double> widthFromText(const std::string& text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

// The four paths are all in place before the first box is filled, so the command line
// that each change handler rebuilds already sees every restored path.
void SettingsRestore::Form_Load() {
    BatchState& s = form_.state;
    const SettingsStore& store = form_.services.settings;
    s.exePath = readSetting(store, "file", "exePath", "");
    s.vcfPath = readSetting(store, "file", "vcfPath", "");
    s.avsPath = readSetting(store, "file", "avsPath", "");
    s.aviPath = readSetting(store, "file", "aviPath", "");
    form_.controls.boxVcf.setText(s.vcfPath);
    form_.controls.boxExe.setText(s.exePath);
    form_.controls.BoxTimeout.setText(readSetting(store, "setting", "timeout", "60"));
    enterWorkingFolder();
    templateFile_.loadTemplate();
    jobs_.makeCmdLine();
    restoreWidth();
    form_.controls.window.moveTo(startLeft, startTop);
}

// A working folder that is not stored yet, or no longer exists, leaves the current
// directory as it is: start-up goes on, and the first pick of input files sets it.
void SettingsRestore::enterWorkingFolder() {
    const std::string& folder = form_.state.aviPath;
    if (!folder.empty())
        (void)form_.services.files.setCurrentDirectory(folder);
}

// A width wider than this screen's work area (a window widened to the screen's edge, a
// larger monitor last time, another DPI) becomes the work area's width, and one below the
// window's minimum the minimum: the user's wide window stays as wide as it can, and the
// width save that follows never stores the designed width over it. Only a text that is
// no number keeps the designed width.
void SettingsRestore::restoreWidth() {
    Window& window = form_.controls.window;
    const int current = window.outerWidth();
    const auto stored =
        widthFromText(readSetting(form_.services.settings, "window", "width", std::to_string(current)));
    if (!stored)
        return;
    // Clamped before it becomes an int, so a huge number cannot wrap into a usable width.
    const double narrowest = window.minimumOuterWidth();
    const double widest = std::max(narrowest, static_cast<double>(window.screenWidth()));
    window.setOuterWidth(static_cast<int>(std::lround(std::clamp(*stored, narrowest, widest))));
}

void SettingsRestore::saveWidth() {
    writeSetting(form_.services.settings, "window", "width",
                 std::to_string(form_.controls.window.outerWidth()));
}

void SettingsRestore::boxExe_Change() {
    BatchState& s = form_.state;
    s.exePath = form_.controls.boxExe.text();
    writeSetting(form_.services.settings, "file", "exePath", s.exePath);
    jobs_.makeCmdLine();
}

void SettingsRestore::boxVcf_Change() {
    BatchState& s = form_.state;
    s.vcfPath = form_.controls.boxVcf.text();
    writeSetting(form_.services.settings, "file", "vcfPath", s.vcfPath);
    jobs_.makeCmdLine();
}

void SettingsRestore::BoxTimeout_Change() {
    writeSetting(form_.services.settings, "setting", "timeout", form_.controls.BoxTimeout.text());
}

} // namespace quorbin
