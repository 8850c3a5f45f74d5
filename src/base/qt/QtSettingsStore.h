// The user preferences as an INI file through QSettings: ~/.config/Dunmere/Corvane.ini (the XDG
// config home), with the sections and value names of SettingsKeys.h. Strings are Shift-JIS to the
// core and UTF-8 in the file, so the file stays readable and editable by hand.
#pragma once

#include "base/Settings.h"

#include <QSettings>

#include <memory>

class QString;

namespace corvane {

class QtSettingsStore : public SettingsStore
{
public:
    /// The user's file: organisation "Dunmere", application "Corvane", INI format, user scope.
    QtSettingsStore();
    /// A file of the caller's choosing (tests, a portable set-up).
    explicit QtSettingsStore(const QString& iniFilePath);
    ~QtSettingsStore() override;

    int readInt(std::string_view section, std::string_view name, int defaultValue) const override;
    SjisString readString(std::string_view section, std::string_view name,
                          SjisView defaultValue) const override;
    void writeInt(std::string_view section, std::string_view name, int value) override;
    void writeString(std::string_view section, std::string_view name, SjisView value) override;

    /// Writes pending changes to the file now (QSettings otherwise writes them later or when the
    /// store is destroyed). Returns false when the file could not be written.
    bool flush();
    /// The INI file in use.
    QString fileName() const;

private:
    std::unique_ptr<QSettings> settings_;
};

} // namespace corvane
