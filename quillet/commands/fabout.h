// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace platform
{
class MessageBoxes;
class Shell;
class SystemInfoLocator;
enum class KeyRoot;
} // namespace platform

namespace quillet
{

class LinkLabel;

// The about box: title, version, the maker's link and the way to the system-information tool.
class FAbout final : public QDialog
{
    Q_OBJECT
public:
    // Without a locator the system-information tool counts as not installed.
    FAbout(platform::Shell& shell, platform::MessageBoxes& messages, const platform::SystemInfoLocator* systemInfo,
        QWidget* parent = nullptr);

    void StartSysInfo();
    bool GetKeyValue(
        platform::KeyRoot KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void layOut();

    platform::Shell& m_shell;
    platform::MessageBoxes& m_messages;
    const platform::SystemInfoLocator* m_systemInfo;

    QLabel* Image1 = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    LinkLabel* lblCobbleton = nullptr;
    QLabel* Label2 = nullptr;
    QFrame* Line1 = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
};

} // namespace quillet
