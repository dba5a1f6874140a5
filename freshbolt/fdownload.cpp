// SPDX-License-Identifier: MIT
#include "freshbolt/fdownload.h"

#include "platform/core/clock.h"
#include "platform/core/message_boxes.h"
#include "platform/core/product.h"
#include "platform/core/twips.h"
#include "platform/ui/animation_player.h"
#include "platform/ui/design_controls.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <utility>

using platform::designFont;
using platform::placedLabel;
using platform::twipsRect;

namespace freshbolt
{

namespace
{

// While data keeps arriving, the window is repainted and its input handled once per frame.
constexpr int kFrameMs = 16;

} // namespace

QString FitLabelText(const QLabel* label, const QString& text)
{
    const QFontMetrics metrics = label->parentWidget()->fontMetrics();
    return FitText(
        text, label->width(), [&metrics](const QString& candidate) { return metrics.horizontalAdvance(candidate); });
}

FDownload::FDownload(
    const Services& services, const QString& programFolder, std::chrono::milliseconds readyInterval, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_messageBoxes(services.messageBoxes)
    , m_downloader(services.transfer, services.clock, services.files, *this,
          QDir(programFolder).filePath(QStringLiteral("DOWNLD2.AVI")))
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
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(twipsRect(2190, 3885, 1215, 375));
    CancelButton->setAutoDefault(true); // Enter presses it while it has the focus, as in a dialog
    connect(CancelButton, &QPushButton::clicked, this, [this] { m_downloader.Cancel(); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { m_downloader.Cancel(); });

    timTimer = new QTimer(this);
    timTimer->setInterval(readyInterval);
    connect(timTimer, &QTimer::timeout, this, [this] { m_readyForDownload = true; });
    // The pause runs on even when the user closes the window meanwhile, so the updater never waits for ever.
    timTimer->start();
    placeOffScreen();
}

FDownload::~FDownload() = default;

bool FDownload::DownloadFile(const QString& strURL, const QString& strDestination, const QString& UserName,
    const QString& Password, QFileDevice::Permissions atLeast)
{
    return m_downloader.DownloadFile(strURL, strDestination, UserName, Password, atLeast);
}

void FDownload::EndSession()
{
    m_sessionEnding = true;
    m_downloader.Cancel();
    CloseOpenQuestion();
}

void FDownload::placeOffScreen()
{
    move(-width(), -height());
}

void FDownload::closeEvent(QCloseEvent* event)
{
    // Closing by the user cancels a running download; the program's own unload does not.
    if (!m_unloading)
        m_downloader.Cancel();
    event->accept();
}

void FDownload::setStatusText(const QString& text)
{
    StatusLabel->setText(text);
}

void FDownload::setSourceText(const QString& text)
{
    SourceLabel->setText(FitLabelText(SourceLabel, text));
}

void FDownload::setDestinationText(const QString& text)
{
    ToLabel->setText(FitLabelText(ToLabel, text));
}

void FDownload::setTimeText(const QString& text)
{
    m_pendingProgress.reset();
    TimeLabel->setText(text);
}

void FDownload::setRateText(const QString& text)
{
    m_pendingProgress.reset();
    RateLabel->setText(text);
}

void FDownload::startProgress(qint64 total)
{
    ProgressBar->setRange(0, static_cast<int>(std::min<qint64>(total, INT_MAX)));
    ProgressBar->setValue(0);
    m_pendingProgress.reset();
}

void FDownload::showChunkProgress(const ChunkProgress& progress)
{
    m_pendingProgress = progress;
    const bool frameDue = platform::coarseMilliseconds() - m_lastEventsMs >= kFrameMs;
    if (frameDue || progress.bytesReceived >= ProgressBar->maximum())
        showPendingProgress();
    if (frameDue)
        processEvents();
}

// Labels, caption and bar take the latest chunk's progress once a frame, just before the events that show the
// frame: each of them lays itself out or repaints for every text or value it shows differently, far more often
// than a screen can show them.
void FDownload::showPendingProgress()
{
    if (!m_pendingProgress)
        return;
    const ChunkProgress progress = *std::exchange(m_pendingProgress, std::nullopt);
    TimeLabel->setText(progress.timeText);
    RateLabel->setText(progress.rateText);
    setWindowTitle(progress.caption);
    ProgressBar->setValue(static_cast<int>(std::min<qint64>(progress.bytesReceived, ProgressBar->maximum())));
}

std::optional<QString> FDownload::openClip(const QString& path)
{
    Animation1->setAutoPlay(true);
    return Animation1->open(path);
}

void FDownload::closeClip()
{
    Animation1->close();
}

void FDownload::showCentred()
{
    show();
    const QRect screenArea = screen()->geometry();
    move((screenArea.width() - width()) / 2, (screenArea.height() - height()) / 2);
}

void FDownload::unload()
{
    m_unloading = true;
    placeOffScreen();
    processEvents();
    close();
    m_unloading = false;
}

void FDownload::processEvents()
{
    QCoreApplication::processEvents();
    m_lastEventsMs = platform::coarseMilliseconds();
}

void FDownload::waitForEvents()
{
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    m_lastEventsMs = platform::coarseMilliseconds();
}

platform::MessageAnswer FDownload::ask(
    const QString& title, const QString& text, platform::MessageIcon icon, platform::MessageButtons buttons)
{
    showPendingProgress(); // the box stands over the progress as it was when it came
    return m_messageBoxes.ask(this, title, text, icon, buttons);
}

void CloseOpenQuestion()
{
    if (QWidget* question = QApplication::activeModalWidget())
        question->close();
}

} // namespace freshbolt
