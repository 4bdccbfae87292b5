#include "platform/QtSettingsStore.h"

#include <QSettings>
#include <QStringList>

#include <limits>

namespace {

bool FitsInt32(qlonglong value) {
    return value >= std::numeric_limits<int32_t>::min() &&
           value <= std::numeric_limits<int32_t>::max();
}

} // namespace

QtSettingsStore::QtSettingsStore(const std::string& defaultsFolder) {
    if (!defaultsFolder.empty()) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope,
                           QString::fromStdString(defaultsFolder));
    }
}

std::unique_ptr<QSettings> QtSettingsStore::Open(const std::string& key) {
    const QStringList parts = QString::fromStdString(key).split(QLatin1Char('\\'));
    if (parts.size() < 2 || parts.size() > 3 || parts[0] != QLatin1String("Software") ||
        parts.contains(QString())) {
        return nullptr;
    }
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, parts[1],
                                       parts.size() == 3 ? parts[2] : QString());
}

bool QtSettingsStore::OpenKey(const std::string& key, bool create) {
    const std::unique_ptr<QSettings> settings = Open(key);
    return settings && (create || !settings->allKeys().isEmpty());
}

SettingRead<std::string> QtSettingsStore::ReadString(const std::string& key,
                                                     const std::string& name) {
    const std::unique_ptr<QSettings> settings = Open(key);
    const QString valueName = QString::fromStdString(name);
    if (!settings || !settings->contains(valueName)) {
        return {SettingStatus::Missing, {}};
    }
    const QVariant value = settings->value(valueName);
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::QByteArray:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return {SettingStatus::Ok, value.toString().toStdString()};
    default:
        // An unquoted comma makes a list of a text file's value, for one.
        return {SettingStatus::WrongType, {}};
    }
}

SettingRead<int32_t> QtSettingsStore::ReadInteger(const std::string& key, const std::string& name) {
    const std::unique_ptr<QSettings> settings = Open(key);
    const QString valueName = QString::fromStdString(name);
    if (!settings || !settings->contains(valueName)) {
        return {SettingStatus::Missing, 0};
    }
    const QVariant value = settings->value(valueName);
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
    const std::unique_ptr<QSettings> settings = Open(key);
    if (!settings || !settings->isWritable()) {
        return false;
    }
    settings->setValue(QString::fromStdString(name), value);
    settings->sync();
    return settings->status() == QSettings::NoError;
}
