// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <initializer_list>
#include <optional>

namespace platform
{
class SettingsStore;
struct SettingsFailure;
} // namespace platform

namespace quillet
{

// Every section and key the program reads or writes, and the readers that apply their defaults.
namespace settings_keys
{

struct Key {
    const char* section;
    const char* key;
};

inline constexpr Key kStartScreen { "Settings", "StartScreen" };
inline constexpr Key kSite { "Settings", "Site" };
inline constexpr Key kTextLabels { "Settings", "TextLabels" };
inline constexpr Key kUser { "Main", "User" };
inline constexpr Key kPassword { "Main", "Password" };

// Booleans are stored as "N" for off and anything else for on.
inline constexpr char kOff[] = "N";

QString read(const platform::SettingsStore& store, Key key);
[[nodiscard]] bool write(platform::SettingsStore& store, Key key, const QString& value);

// A value for the key, or none: the key is taken out of the file.
struct Change {
    Key key;
    std::optional<QString> value;
};
// All of them reach the file, or none does.
[[nodiscard]] bool apply(platform::SettingsStore& store, std::initializer_list<Change> changes);

// "<what> could not be saved." with the file and the operating system's reason, for a message box.
QString SaveFailureText(const QString& what, const platform::SettingsFailure& failure);
// The same for another store than the settings file: where, and why.
QString SaveFailureText(const QString& what, const QString& where, const QString& why);

bool isOn(const QString& storedValue); // exact, case-sensitive: only "N" is off

// A stored site that is not a whole number from 1 to 7 reads as empty, which is site 1.
int siteIndexFromStored(const QString& storedValue);

} // namespace settings_keys

} // namespace quillet
