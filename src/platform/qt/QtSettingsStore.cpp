#include "platform/qt/QtSettingsStore.h"

#include "platform/qt/QtText.h"

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

bool QtSettingsStore::write(const std::string& section, const std::string& key, const std::string& value) {
    QSettings settings(filePath_, QSettings::IniFormat);
    settings.setAtomicSyncRequired(true);
    settings.setValue(entryKey(section, key), toQString(value));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace quorbin
