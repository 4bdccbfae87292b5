#pragma once
// The settings store kept with QSettings. A key path "Software\<organisation>\<application>"
// is the application's settings of that organisation, "Software\<organisation>" the
// organisation's own; other paths cannot be opened. Values the user has not set fall back to
// the defaults an installation provides for the same key (see the constructor), never to
// another key's values.

#include "platform/SettingsStore.h"

#include <string>

class QtSettingsStore : public ISettingsStore {
  public:
    // defaultsFolder holds settings files laid out like the user's own ("<organisation>.conf",
    // "<organisation>/<application>.conf"); empty leaves the system-wide defaults alone. It
    // replaces the system-wide settings folder for the whole process.
    explicit QtSettingsStore(const std::string& defaultsFolder);

    bool OpenKey(const std::string& key, bool create) override;
    SettingRead<std::string> ReadString(const std::string& key, const std::string& name) override;
    SettingRead<int32_t> ReadInteger(const std::string& key, const std::string& name) override;
    bool WriteInteger(const std::string& key, const std::string& name, int32_t value) override;
};
