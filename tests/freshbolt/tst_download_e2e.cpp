// SPDX-License-Identifier: MIT
// The real download window, HTTP transfer and files against the local web service, only the message boxes
// scripted: the exact requests of a resume, and the program's permissions once it stands in place. What every
// fault leaves behind is the update matrix's work.
#include "freshbolt/event_pump.h"
#include "freshbolt/fdownload.h"
#include "freshbolt/update_files.h"
#include "platform/core/clock.h"
#include "platform/core/http_transfer.h"
#include "platform/core/local_files.h"
#include "platform/core/proxy_setup.h"
#include "tests/support/fakes/fake_message_boxes.h"
#include "tests/support/simulator_process.h"
#include "tests/support/test_files.h"

#include <QFile>
#include <QLabel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using platform::MessageAnswer;

namespace
{

const QString kProgramUrl = freshbolt::UpdateFiles().at(1).url;

QStringList rangesAsked(const QList<LoggedRequest>& log)
{
    QStringList ranges;
    for (const LoggedRequest& request : log)
        ranges.append(QString::fromLatin1(request.header("Range")));
    return ranges;
}

} // namespace

class TestDownloadEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void droppedConnectionResumes();
    void programExecutableWhenInPlace_data();
    void programExecutableWhenInPlace();

private:
    bool download(const QString& url, const QString& destination);

    SimulatorProcess m_simulator;
    QTemporaryDir m_folder;
    platform::QtHttpTransfer m_transfer;
    platform::SteadyClock m_clock;
    platform::QtLocalFiles m_files;
    platform::FakeMessageBoxes m_boxes;
    freshbolt::NestedEventLoop m_events;
    std::unique_ptr<freshbolt::FDownload> m_download;
};

void TestDownloadEndToEnd::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_simulator.start());
    qputenv("http_proxy", m_simulator.proxyUrl().toLatin1());
    platform::useSystemProxy();
    QVERIFY(QFile::copy(QStringLiteral(CLIP_PATH), m_folder.filePath(u"DOWNLD2.AVI"_s)));
    m_download = std::make_unique<freshbolt::FDownload>(
        freshbolt::FDownload::Services { m_transfer, m_clock, m_files, m_boxes, m_events }, m_folder.path());
}

void TestDownloadEndToEnd::init()
{
    m_boxes.questions.clear();
    m_boxes.answersByTitle.clear();
    m_simulator.clearLog();
    QVERIFY(writeFile(m_folder.filePath(u"Quillet"_s), "old program"));
}

bool TestDownloadEndToEnd::download(const QString& url, const QString& destination)
{
    return m_download->DownloadFile(url, destination, QString(), QString());
}

void TestDownloadEndToEnd::droppedConnectionResumes()
{
    QVERIFY(m_simulator.control(u"update-file?name=Quillet&size=250000"_s));
    QVERIFY(m_simulator.control(u"fault?name=Quillet&kind=drop&after=100000&times=1"_s));
    m_boxes.answersByTitle[u"Download Incomplete"_s] = { MessageAnswer::Retry };
    // The window draws its progress once a frame; the box must still stand over the progress at the drop.
    const QWidget& window = m_download->window();
    QString shownAtDrop;
    m_boxes.whileAsking = [&] {
        shownAtDrop
            = window.windowTitle() + u" | " + window.findChild<QLabel*>(u"TimeLabel"_s)->text().section(u'(', 1);
    };

    QVERIFY(download(kProgramUrl, m_folder.filePath(u"Quillet"_s)));
    m_boxes.whileAsking = {};
    QCOMPARE(shownAtDrop, u"40% of Quillet Completed | 98 KB of 244 KB copied)"_s);
    QCOMPARE(m_boxes.titles(), QStringList { u"Download Incomplete"_s });
    const QList<LoggedRequest> log = m_simulator.log();
    QCOMPARE(rangesAsked(log), (QStringList { u"bytes=0-"_s, u"bytes=95904-"_s }));
    QCOMPARE(log[0].header("Accept-Encoding"), QByteArray("identity")); // offsets are those of the stored file
    QCOMPARE(readFile(m_folder.filePath(u"Quillet"_s)), generatedUpdateContent(250000));
    QVERIFY(!QFile::exists(freshbolt::PartialFilePath(m_folder.filePath(u"Quillet"_s))));
    QCOMPARE(window.windowTitle(), u"100% of Quillet Completed"_s);
    QVERIFY(window.isHidden());
}

void TestDownloadEndToEnd::programExecutableWhenInPlace_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QFileDevice::Permissions>("before");
    QTest::addColumn<QFileDevice::Permissions>("after");
    const auto rw = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const auto x = QFileDevice::ExeOwner;
    const auto group = QFileDevice::ReadGroup | QFileDevice::ExeGroup;
    QTest::newRow("installed executable: copied") << true << (rw | x | group) << (rw | x | group);
    QTest::newRow("installed not executable: owner may run it")
        << true << (rw | QFileDevice::ReadGroup) << (rw | x | QFileDevice::ReadGroup);
    QTest::newRow("none installed") << false << QFileDevice::Permissions() << (rw | x);
}

void TestDownloadEndToEnd::programExecutableWhenInPlace()
{
    QFETCH(bool, installed);
    QFETCH(QFileDevice::Permissions, before);
    QFETCH(QFileDevice::Permissions, after);
    const QString program = m_folder.filePath(u"Quillet"_s);
    if (installed)
        QVERIFY(QFile::setPermissions(program, before));
    else
        QVERIFY(QFile::remove(program));
    QVERIFY(m_simulator.control(u"update-file?name=Quillet&size=20000"_s));

    // The moment it stands in place, it can run: nothing is left to do after the move.
    QVERIFY(m_download->DownloadFile(kProgramUrl, program, QString(), QString(), freshbolt::Downloader::kProgramFile));
    const QFileDevice::Permissions owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup;
    const QFileDevice::Permissions got = QFile::permissions(program);
    QCOMPARE(got & owner, after & owner);
    if (installed)
        QCOMPARE(got & others, after & others);
    QCOMPARE(readFile(program), generatedUpdateContent(20000));
}

QTEST_MAIN(TestDownloadEndToEnd)
#include "tst_download_e2e.moc"
