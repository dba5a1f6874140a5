// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace platform
{
class HttpTransfer;
class MessageBoxes;
class Shell;
} // namespace platform

namespace quillet
{

// The version check at start-up: reads the published version and hands over to Freshbolt when the user agrees.
class UpdateCheck final : public QObject
{
    Q_OBJECT
public:
    // Shows the offer modally over the owner; true when the user chose to update now.
    using Prompt = std::function<bool(QWidget* owner)>;

    UpdateCheck(platform::HttpTransfer& intUpdate, platform::Shell& shell, platform::MessageBoxes& messageBoxes,
        QString programFolder, QWidget* owner, Prompt prompt = {});

    void CheckForUpdate();

signals:
    // Freshbolt runs: Quillet must end so that its program file can be replaced.
    void quitForUpdate();

private:
    void StateChanged(int state);
    void ReadVersionReply();

    platform::HttpTransfer& intUpdate;
    platform::Shell& m_shell;
    platform::MessageBoxes& m_messageBoxes;
    QString m_programFolder;
    QWidget* m_owner;
    Prompt m_prompt;
};

} // namespace quillet
