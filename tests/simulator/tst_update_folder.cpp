// SPDX-License-Identifier: MIT
// The maker's update folder: Range replies and the faults the updater must survive.
#include "proxied_client.h"
#include "tests/support/simulator_process.h"

#include "platform/hosts.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTest>

namespace
{

constexpr qint64 kProgramSize = 250000;

QByteArray fileAddress(const char* name)
{
    return QByteArray("http://") + hosts::kMakerServer + hosts::kUpdateFolderPath + name;
}

} // namespace

class TestUpdateFolder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void range_data();
    void range();
    void dropOnceThenResume();
    void wholeFileDespiteRange_data();
    void wholeFileDespiteRange();
    void answersWithoutFile_data();
    void answersWithoutFile();
    void emptyReply();
    void trickle();
    void uploadedContent_data();
    void uploadedContent();
    void versionPage();

private:
    SimulatorProcess m_simulator;
    std::unique_ptr<ProxiedClient> m_client;
    const QByteArray m_program = generatedUpdateContent(kProgramSize);
};

void TestUpdateFolder::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_simulator.start());
    m_client = std::make_unique<ProxiedClient>(m_simulator.port());
}

void TestUpdateFolder::cleanup()
{
    QVERIFY(m_simulator.control(QStringLiteral("fault?name=Quillet&kind=none")));
    QVERIFY(m_simulator.control(QStringLiteral("update-file?name=Quillet&size=%1").arg(kProgramSize)));
}

void TestUpdateFolder::range_data()
{
    QTest::addColumn<QByteArray>("range");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("contentRange");
    QTest::addColumn<qint64>("start");

    QTest::newRow("no range") << QByteArray() << 200 << QByteArray() << qint64(0);
    QTest::newRow("first attempt") << QByteArray("bytes=0-") << 206 << QByteArray("bytes 0-249999/250000") << qint64(0);
    QTest::newRow("resume") << QByteArray("bytes=95904-") << 206 << QByteArray("bytes 95904-249999/250000")
                            << qint64(95904);
    QTest::newRow("last byte") << QByteArray("bytes=249999-") << 206 << QByteArray("bytes 249999-249999/250000")
                               << qint64(249999);
    QTest::newRow("at the end") << QByteArray("bytes=250000-") << 416 << QByteArray("bytes */250000") << kProgramSize;
    QTest::newRow("past the end") << QByteArray("bytes=900000-") << 416 << QByteArray("bytes */250000") << kProgramSize;
}

void TestUpdateFolder::range()
{
    QFETCH(QByteArray, range);
    QFETCH(int, status);
    QFETCH(QByteArray, contentRange);
    QFETCH(qint64, start);

    QList<QPair<QByteArray, QByteArray>> headers;
    if (!range.isEmpty())
        headers.append({ "Range", range });
    const Fetched fetched = m_client->get(fileAddress("Quillet"), headers);

    QCOMPARE(fetched.status, status);
    QCOMPARE(fetched.header("Content-Range"), contentRange);
    QCOMPARE(fetched.header("Accept-Ranges"), QByteArray("bytes"));
    if (status != 416) {
        QCOMPARE(fetched.header("Content-Length").toLongLong(), kProgramSize - start);
        QCOMPARE(fetched.body, m_program.mid(start));
    }
}

void TestUpdateFolder::dropOnceThenResume()
{
    QVERIFY(m_simulator.control(QStringLiteral("fault?name=Quillet&kind=drop&after=100000&times=1")));

    const Fetched dropped = m_client->get(fileAddress("Quillet"), { { "Range", "bytes=0-" } });
    QCOMPARE(dropped.error, QNetworkReply::RemoteHostClosedError);
    QCOMPARE(dropped.header("Content-Length"), QByteArray("250000"));
    QCOMPARE(dropped.body, m_program.left(100000));

    const Fetched resumed = m_client->get(fileAddress("Quillet"), { { "Range", "bytes=95904-" } });
    QCOMPARE(resumed.error, QNetworkReply::NoError);
    QCOMPARE(resumed.status, 206);
    QCOMPARE(resumed.header("Content-Range"), QByteArray("bytes 95904-249999/250000"));
    QCOMPARE(dropped.body.left(95904) + resumed.body, m_program);
}

void TestUpdateFolder::wholeFileDespiteRange_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QByteArray>("range");
    QTest::addColumn<QByteArray>("missingHeader");

    QTest::newRow("ignore-range") << QStringLiteral("ignore-range") << QByteArray("bytes=95904-")
                                  << QByteArray("Content-Range");
    QTest::newRow("no-length") << QStringLiteral("no-length") << QByteArray("bytes=100-")
                               << QByteArray("Content-Length");
}

void TestUpdateFolder::wholeFileDespiteRange()
{
    QFETCH(QString, fault);
    QFETCH(QByteArray, range);
    QFETCH(QByteArray, missingHeader);
    QVERIFY(m_simulator.control(u"fault?name=Quillet&kind=" + fault));

    const Fetched fetched = m_client->get(fileAddress("Quillet"), { { "Range", range } });

    QCOMPARE(fetched.status, 200);
    QVERIFY(!fetched.hasHeader(missingHeader));
    QCOMPARE(fetched.body, m_program);
}

void TestUpdateFolder::answersWithoutFile_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("status");

    QTest::newRow("204") << QStringLiteral("fault?name=Quillet&kind=status&code=204") << QByteArray("Quillet") << 204;
    QTest::newRow("401") << QStringLiteral("fault?name=Quillet&kind=status&code=401") << QByteArray("Quillet") << 401;
    QTest::newRow("404") << QStringLiteral("fault?name=Quillet&kind=status&code=404") << QByteArray("Quillet") << 404;
    QTest::newRow("500") << QStringLiteral("fault?name=Quillet&kind=status&code=500") << QByteArray("Quillet") << 500;
    QTest::newRow("removed") << QStringLiteral("update-file?name=Quillet&remove=1") << QByteArray("Quillet") << 404;
    QTest::newRow("never there") << QString() << QByteArray("Quillet.exe") << 404;
}

void TestUpdateFolder::answersWithoutFile()
{
    QFETCH(QString, control);
    QFETCH(QByteArray, file);
    QFETCH(int, status);
    if (!control.isEmpty())
        QVERIFY(m_simulator.control(control));

    const Fetched fetched = m_client->get(fileAddress(file.constData()), { { "Range", "bytes=0-" } });

    QCOMPARE(fetched.status, status);
    QVERIFY(!fetched.body.startsWith(m_program.left(64)));
    if (status == 204)
        QVERIFY(fetched.body.isEmpty());
}

void TestUpdateFolder::emptyReply()
{
    // Until changed: Qt's network access sends a request again once when a kept-alive connection closes
    // without a reply, so a fault for one request would be hidden by that second try.
    QVERIFY(m_simulator.control(QStringLiteral("fault?name=Quillet&kind=empty")));

    const Fetched empty = m_client->get(fileAddress("Quillet"));

    QCOMPARE(empty.status, 0);
    QVERIFY(empty.headers.isEmpty());
    QCOMPARE(empty.error, QNetworkReply::RemoteHostClosedError);
}

void TestUpdateFolder::trickle()
{
    QVERIFY(m_simulator.control(QStringLiteral("fault?name=Quillet&kind=trickle&rate=100000")));
    QElapsedTimer clock;
    clock.start();

    const Fetched fetched = m_client->get(fileAddress("Quillet"), { { "Range", "bytes=230000-" } });

    // 20000 bytes at 100000 bytes per second: at least four 50 ms steps.
    QVERIFY2(clock.elapsed() >= 150, QByteArray::number(clock.elapsed()).constData());
    QCOMPARE(fetched.status, 206);
    QCOMPARE(fetched.body, m_program.mid(230000));
}

void TestUpdateFolder::uploadedContent_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray binary("\x00\xff\r\n\x7f"
                            "end",
        8);
    QTest::newRow("raw bytes") << QStringLiteral("update-file?name=Extra") << binary << binary;
    QTest::newRow("generated") << QStringLiteral("update-file?name=Extra&size=1000") << QByteArray()
                               << generatedUpdateContent(1000);
}

void TestUpdateFolder::uploadedContent()
{
    QFETCH(QString, control);
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, expected);
    QVERIFY(m_simulator.control(control, body));

    const Fetched fetched = m_client->get(fileAddress("Extra"));

    QCOMPARE(fetched.status, 200);
    QCOMPARE(fetched.body, expected);
}

void TestUpdateFolder::versionPage()
{
    const QByteArray address = QByteArray("http://") + hosts::kMakerServer + hosts::kVersionPagePath;
    QVERIFY(m_simulator.control(QStringLiteral("version?text=1.2.1")));
    QVERIFY(m_client->get(address).body.left(5000).contains("Version =1.2.1+"));

    QVERIFY(m_simulator.control(QStringLiteral("version-page"), "odd page"));
    QCOMPARE(m_client->get(address).body, QByteArray("odd page"));

    QVERIFY(m_simulator.control(QStringLiteral("version?text=1.2.0")));
    QVERIFY(m_client->get(address).body.contains("Version =1.2.0+"));
}

QTEST_GUILESS_MAIN(TestUpdateFolder)
#include "tst_update_folder.moc"
