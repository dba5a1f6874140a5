// SPDX-License-Identifier: MIT
#include "quillet/commands/fabout.h"

#include "platform/core/message_boxes.h"
#include "platform/core/product.h"
#include "platform/core/shell.h"
#include "platform/core/system_info_locator.h"
#include "quillet/commands/help_commands.h"
#include "quillet/commands/link_label.h"
#include "quillet/commands/named_label.h"
#include "quillet/mainwindow/pictures.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillet
{

FAbout::FAbout(platform::Shell& shell, platform::MessageBoxes& messages, const platform::SystemInfoLocator* systemInfo,
    QWidget* parent)
    : QDialog(parent,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
            | Qt::MSWindowsFixedSizeDialogHint)
    , m_shell(shell)
    , m_messages(messages)
    , m_systemInfo(systemInfo)
{
    setObjectName(QStringLiteral("FAbout"));
    setWindowTitle(QStringLiteral("About Quillet"));
    createControls();
    layOut();

    // The link's hover look goes when the pointer moves over, or clicks on, the form or the texts beside it.
    setMouseTracking(true);
    for (QWidget* w :
        { static_cast<QWidget*>(this), static_cast<QWidget*>(Label2), static_cast<QWidget*>(lblDescription) }) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
    connect(lblCobbleton, &LinkLabel::clicked, this, [this] { m_shell.openAddress(MakerRootAddress()); });
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &FAbout::StartSysInfo);
}

void FAbout::createControls()
{
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QLatin1String(product::kTitle));
    Image1->setPixmap(pictures::WindowIcon().pixmap(48, 48));
    lblTitle = NamedLabel("lblTitle", QLatin1String(product::kTitle), this);
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    lblTitle->setFont(titleFont);
    lblVersion = NamedLabel("lblVersion", QStringLiteral("Version ") + QLatin1String(product::kVersion), this);
    lblDescription = NamedLabel("lblDescription",
        QStringLiteral("Lastbell Quillet allows you to place bids in the waning moments of online "
                       "auctions.  Visit us at:"),
        this);
    lblCobbleton = new LinkLabel(MakerHostCaption(), this);
    lblCobbleton->setObjectName(QStringLiteral("lblCobbleton"));
    Label2
        = NamedLabel("Label2", QStringLiteral("for other great services and software for online auction users."), this);
    Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    lblDisclaimer = NamedLabel("lblDisclaimer",
        QStringLiteral("Lastbell Quillet is free software, distributed under the MIT licence "
                       "without warranty of any kind. eBay is a trademark of eBay Inc.; this "
                       "program is not made or endorsed by eBay."),
        this);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    // Enter presses it unless another button has the focus; Escape rejects the dialog, which unloads it just the same.
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
}

void FAbout::layOut()
{
    auto* text = new QVBoxLayout;
    text->addWidget(lblTitle);
    text->addWidget(lblVersion);
    text->addSpacing(8);
    text->addWidget(lblDescription);
    text->addWidget(lblCobbleton);
    text->addWidget(Label2);

    auto* top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addLayout(text, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblDisclaimer, 1);
    bottom->addLayout(buttons);

    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(Line1);
    all->addLayout(bottom);
    all->setSizeConstraint(QLayout::SetFixedSize);
    lblDescription->setMinimumWidth(320);
    // The link above takes Tab too; the box still starts on OK, so Enter closes it.
    cmdOK->setFocus();
}

void FAbout::StartSysInfo()
{
    QString tool;
    if (!GetKeyValue(platform::KeyRoot::LocalMachine, QLatin1String(platform::kToolPathKey),
            QLatin1String(platform::kToolPathValue), tool)) {
        QString folder;
        const bool found = GetKeyValue(platform::KeyRoot::LocalMachine, QLatin1String(platform::kToolFolderKey),
            QLatin1String(platform::kToolFolderValue), folder);
        const QString inFolder = folder + QDir::separator() + QStringLiteral("MSINFO32.EXE");
        tool = found && QFileInfo::exists(inFolder) ? inFolder : QString();
    }
    if (tool.isEmpty() || !m_shell.startProgram(tool))
        m_messages.ask(this, QLatin1String(product::kTitle),
            QStringLiteral("System Information Is Unavailable At This Time"), platform::MessageIcon::None,
            platform::MessageButtons::Ok);
}

bool FAbout::GetKeyValue(
    platform::KeyRoot KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal) const
{
    KeyVal.clear();
    if (!m_systemInfo || !m_systemInfo->readValue(KeyRoot, KeyName, SubKeyRef, KeyVal))
        return false;
    // A stored value ends at its first NUL.
    const qsizetype end = KeyVal.indexOf(QChar(u'\0'));
    if (end >= 0)
        KeyVal.truncate(end);
    return true;
}

bool FAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonPress)
        lblCobbleton->resetLook();
    return QDialog::eventFilter(watched, event);
}

} // namespace quillet
