// SPDX-License-Identifier: MIT
#include "platform/core/settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

// While alive, no file of this process may grow past `bytes`: the way a full disk fails a write, also for root.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead of ending the process
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limited = m_saved;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved {};
};

class TestSettingsWriteFailure : public QObject
{
    Q_OBJECT
private slots:
    void failedWriteKeepsTheFileAndSaysWhy()
    {
        QTemporaryDir folder;
        const QString fileName = folder.filePath("Lastbell Quillet.ini");
        {
            platform::IniSettingsStore store(fileName);
            QVERIFY(store.write("Main", "User", "demo"));
            QVERIFY(store.write("Main", "Password", "secret"));
        }
        QFile before(fileName);
        QVERIFY(before.open(QIODevice::ReadOnly));
        const QByteArray earlier = before.readAll();
        before.close();

        platform::IniSettingsStore store(fileName);
        {
            FileSizeLimit limit(earlier.size() + 8);
            QVERIFY(!store.write("Settings", "Site", QString(200, '7')));
        }
        QCOMPARE(store.lastFailure().fileName, fileName);
        QCOMPARE(store.lastFailure().reason, QString("File too large"));

        QFile after(fileName);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), earlier);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList { "Lastbell Quillet.ini" });
    }

    // What could not be written is not written later with another change either.
    void refusedChangesStayOutOfTheFile()
    {
        QTemporaryDir folder;
        const QString fileName = folder.filePath("Lastbell Quillet.ini");
        {
            platform::IniSettingsStore store(fileName);
            QVERIFY(store.apply({ { "Main", "User", "demo" }, { "Main", "Password", "secret" } }));
        }
        const qint64 size = QFileInfo(fileName).size();
        platform::IniSettingsStore store(fileName);
        {
            FileSizeLimit limit(size + 8);
            QVERIFY(!store.apply({ { "Main", "User", QString(200, 'x') }, { "Main", "Password", std::nullopt } }));
        }
        QCOMPARE(store.read("Main", "User"), QString("demo"));
        QCOMPARE(store.read("Main", "Password"), QString("secret"));

        QVERIFY(store.write("Settings", "Site", "2"));
        const platform::IniSettingsStore written(fileName);
        QCOMPARE(written.read("Main", "User"), QString("demo"));
        QCOMPARE(written.read("Main", "Password"), QString("secret"));
        QCOMPARE(written.read("Settings", "Site"), QString("2"));
    }

    void unreachableFolderIsNamed()
    {
        QTemporaryDir folder;
        QFile notAFolder(folder.filePath("config"));
        QVERIFY(notAFolder.open(QIODevice::WriteOnly));
        notAFolder.close();
        platform::IniSettingsStore store(folder.filePath("config/Lastbell Quillet.ini"));
        QVERIFY(!store.write("Settings", "Site", "2"));
        QCOMPARE(store.lastFailure().fileName, folder.filePath("config/Lastbell Quillet.ini"));
        QVERIFY2(!store.lastFailure().reason.isEmpty(), qPrintable(store.lastFailure().reason));
        QVERIFY(!store.lastFailure().reason.contains("Unknown", Qt::CaseInsensitive));
    }
};

QTEST_GUILESS_MAIN(TestSettingsWriteFailure)
#include "tst_settings_write_failure.moc"
