#pragma once

#include "platform/SettingsStore.h"

#include <QString>

namespace quorbin {

// The per-user settings in QSettings' INI format, by default in the native place for
// organisation and application "quorbin": $XDG_CONFIG_HOME/quorbin/quorbin.conf.
//
// Every call opens the file afresh, so a read always sees what is on disk and the error
// state of one call never leaks into the next. QSettings writes through QSaveFile, so a
// write replaces the whole file by renaming a complete new one over it, and only when a
// value was written: a file it cannot parse is left as it is until then.
class QtSettingsStore final : public SettingsStore {
public:
    QtSettingsStore();
    explicit QtSettingsStore(QString filePath);

    std::optional<std::string> read(const std::string& section, const std::string& key) const override;
    Result<void> write(const std::string& section, const std::string& key, const std::string& value) override;

    const QString& filePath() const { return filePath_; }

private:
    bool holds(const std::string& section, const std::string& key, const std::string& value) const;

    QString filePath_;
};

} // namespace quorbin
