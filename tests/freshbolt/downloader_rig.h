// SPDX-License-Identifier: MIT
#pragma once

#include "fake_download_view.h"
#include "freshbolt/downloader.h"
#include "tests/support/fakes/fake_clock.h"
#include "tests/support/fakes/fake_http_transfer.h"
#include "tests/support/fakes/fake_local_files.h"

using namespace Qt::StringLiterals;

namespace freshbolt::test
{

inline const QString kUrl = u"http://www.cobbleton.com/downloads/updates/quillet/Quillet"_s;
inline const QString kFolder = u"/prog"_s;
inline const QString kDestination = u"/prog/Quillet"_s;

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
    QStringList titles() const
    {
        QStringList result;
        for (const auto& question : boxes.questions)
            result.append(question.title);
        return result;
    }
    bool leftNoPartialFile() const { return !files.exists(freshbolt::PartialFilePath(kDestination)); }

    const QByteArray oldFile = QByteArray(300000, 'o');
    platform::FakeHttpTransfer transfer;
    platform::FakeClock clock;
    platform::FakeLocalFiles files;
    platform::FakeMessageBoxes boxes;
    FakeDownloadView view { boxes };
    freshbolt::Downloader downloader { transfer, clock, files, view, u"/prog/DOWNLD2.AVI"_s };
};

} // namespace freshbolt::test
