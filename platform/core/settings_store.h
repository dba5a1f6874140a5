// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QSettings;

namespace platform
{

// Why a write did not reach the disk: the file and the operating system's reason.
struct SettingsFailure {
    QString fileName;
    QString reason;
};

// One value to store, or without a value: the key to take out.
struct SettingsChange {
    QString section;
    QString key;
    std::optional<QString> value;
};

// Per-user string values by section and key; an absent key reads as the empty string.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    virtual QString read(const QString& section, const QString& key) const = 0;
    // False when the value could not be stored; the file on disk stays as it was. lastFailure() tells why.
    [[nodiscard]] virtual bool write(const QString& section, const QString& key, const QString& value) = 0;
    // All the changes reach the file together, or none does (then as write()).
    [[nodiscard]] virtual bool apply(const QList<SettingsChange>& changes) = 0;
    virtual SettingsFailure lastFailure() const = 0;
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
    [[nodiscard]] bool write(const QString& section, const QString& key, const QString& value) override;
    [[nodiscard]] bool apply(const QList<SettingsChange>& changes) override;
    SettingsFailure lastFailure() const override;
    QString fileName() const;

private:
    void set(const SettingsChange& change);

    std::function<std::unique_ptr<QSettings>()> m_open;
    std::unique_ptr<QSettings> m_settings;
    bool m_failedBefore = false;
    SettingsFailure m_failure;
};

} // namespace platform
