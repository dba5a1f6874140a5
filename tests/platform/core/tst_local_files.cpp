// SPDX-License-Identifier: MIT
// The real file operations of the download: failures name the system's reason.
#include "platform/core/local_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using namespace Qt::StringLiterals;

class TestLocalFiles : public QObject
{
    Q_OBJECT
private slots:
    void fullDiskNamesTheReason();
    void missingFolderNamesTheReason();
};

void TestLocalFiles::fullDiskNamesTheReason()
{
    // Every write to /dev/full fails as on a full disk; the file buffers, so it shows when the file is closed.
    platform::QtLocalFiles files;
    const std::unique_ptr<platform::WritableFile> file = files.open(u"/dev/full"_s, 0);
    QVERIFY(file);
    const bool written = file->write(QByteArray(1024, 'x')) && file->close();
    QVERIFY(!written);
    QCOMPARE(file->failure().description, u"No space left on device"_s);
    QCOMPARE(file->failure().number, ENOSPC);
}

void TestLocalFiles::missingFolderNamesTheReason()
{
    QTemporaryDir folder;
    platform::QtLocalFiles files;
    QVERIFY(!files.open(folder.filePath(u"missing/file"_s), 0));
    QCOMPARE(files.lastFailure().description, u"No such file or directory"_s);
    QCOMPARE(files.lastFailure().number, ENOENT);
}

QTEST_GUILESS_MAIN(TestLocalFiles)
#include "tst_local_files.moc"
