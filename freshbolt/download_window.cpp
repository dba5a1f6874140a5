// SPDX-License-Identifier: MIT
#include "freshbolt/download_window.h"

#include "platform/core/product.h"
#include "platform/core/twips.h"
#include "platform/ui/animation_player.h"
#include "platform/ui/design_controls.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

using platform::designFont;
using platform::placedLabel;
using platform::twipsRect;

namespace freshbolt
{

QString FitLabelText(const QLabel* label, const QString& text)
{
    const QFontMetrics metrics = label->parentWidget()->fontMetrics();
    return FitText(
        text, label->width(), [&metrics](const QString& candidate) { return metrics.horizontalAdvance(candidate); });
}

DownloadWindow::DownloadWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FDownload"));
    setWindowTitle(u"Updating " + QLatin1String(product::kTitle));
    setFixedSize(platform::twipsSize(5520, 4500));

    lblDownloading = placedLabel(this, "lblDownloading", QStringLiteral("Updating"), twipsRect(765, 60, 1350, 390));
    lblDownloading->setFont(designFont(font(), 12, true));
    lblTollmark = placedLabel(this, "lblTollmark", QLatin1String(product::kTitle), twipsRect(1200, 390, 3870, 525));
    lblTollmark->setFont(designFont(font(), 13.5, true));
    Animation1 = new platform::AnimationPlayer(this);
    Animation1->setObjectName(QStringLiteral("Animation1"));
    Animation1->setGeometry(twipsRect(660, 930, 4695, 615));
    StatusLabel = placedLabel(this, "StatusLabel", QString(), twipsRect(150, 1800, 5235, 195));
    SourceLabel = placedLabel(this, "SourceLabel", QString(), twipsRect(150, 2085, 5250, 195));
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setGeometry(twipsRect(150, 2370, 5235, 225));
    ProgressBar->setTextVisible(false);
    EstimatedTimeLeft = placedLabel(
        this, "EstimatedTimeLeft", QStringLiteral("Estimated time left:"), twipsRect(150, 2685, 1455, 255));
    TimeLabel = placedLabel(this, "TimeLabel", QString(), twipsRect(1590, 2685, 3765, 255));
    DownloadTo = placedLabel(this, "DownloadTo", QStringLiteral("Download to:"), twipsRect(150, 2985, 1350, 255));
    ToLabel = placedLabel(this, "ToLabel", QString(), twipsRect(1590, 2985, 3765, 195));
    TransferRate = placedLabel(this, "TransferRate", QStringLiteral("Transfer rate:"), twipsRect(150, 3285, 1290, 255));
    RateLabel = placedLabel(this, "RateLabel", QString(), twipsRect(1590, 3285, 3765, 255));
    // The values start where the captions end: a caption wider in this font is fitted, not overlapped.
    for (QLabel* caption : { EstimatedTimeLeft, DownloadTo, TransferRate })
        platform::shrinkFontToFit(caption);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(twipsRect(2190, 3885, 1215, 375));
    CancelButton->setAutoDefault(true); // Enter presses it while it has the focus, as in a dialog
    connect(CancelButton, &QPushButton::clicked, this, &DownloadWindow::cancelRequested);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &DownloadWindow::cancelRequested);
    placeOffScreen();
}

void DownloadWindow::closeEvent(QCloseEvent* event)
{
    // Closing by the user cancels a running download; the program's own unload does not.
    if (!m_unloading)
        emit cancelRequested();
    event->accept();
}

void DownloadWindow::setStatusText(const QString& text)
{
    StatusLabel->setText(text);
}

void DownloadWindow::setSourceText(const QString& text)
{
    SourceLabel->setText(FitLabelText(SourceLabel, text));
}

void DownloadWindow::setDestinationText(const QString& text)
{
    ToLabel->setText(FitLabelText(ToLabel, text));
}

void DownloadWindow::setTimeText(const QString& text)
{
    TimeLabel->setText(text);
}

void DownloadWindow::setRateText(const QString& text)
{
    RateLabel->setText(text);
}

void DownloadWindow::startProgress(qint64 total)
{
    ProgressBar->setRange(0, static_cast<int>(std::min<qint64>(total, INT_MAX)));
    ProgressBar->setValue(0);
}

void DownloadWindow::showProgress(const ChunkProgress& progress)
{
    TimeLabel->setText(progress.timeText);
    RateLabel->setText(progress.rateText);
    setWindowTitle(progress.caption);
    ProgressBar->setValue(static_cast<int>(std::min<qint64>(progress.bytesReceived, ProgressBar->maximum())));
}

std::optional<QString> DownloadWindow::openClip(const QString& path)
{
    Animation1->setAutoPlay(true);
    return Animation1->open(path);
}

void DownloadWindow::closeClip()
{
    Animation1->close();
}

void DownloadWindow::showCentred()
{
    show();
    const QRect screenArea = screen()->geometry();
    move((screenArea.width() - width()) / 2, (screenArea.height() - height()) / 2);
}

void DownloadWindow::placeOffScreen()
{
    move(-width(), -height());
}

void DownloadWindow::unload()
{
    m_unloading = true;
    close();
    m_unloading = false;
}

} // namespace freshbolt
