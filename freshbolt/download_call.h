// SPDX-License-Identifier: MIT
#pragma once

#include "freshbolt/downloader.h"
#include "freshbolt/progress_texts.h"
#include "platform/trust/sha256.h"

#include <QByteArray>
#include <QString>

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
    std::optional<PublishedFile> published;
    // Of bytes 0 to bytesReceived of the file, taken as they arrive.
    platform::Sha256 hash;

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

    ProgressTexts texts;
};

} // namespace freshbolt
