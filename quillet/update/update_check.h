// SPDX-License-Identifier: MIT
#pragma once

#include "platform/trust/update_folder.h"

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace platform
{
class HttpTransfer;
class InstanceLock;
class LocalFiles;
class MessageBoxes;
class Shell;
} // namespace platform

namespace quillet
{

// The version check at start-up: reads the published version, checks the maker's signed manifest of it, and
// hands over to Freshbolt when the user agrees. A publication that fails a check is never offered, and nobody is
// told, as for a version page that cannot be fetched.
class UpdateCheck final : public QObject
{
    Q_OBJECT
public:
    // Shows the offer modally over the owner; true when the user chose to update now.
    using Prompt = std::function<bool(QWidget* owner)>;

    // `files` reads the release recorded in the program folder; `updaterLock` is the updater's lock on it.
    UpdateCheck(platform::HttpTransfer& intUpdate, platform::Shell& shell, platform::MessageBoxes& messageBoxes,
        platform::LocalFiles& files, platform::InstanceLock& updaterLock, QString programFolder, QWidget* owner,
        Prompt prompt = {});

    void CheckForUpdate();

signals:
    // Freshbolt runs: Quillet must end so that its program file can be replaced.
    void quitForUpdate();

private:
    // What the one transfer is fetching.
    enum class Stage { Idle, VersionPage, Manifest, Signature };

    void StateChanged(int state);
    void ReadVersionReply();
    void Fetch(Stage stage, const char* name);
    platform::FetchedFile ReadFetched(int state, qsizetype maxBytes);
    void Offer();

    platform::HttpTransfer& intUpdate;
    platform::Shell& m_shell;
    platform::MessageBoxes& m_messageBoxes;
    QString m_programFolder;
    QWidget* m_owner;
    Prompt m_prompt;
    platform::LocalFiles& m_files;
    platform::InstanceLock& m_updaterLock;
    Stage m_stage = Stage::Idle;
    QString m_version; // the version page's
    platform::FetchedFile m_manifest;
};

} // namespace quillet
