// SPDX-License-Identifier: MIT
#include "platform/core/instance_lock.h"
#include "quillet/update/fnewversion.h"
#include "quillet/update/update_check.h"
#include "quillet/update/version_reply.h"
#include "tests/support/fakes/fake_http_transfer.h"
#include "tests/support/fakes/fake_message_boxes.h"
#include "tests/support/fakes/fake_shell.h"
#include "tests/support/modal_answer.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quillet;

using namespace Qt::StringLiterals;
using platform::FakeHttpTransfer;

namespace
{

struct Rig {
    explicit Rig(bool answer, const QString& programFolder = u"/prog"_s)
        : check(transfer, shell, boxes, programFolder, nullptr, [this, answer](QWidget*) {
            ++prompts;
            return answer;
        })
    {
    }
    void reply(const QString& page, int state = FakeHttpTransfer::kStateComplete)
    {
        transfer.replies.append(FakeHttpTransfer::reply(u"HTTP/1.1 200 OK"_s, {}, page.toLatin1()));
        check.CheckForUpdate();
        transfer.emitState(state);
    }

    FakeHttpTransfer transfer;
    platform::FakeShell shell;
    platform::FakeMessageBoxes boxes;
    int prompts = 0;
    UpdateCheck check;
    QSignalSpy quit { &check, &UpdateCheck::quitForUpdate };
};

// Answers the modal dialog once it is up: a button by name, or the close box for none.
void clickInDialog(const QString& button)
{
    whenModal([button](QWidget* dialog) {
        if (button.isEmpty())
            dialog->close();
        else
            dialog->findChild<QPushButton*>(button)->click();
    });
}

} // namespace

class TestUpdateCheck : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void requestsVersionPage();
    void updateNowStartsFreshbolt();
    void laterChangesNothing();
    void noOfferWhileUpdating();
    void sameVersionAndFailuresShowNothing_data();
    void sameVersionAndFailuresShowNothing();
    void freshboltMissingIsTold();
    void dialogAnswers_data();
    void dialogAnswers();
};

void TestUpdateCheck::requestsVersionPage()
{
    Rig rig(false);
    rig.check.CheckForUpdate();
    QCOMPARE(rig.transfer.requests.size(), 1);
    QCOMPARE(rig.transfer.requests[0].url, u"http://www.cobbleton.com/quillet/QuilletVersion.html"_s);
}

void TestUpdateCheck::updateNowStartsFreshbolt()
{
    Rig rig(true);
    rig.reply(u"<p>Version =1.2.1+</p>"_s);
    QCOMPARE(rig.prompts, 1);
    QCOMPARE(rig.shell.started, QStringList { u"/prog/Freshbolt"_s });
    QCOMPARE(rig.quit.count(), 1);
    QVERIFY(rig.boxes.questions.isEmpty());
}

void TestUpdateCheck::noOfferWhileUpdating()
{
    QTemporaryDir folder;
    auto updater = std::make_unique<platform::InstanceLock>(folder.path(), platform::LockHolder::Updater);
    QVERIFY(updater->tryLock());
    Rig rig(true, folder.path());
    rig.reply(u"Version =1.2.1+"_s);
    QCOMPARE(rig.prompts, 0);
    QVERIFY(rig.shell.started.isEmpty());

    // Once the updater has ended, the offer is made again.
    updater.reset();
    rig.reply(u"Version =1.2.1+"_s);
    QCOMPARE(rig.prompts, 1);
}

void TestUpdateCheck::laterChangesNothing()
{
    Rig rig(false);
    rig.reply(u"Version =1.2.1+"_s);
    QCOMPARE(rig.prompts, 1);
    QVERIFY(rig.shell.started.isEmpty());
    QCOMPARE(rig.quit.count(), 0);
}

void TestUpdateCheck::sameVersionAndFailuresShowNothing_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("state");
    QTest::newRow("same version") << u"Version =1.2.0+"_s << int(FakeHttpTransfer::kStateComplete);
    QTest::newRow("request failed") << u"Version =1.2.1+"_s << int(FakeHttpTransfer::kStateError);
    QTest::newRow("other state") << u"Version =1.2.1+"_s << 8;
}

void TestUpdateCheck::sameVersionAndFailuresShowNothing()
{
    QFETCH(QString, page);
    QFETCH(int, state);
    Rig rig(true);
    rig.reply(page, state);
    QCOMPARE(rig.prompts, 0);
    QVERIFY(rig.shell.started.isEmpty());
    QVERIFY(rig.boxes.questions.isEmpty());
}

void TestUpdateCheck::freshboltMissingIsTold()
{
    Rig rig(true);
    rig.shell.startSucceeds = false;
    rig.reply(u"Version =1.2.1+"_s);
    QCOMPARE(rig.quit.count(), 0); // Quillet stays open
    QCOMPARE(rig.boxes.questions.size(), 1);
    QVERIFY(rig.boxes.questions[0].text.contains(u"/prog/Freshbolt"_s));
    QCOMPARE(rig.boxes.questions[0].icon, platform::MessageIcon::Critical);
}

void TestUpdateCheck::dialogAnswers_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("updating");
    QTest::newRow("Update Now") << u"cmdUpdateNow"_s << true;
    QTest::newRow("Update Later") << u"cmdLater"_s << false;
    QTest::newRow("close box") << QString() << false;
}

void TestUpdateCheck::dialogAnswers()
{
    QFETCH(QString, button);
    QFETCH(bool, updating);
    FNewVersion look;
    QCOMPARE(look.windowTitle(), u"New Version Available"_s);
    QCOMPARE(look.size(), QSize(410, 188));
    QCOMPARE(look.findChild<QLabel*>(u"lblFreshbolt"_s)->text(),
        u"Freshbolt can connect to the Internet to download a small update patch.  Would you like to connect "
        u"now to update?"_s);
    QCOMPARE(look.findChild<QPushButton*>(u"cmdUpdateNow"_s)->geometry(), QRect(37, 143, 161, 29));

    clickInDialog(button);
    QCOMPARE(FNewVersion::Offer(nullptr), updating);
}

QTEST_MAIN(TestUpdateCheck)
#include "tst_update_check.moc"
