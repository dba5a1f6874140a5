// SPDX-License-Identifier: MIT
#pragma once

#include "fake_download_view.h"
#include "fake_event_pump.h"
#include "freshbolt/downloader.h"
#include "tests/support/fakes/fake_clock.h"
#include "tests/support/fakes/fake_http_transfer.h"
#include "tests/support/fakes/fake_local_files.h"
#include "tests/support/fakes/fake_message_boxes.h"

using namespace Qt::StringLiterals;

namespace freshbolt::test
{

inline const QString kUrl = u"http://www.cobbleton.com/downloads/updates/quillet/Quillet"_s;
inline const QString kFolder = u"/prog"_s;
inline const QString kDestination = u"/prog/Quillet"_s;
inline const QString kIncomplete = u"Download Incomplete"_s;
inline const QString kNoResume = u"Unable to Resume Download"_s;

// A first reply that drops after kDroppedAt bytes; the resume fetches the last kResumeOverlap of them again.
constexpr qsizetype kDroppedAt = 100000;
constexpr qsizetype kResumeOverlap = 4096;
constexpr qsizetype kResumedFrom = kDroppedAt - kResumeOverlap;

inline QByteArray content(qsizetype size, char seed = 'a')
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(seed + (i * 7 + i / 251) % 26);
    return bytes;
}

// One download with every seam faked; the destination holds an older, longer file.
struct Rig {
    Rig()
    {
        files.folders.insert(kFolder);
        files.files[kDestination] = oldFile;
    }

    bool download(const QString& destination = kDestination)
    {
        return downloader.DownloadFile(kUrl, destination, QString(), QString());
    }
    // The title of the question on screen, for what the user does while it is up.
    QString asking() const { return boxes.questions.last().title; }
    bool leftNoPartialFile() const { return !files.exists(freshbolt::PartialFilePath(kDestination)); }

    const QByteArray oldFile = QByteArray(300000, 'o');
    platform::FakeHttpTransfer transfer;
    platform::FakeClock clock;
    platform::FakeLocalFiles files;
    platform::FakeMessageBoxes boxes;
    FakeEventPump events;
    FakeDownloadView view;
    freshbolt::Downloader downloader { { transfer, clock, files, boxes, events }, view, u"/prog/DOWNLD2.AVI"_s,
        nullptr };
};

} // namespace freshbolt::test
