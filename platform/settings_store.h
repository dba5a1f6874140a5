// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <memory>

class QSettings;

namespace platform
{

// Per-user string values by section and key; an absent key reads as the empty string.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    virtual QString read(const QString& section, const QString& key) const = 0;
    // False when the value could not be stored; what was stored before stays.
    virtual bool write(const QString& section, const QString& key, const QString& value) = 0;
};

// The INI file under the XDG config folder. It holds the saved password, so it is made owner-only when it is
// opened and kept so.
class IniSettingsStore final : public SettingsStore
{
public:
    IniSettingsStore(); // the user's own file
    explicit IniSettingsStore(const QString& fileName);
    ~IniSettingsStore() override;

    QString read(const QString& section, const QString& key) const override;
    bool write(const QString& section, const QString& key, const QString& value) override;
    QString fileName() const;

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace platform
