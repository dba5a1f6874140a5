// SPDX-License-Identifier: MIT
#include "quillet/app/fstart.h"

#include "platform/core/product.h"
#include "platform/core/shell.h"
#include "platform/core/twips.h"
#include "platform/ui/design_controls.h"
#include "quillet/commands/help_commands.h"
#include "quillet/commands/link_label.h"
#include "quillet/commands/named_label.h"
#include "quillet/mainwindow/pictures.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillet
{

namespace
{

void makeHeading(QLabel* l)
{
    QFont font = l->font();
    font.setBold(true);
    font.setPointSizeF(24);
    l->setFont(font);
    l->setStyleSheet(QStringLiteral("color: rgb(0, 128, 0);"));
    l->setWordWrap(false);
}

} // namespace

FStart::FStart(platform::Shell& shell, QWidget* parent)
    : NoEscapeDialog(
        parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FStart"));
    setWindowTitle(u"Welcome to " + QLatin1String(product::kTitle));

    QLabel* lblQuillet = NamedLabel("lblQuillet", QStringLiteral("Quillet"), this);
    makeHeading(lblQuillet);
    QLabel* lblFrom = NamedLabel("lblFrom", QStringLiteral("brought to you by"), this);
    QLabel* lblLastbell = NamedLabel("lblLastbell", QStringLiteral("Lastbell"), this);
    makeHeading(lblLastbell);
    lblCobbleton = new LinkLabel(QStringLiteral("&Cobbleton"), this);
    lblCobbleton->setObjectName(QStringLiteral("lblCobbleton"));
    lblCobbleton->setDesignColour(QColor(0, 0, 192));
    connect(lblCobbleton, &LinkLabel::clicked, this, [&shell] { shell.openAddress(MakerHomeAddress()); });

    auto* fraBody = new QGroupBox(QStringLiteral("Start Winning Auctions!"), this);
    fraBody->setObjectName(QStringLiteral("fraBody"));
    auto* body = new QVBoxLayout(fraBody);
    body->addWidget(NamedLabel("lblExplanation1",
        QStringLiteral("Lastbell Quillet allows you to place last-second bids in online auctions.  "
                       "Your bid requests will be set up on a secure online server and placed for "
                       "you automatically.  Your computer does not even have to have to be turned "
                       "on when your bid is placed."),
        fraBody));
    body->addWidget(NamedLabel("lblExplanation2",
        QStringLiteral("Using Quillet is easy and free!  When you are viewing an auction in the "
                       "auction browser window, just press the Snipe! button to set up a bid.  "
                       "View and manage your bids in the Lastbell window."),
        fraBody));

    QLabel* lblAccountQuery
        = NamedLabel("lblAccountQuery", QStringLiteral("Do you have an account with Lastbell?"), this);
    QFont bold = lblAccountQuery->font();
    bold.setBold(true);
    bold.setPointSizeF(8.25);
    lblAccountQuery->setFont(bold);
    QLabel* lblAccountRequired = NamedLabel("lblAccountRequired",
        QStringLiteral("You need an account with Lastbell to set up snipe bids.  It is "
                       "free and only takes a moment to set up."),
        this);
    chkHasAccount = new QCheckBox(QStringLiteral("I have a Lastbell &account.  Do not show this message again."), this);
    chkHasAccount->setObjectName(QStringLiteral("chkHasAccount"));

    auto* cmdYes = new QPushButton(QStringLiteral("&Yes"), this);
    cmdYes->setObjectName(QStringLiteral("cmdYes"));
    auto* Command1 = new QPushButton(QStringLiteral("&No"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    connect(cmdYes, &QPushButton::clicked, this, [this] {
        m_hasAccount = true;
        accept();
    });
    connect(Command1, &QPushButton::clicked, this, &QDialog::reject);

    auto* Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Lastbell star"));
    Image1->setPixmap(pictures::Star(1, true).scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));

    auto* heading = new QHBoxLayout;
    heading->addWidget(Image1);
    auto* names = new QVBoxLayout;
    names->addWidget(lblQuillet);
    names->addWidget(lblFrom);
    auto* maker = new QHBoxLayout;
    maker->addWidget(lblLastbell);
    maker->addWidget(lblCobbleton);
    maker->addStretch();
    names->addLayout(maker);
    heading->addLayout(names, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdYes);
    buttons->addWidget(Command1);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addWidget(fraBody);
    layout->addWidget(lblAccountQuery);
    layout->addWidget(lblAccountRequired);
    layout->addWidget(chkHasAccount);
    layout->addLayout(buttons);
    // The link above takes Tab too; the window still starts where it did, so Enter answers the question.
    chkHasAccount->setFocus();
    setFixedSize(platform::twipsSize(5820, 6120));
    // The check box is one line across the window: its whole text stays readable in the wider Linux face.
    // What the box needs besides its text (the box, the gap, the focus frame), measured as the box measures.
    const int besideText = chkHasAccount->sizeHint().width()
        - chkHasAccount->fontMetrics().size(Qt::TextShowMnemonic, chkHasAccount->text()).width();
    const QMargins margins = layout->contentsMargins();
    chkHasAccount->setFont(platform::fontToFit(chkHasAccount->font(), chkHasAccount->text().remove(u'&'),
        width() - margins.left() - margins.right() - besideText));

    // The link's rest look comes back when the pointer moves over its surroundings.
    setMouseTracking(true);
    for (QWidget* surrounding : { static_cast<QWidget*>(this), static_cast<QWidget*>(fraBody),
             static_cast<QWidget*>(lblFrom), static_cast<QWidget*>(lblQuillet) }) {
        surrounding->setMouseTracking(true);
        surrounding->installEventFilter(this);
    }
}

bool FStart::DoNotShowAgain() const
{
    return chkHasAccount->checkState() != Qt::Unchecked;
}

bool FStart::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove)
        lblCobbleton->resetLook();
    return QDialog::eventFilter(watched, event);
}

} // namespace quillet
