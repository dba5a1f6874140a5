// SPDX-License-Identifier: MIT
// The maker's update folder answers Range and If-Range as a real server does; its faults are proven through the
// updater's own tests, which fail when a fault does not happen.
#include "proxied_client.h"
#include "tests/support/simulator_process.h"

#include "platform/core/hosts.h"

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
    void ifRangeOnlyForSameFile();

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

void TestUpdateFolder::ifRangeOnlyForSameFile()
{
    const Fetched first = m_client->get(fileAddress("Quillet"), { { "Range", "bytes=0-" } });
    const QByteArray eTag = first.header("ETag");
    const QByteArray lastModified = first.header("Last-Modified");
    QVERIFY(eTag.startsWith('"') && eTag.endsWith('"'));
    QVERIFY(lastModified.endsWith(" GMT"));

    for (const QByteArray& validator : { eTag, lastModified }) {
        const Fetched same
            = m_client->get(fileAddress("Quillet"), { { "Range", "bytes=1000-" }, { "If-Range", validator } });
        QCOMPARE(same.status, 206);
        QCOMPARE(same.body, m_program.mid(1000));
    }
    // Published anew: same size, other bytes, other validators; the part asked for comes as the whole new file.
    QVERIFY(m_simulator.control(QStringLiteral("update-file?name=Quillet&size=%1&shift=1000").arg(kProgramSize)));
    for (const QByteArray& validator : { eTag, lastModified }) {
        const Fetched other
            = m_client->get(fileAddress("Quillet"), { { "Range", "bytes=1000-" }, { "If-Range", validator } });
        QCOMPARE(other.status, 200);
        QCOMPARE(other.body, generatedUpdateContent(kProgramSize + 1000).mid(1000));
        QVERIFY(other.header("ETag") != eTag);
        QVERIFY(other.header("Last-Modified") != lastModified);
    }
}

QTEST_GUILESS_MAIN(TestUpdateFolder)
#include "tst_update_folder.moc"
