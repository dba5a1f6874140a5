// SPDX-License-Identifier: MIT
// The real file operations of the download: failures name the system's reason.
#include "platform/core/local_files.h"

#include <QFile>
#include <QStorageInfo>
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
    void freeBytes_data();
    void freeBytes();
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

void TestLocalFiles::freeBytes_data()
{
    QTest::addColumn<QString>("under"); // below a folder that exists
    QTest::newRow("the folder") << QString();
    QTest::newRow("ending in its separator") << u"/"_s;
    // A folder that does not exist yet is measured on the file system that will hold it.
    QTest::newRow("missing subfolder") << u"/help/sub"_s;
}

void TestLocalFiles::freeBytes()
{
    QFETCH(QString, under);
    QTemporaryDir folder;
    const double free = platform::QtLocalFiles().freeBytes(folder.path() + under);
    // What the user may still write there, give or take what other processes write meanwhile.
    const double expected = static_cast<double>(QStorageInfo(folder.path()).bytesAvailable());
    QVERIFY(free > 0);
    QVERIFY2(qAbs(free - expected) < 64.0 * (1 << 20), qPrintable(QString::number(free - expected)));
}

QTEST_GUILESS_MAIN(TestLocalFiles)
#include "tst_local_files.moc"
