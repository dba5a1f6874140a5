// SPDX-License-Identifier: MIT
#pragma once

#include "freshbolt/downloader.h"

#include <QByteArray>
#include <QString>
#include <utility>

namespace freshbolt
{

inline const QString kDownloadErrorTitle = QStringLiteral("Error Downloading File");

// The state of one DownloadFile call.
struct Downloader::Call {
    QString url;
    QString destination;
    QString partial;
    QString userName;
    QString password;
    QString destinationName;
    QString urlName;
    QFileDevice::Permissions atLeast;

    bool resumeMode = false;
    qint64 bytesReceived = 0;
    qint64 totalBytes = 0;
    double startTime = 0;
    float bytesPerSecond = 0;
    float secondsLeft = 0;
    bool openedPartial = false;
    bool writeStage = false;

    // The file that the first reply named, and what the current reply carries of it.
    QString eTag;
    QString lastModified;
    qint64 replyTotal = 0;
    qint64 replyEnd = 0; // one past its last byte
    // A resumed reply must begin with the bytes saved last.
    QByteArray overlap;

    // Shown texts and the numbers they show.
    std::pair<qint64, QString> totalText { -1, {} };
    std::pair<double, QString> caption { -1, {} };
    std::pair<ShownNumbers, ShownNumbers> timeShown; // time left, bytes received
    QString timeText;
    ShownNumbers rateShown;
    QString rateText;
};

} // namespace freshbolt
