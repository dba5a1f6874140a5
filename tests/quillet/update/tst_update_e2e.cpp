// SPDX-License-Identifier: MIT
// The version check's real HTTP transfer and dialog against the local web service's version page and the
// maker's signed manifest.
#include "platform/core/http_transfer.h"
#include "platform/core/instance_lock.h"
#include "platform/core/local_files.h"
#include "platform/core/proxy_setup.h"
#include "quillet/update/update_check.h"
#include "tests/support/fakes/fake_message_boxes.h"
#include "tests/support/fakes/fake_shell.h"
#include "tests/support/modal_answer.h"
#include "tests/support/simulator_process.h"
#include "tests/support/test_signing.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

using namespace quillet;

using namespace Qt::StringLiterals;

class TestUpdateEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void publishedVersion_data();
    void publishedVersion();

private:
    SimulatorProcess m_simulator;
};

void TestUpdateEndToEnd::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_simulator.start());
    qputenv("http_proxy", m_simulator.proxyUrl().toLatin1());
    platform::useSystemProxy();
    QVERIFY(publishSigned(m_simulator, "help", "program"));
}

void TestUpdateEndToEnd::publishedVersion_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("offered");
    QTest::newRow("newer, as signed") << u"1.3.0"_s << true;
    QTest::newRow("newer, but not the signed one") << u"1.2.1"_s << false;
    QTest::newRow("own") << u"1.2.0"_s << false;
}

void TestUpdateEndToEnd::publishedVersion()
{
    QFETCH(QString, version);
    QFETCH(bool, offered);
    QVERIFY(m_simulator.control(u"version?text="_s + version));
    m_simulator.clearLog();
    platform::QtHttpTransfer intUpdate;
    platform::FakeShell shell;
    platform::FakeMessageBoxes boxes;
    // The real dialog: the user answers "Update Now" as soon as it is up.
    QStringList shown;
    QObject answerOnlyDuringThisRow;
    whenModal(
        [&shown](QWidget* dialog) {
            shown.append(dialog->windowTitle());
            dialog->findChild<QPushButton*>(u"cmdUpdateNow"_s)->click();
        },
        &answerOnlyDuringThisRow);
    platform::QtLocalFiles files;
    platform::InstanceLock updaterLock(u"/prog"_s, platform::LockHolder::Updater);
    UpdateCheck check(intUpdate, shell, boxes, files, updaterLock, u"/prog"_s, nullptr);
    QSignalSpy answered(&intUpdate, &platform::HttpTransfer::stateChanged);
    QSignalSpy quit(&check, &UpdateCheck::quitForUpdate);

    check.CheckForUpdate();
    // The page; for a newer version also the manifest and its signature.
    const int requests = version == u"1.2.0"_s ? 1 : 3;
    QTRY_COMPARE(answered.count(), requests);
    for (const QList<QVariant>& state : std::as_const(answered))
        QCOMPARE(state[0].toInt(), platform::HttpTransfer::kStateComplete);
    QCOMPARE(m_simulator.log().size(), requests);
    QCOMPARE(shown, offered ? QStringList { u"New Version Available"_s } : QStringList());
    QCOMPARE(quit.count(), offered ? 1 : 0);
    QCOMPARE(shell.started, offered ? QStringList { u"/prog/Freshbolt"_s } : QStringList());
}

QTEST_MAIN(TestUpdateEndToEnd)
#include "tst_update_e2e.moc"
