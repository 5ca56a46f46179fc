#pragma once

#include "platform/SettingsStore.h"

#include <string>

namespace quorbin {

// A private folder for one measured window: the batch's working folder (clips/), the
// template and the processing settings file, and the settings that let start-up run
// without asking anything (a template that loads, a working folder that exists, a
// time-out long enough that no job is ended while it is watched).
class WorkFolder {
public:
    // A new folder under the system's temporary folder, removed again at the end.
    WorkFolder();
    // An existing folder, filled but kept.
    explicit WorkFolder(std::string path);
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    const std::string& path() const { return path_; }
    // The working folder of the batch, ending in a separator as the core keeps it.
    std::string clips() const { return path_ + "/clips/"; }
    std::string settingsFile() const { return path_ + "/quorbin.conf"; }

    // The stored paths start-up restores, with exe as the processing program.
    void writeSettings(SettingsStore& store, const std::string& exe) const;

private:
    void fill() const;

    std::string path_;
    bool owned_;
};

} // namespace quorbin
