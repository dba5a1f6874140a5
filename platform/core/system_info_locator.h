// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace platform
{

enum class KeyRoot { LocalMachine, CurrentUser };

// Where the system-information tool lives, asked the way the registry is asked: a key under a root and a named
// value in it. True with the value's text when it was read; false with an empty text when key or value is absent.
class SystemInfoLocator
{
public:
    virtual ~SystemInfoLocator() = default;
    virtual bool readValue(KeyRoot root, const QString& keyName, const QString& valueName, QString& value) const = 0;
};

// The tool's key names, as the about box asks for them.
inline constexpr char kToolPathKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr char kToolPathValue[] = "PATH";
inline constexpr char kToolFolderKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr char kToolFolderValue[] = "MSINFO";

// Answers the two keys of the local-machine root with the first system-information program found on the search
// path: the path key with the program's full path, the folder key with its folder. Nothing found reads as absent.
class PathSystemInfoLocator final : public SystemInfoLocator
{
public:
    // Programs in order of preference; an empty search path means the PATH of the environment.
    explicit PathSystemInfoLocator(QStringList programs = defaultPrograms(), QStringList searchPath = {});

    bool readValue(KeyRoot root, const QString& keyName, const QString& valueName, QString& value) const override;

    static QStringList defaultPrograms();

private:
    QString findTool() const;

    QStringList m_programs;
    QStringList m_searchPath;
};

} // namespace platform
