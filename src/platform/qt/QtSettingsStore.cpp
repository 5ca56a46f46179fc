#include "platform/qt/QtSettingsStore.h"

#include "platform/qt/QtText.h"

#include <QFile>
#include <QSettings>
#include <QStringList>

namespace quorbin {

namespace {

QString nativeSettingsPath() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("quorbin"),
                     QStringLiteral("quorbin"))
        .fileName();
}

QString entryKey(const std::string& section, const std::string& key) {
    return toQString(section) + QLatin1Char('/') + toQString(key);
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QtSettingsStore::QtSettingsStore() : filePath_(nativeSettingsPath()) {}

QtSettingsStore::QtSettingsStore(QString filePath) : filePath_(std::move(filePath)) {}

std::optional<std::string> QtSettingsStore::read(const std::string& section, const std::string& key) const {
    const QSettings settings(filePath_, QSettings::IniFormat);
    const QVariant value = settings.value(entryKey(section, key));
    if (!value.isValid())
        return std::nullopt;
    // Values written here are always quoted as needed; an unquoted list of commas typed
    // into the file by hand is read back as the text it was.
    if (value.userType() == QMetaType::QStringList)
        return toUtf8(value.toStringList().join(QLatin1Char(',')));
    return toUtf8(value.toString());
}

// Start-up hands every restored value back to the store through the boxes' change
// handlers; a value that is already on disk as that very text is not written again, which
// spares start-up a new file and a rename for each of them.
Result<void> QtSettingsStore::write(const std::string& section, const std::string& key,
                                    const std::string& value) {
    if (holds(section, key, value))
        return Ok{};
    const QByteArray before = fileBytes(filePath_);
    QSettings settings(filePath_, QSettings::IniFormat);
    settings.setAtomicSyncRequired(true);
    settings.setValue(entryKey(section, key), toQString(value));
    settings.sync();
    const Failure unwritten{"Cannot write the setting " + section + "/" + key + " to \"" + toUtf8(filePath_) +
                            "\"."};
    switch (settings.status()) {
    case QSettings::NoError:
        return Ok{};
    case QSettings::FormatError:
        // QSettings reports that the earlier file could not be parsed even when it then
        // wrote the new one (and, keeping its first error, would report nothing worse).
        // A new file is parseable, so it differs from the old one if and only if it was
        // written.
        if (fileBytes(filePath_) != before)
            return Ok{};
        return unwritten;
    case QSettings::AccessError:
        return unwritten;
    }
    return unwritten;
}

bool QtSettingsStore::holds(const std::string& section, const std::string& key,
                            const std::string& value) const {
    const QSettings settings(filePath_, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return false;
    const QVariant stored = settings.value(entryKey(section, key));
    return stored.userType() == QMetaType::QString && stored.toString() == toQString(value);
}

} // namespace quorbin
