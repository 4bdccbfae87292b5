#include "platform/QtSettingsStore.h"

#include <QSettings>
#include <QStringList>

#include <limits>
#include <memory>
#include <optional>

namespace {

bool FitsInt32(qlonglong value) {
    return value >= std::numeric_limits<int32_t>::min() &&
           value <= std::numeric_limits<int32_t>::max();
}

std::unique_ptr<QSettings> Open(const std::string& key, QSettings::Scope scope) {
    const QStringList parts = QString::fromStdString(key).split(QLatin1Char('\\'));
    if (parts.size() < 2 || parts.size() > 3 || parts[0] != QLatin1String("Software") ||
        parts.contains(QString())) {
        return nullptr;
    }
    auto settings = std::make_unique<QSettings>(QSettings::NativeFormat, scope, parts[1],
                                                parts.size() == 3 ? parts[2] : QString());
    // Each key reads its own file: the organisation's values are not the application's.
    settings->setFallbacksEnabled(false);
    return settings;
}

// The value from the user's file, else from the installation's defaults.
std::optional<QVariant> Lookup(const std::string& key, const std::string& name) {
    const QString valueName = QString::fromStdString(name);
    for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope}) {
        const std::unique_ptr<QSettings> settings = Open(key, scope);
        if (settings && settings->contains(valueName)) {
            return settings->value(valueName);
        }
    }
    return std::nullopt;
}

} // namespace

QtSettingsStore::QtSettingsStore(const std::string& defaultsFolder) {
    if (!defaultsFolder.empty()) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope,
                           QString::fromStdString(defaultsFolder));
    }
}

bool QtSettingsStore::OpenKey(const std::string& key, bool create) {
    const std::unique_ptr<QSettings> user = Open(key, QSettings::UserScope);
    return user && (create || !user->allKeys().isEmpty() ||
                    !Open(key, QSettings::SystemScope)->allKeys().isEmpty());
}

SettingRead<std::string> QtSettingsStore::ReadString(const std::string& key,
                                                     const std::string& name) {
    const std::optional<QVariant> value = Lookup(key, name);
    if (!value) {
        return {SettingStatus::Missing, {}};
    }
    switch (value->typeId()) {
    case QMetaType::QString:
    case QMetaType::QByteArray:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return {SettingStatus::Ok, value->toString().toStdString()};
    default:
        // An unquoted comma makes a list of a text file's value, for one.
        return {SettingStatus::WrongType, {}};
    }
}

SettingRead<int32_t> QtSettingsStore::ReadInteger(const std::string& key, const std::string& name) {
    const std::optional<QVariant> found = Lookup(key, name);
    if (!found) {
        return {SettingStatus::Missing, 0};
    }
    const QVariant& value = *found;
    bool ok = false;
    qlonglong number = 0;
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::QByteArray:
        number = value.toString().trimmed().toLongLong(&ok, 10);
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        number = value.toLongLong(&ok);
        break;
    default:
        break;
    }
    if (!ok || !FitsInt32(number)) {
        return {SettingStatus::WrongType, 0};
    }
    return {SettingStatus::Ok, static_cast<int32_t>(number)};
}

bool QtSettingsStore::WriteInteger(const std::string& key, const std::string& name, int32_t value) {
    const std::unique_ptr<QSettings> settings = Open(key, QSettings::UserScope);
    if (!settings || !settings->isWritable()) {
        return false;
    }
    settings->setValue(QString::fromStdString(name), value);
    settings->sync();
    return settings->status() == QSettings::NoError;
}
