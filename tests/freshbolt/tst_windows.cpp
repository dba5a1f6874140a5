// SPDX-License-Identifier: MIT
// The download and restart windows' own behaviour: cancel by key and close box, placement, fitted labels, Enter on
// a focused button.
#include "freshbolt/event_pump.h"
#include "freshbolt/fdownload.h"
#include "freshbolt/frestart.h"
#include "platform/ui/animation_player.h"
#include "tests/support/fakes/fake_clock.h"
#include "tests/support/fakes/fake_http_transfer.h"
#include "tests/support/fakes/fake_local_files.h"
#include "tests/support/fakes/fake_message_boxes.h"
#include "tests/support/fakes/fake_shell.h"
#include "tests/support/keyboard.h"
#include "tests/support/test_files.h"

#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using platform::FakeHttpTransfer;

namespace
{

const QString kUrl = u"http://www.cobbleton.com/downloads/updates/quillet/Quillet"_s;

struct Rig {
    Rig()
    {
        QFile::copy(QStringLiteral(CLIP_PATH), folder.filePath(u"DOWNLD2.AVI"_s));
        files.folders.insert(folder.path());
        files.files[destination()] = "old";
        FakeHttpTransfer::Reply waiting = FakeHttpTransfer::fileReply(QByteArray(5000, 'n'));
        waiting.pollsWhileExecuting = 1 << 30; // the server never answers
        transfer.replies.append(waiting);
    }
    QString destination() const { return folder.filePath(u"Quillet"_s); }

    QTemporaryDir folder;
    FakeHttpTransfer transfer;
    platform::FakeClock clock;
    platform::FakeLocalFiles files;
    platform::FakeMessageBoxes boxes;
    freshbolt::NestedEventLoop events;
    freshbolt::FDownload download { { transfer, clock, files, boxes, events }, folder.path() };
    freshbolt::DownloadWindow& window = download.window();
};

// Enter on a button that has the focus; the focus gets there with Tab, as the user moves it. Whether that pressed
// the button.
bool pressEnterOn(QPushButton* button)
{
    bool pressed = false;
    const QMetaObject::Connection watch
        = QObject::connect(button, &QPushButton::clicked, button, [&pressed] { pressed = true; });
    if (QTest::qWaitForWindowActive(button->window()) && keyboard::tabTo(button))
        keyboard::press(Qt::Key_Return);
    QObject::disconnect(watch);
    return pressed;
}

} // namespace

class TestWindows : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void loadsOffScreen();
    void cancelWhileWaiting_data();
    void cancelWhileWaiting();
    void pauseEndsAfterClose();
    void labelsAreFitted();
    void clipIsDecoration_data();
    void clipIsDecoration();
    void restartAnswers_data();
    void restartAnswers();
};

void TestWindows::loadsOffScreen()
{
    Rig rig;
    QCOMPARE(rig.window.pos(), QPoint(-rig.window.width(), -rig.window.height()));
    QCOMPARE(rig.window.size(), QSize(368, 300));
    QCOMPARE(rig.window.windowTitle(), u"Updating Lastbell Quillet"_s);
    QVERIFY(!rig.download.ReadyForDownload());
}

void TestWindows::cancelWhileWaiting_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Escape") << u"escape"_s;
    QTest::newRow("Cancel button") << u"button"_s;
    QTest::newRow("close box") << u"close"_s;
    QTest::newRow("Enter on the focused Cancel button") << u"enter"_s;
}

void TestWindows::cancelWhileWaiting()
{
    QFETCH(QString, how);
    Rig rig;
    QString statusWhenCancelled;
    bool enterPressed = false;
    QTimer::singleShot(50, &rig.window, [&] {
        statusWhenCancelled = rig.window.findChild<QLabel*>(u"StatusLabel"_s)->text();
        if (how == u"escape")
            QTest::keyClick(&rig.window, Qt::Key_Escape);
        else if (how == u"button")
            rig.window.findChild<QPushButton*>(u"CancelButton"_s)->click();
        else if (how == u"enter")
            enterPressed = pressEnterOn(rig.window.findChild<QPushButton*>(u"CancelButton"_s));
        // The close box; also after an Enter that did nothing, so the download ends rather than wait for good.
        if (how == u"close" || (how == u"enter" && !enterPressed))
            rig.window.close();
    });

    QVERIFY(!rig.download.DownloadFile(kUrl, rig.destination(), QString(), QString()));
    QVERIFY(how != u"enter" || enterPressed);
    QCOMPARE(statusWhenCancelled, u"Getting file information..."_s);
    QCOMPARE(rig.window.findChild<QLabel*>(u"StatusLabel"_s)->text(), u"Cancelling..."_s);
    QVERIFY(rig.boxes.questions.isEmpty());
    QCOMPARE(rig.files.files.keys(), QStringList { rig.destination() }); // no new file
    QCOMPARE(rig.files.files[rig.destination()], QByteArray("old"));
    QVERIFY(rig.window.isHidden());
}

void TestWindows::pauseEndsAfterClose()
{
    Rig rig;
    rig.window.close(); // by the program's end or the session, before any download
    QTRY_VERIFY_WITH_TIMEOUT(rig.download.ReadyForDownload(), 7000);
}

void TestWindows::labelsAreFitted()
{
    Rig rig;
    rig.transfer.replies.first().pollsWhileExecuting = 0;
    const QString deep = u"/home/someone/with/a/very/long/path/to/the/program/folder/of/quillet/Quillet"_s;
    rig.files.folders.insert(u"/home/someone/with/a/very/long/path/to/the/program/folder/of/quillet"_s);

    QVERIFY(rig.download.DownloadFile(kUrl, deep, QString(), QString()));
    const auto* to = rig.window.findChild<QLabel*>(u"ToLabel"_s);
    QVERIFY(to->text().contains(u"..."_s));
    QVERIFY(deep.startsWith(to->text().section(u"..."_s, 0, 0)));
    QVERIFY(deep.endsWith(to->text().section(u"..."_s, 1)));
    QVERIFY(rig.window.fontMetrics().horizontalAdvance(to->text()) <= to->width());
    QCOMPARE(rig.window.findChild<QLabel*>(u"SourceLabel"_s)->text(), u"Quillet from www.cobbleton.com"_s);
}

void TestWindows::clipIsDecoration_data()
{
    QTest::addColumn<QByteArray>("clip"); // "<missing>" for none
    QTest::addColumn<int>("framesShown");
    QByteArray shipped = readFile(QStringLiteral(CLIP_PATH));
    QTest::newRow("shipped clip") << shipped << 16;
    QTest::newRow("missing") << QByteArray("<missing>") << 0;
    QTest::newRow("cut short") << shipped.left(shipped.size() / 2) << 0;
    QTest::newRow("not a clip") << QByteArray("<html>Not Found</html>") << 0;
}

// Without its clip the window plays nothing and the download goes on.
void TestWindows::clipIsDecoration()
{
    QFETCH(QByteArray, clip);
    QFETCH(int, framesShown);
    Rig rig;
    const QString clipPath = rig.folder.filePath(u"DOWNLD2.AVI"_s);
    QFile::remove(clipPath);
    if (clip != "<missing>")
        QVERIFY(writeFile(clipPath, clip));
    rig.transfer.replies = { FakeHttpTransfer::fileReply(QByteArray(5000, 'n')) };
    const auto* animation = rig.window.findChild<platform::AnimationPlayer*>(u"Animation1"_s);
    int framesDuringBody = -1;
    rig.transfer.beforeChunk = [&](int) { framesDuringBody = animation->frameCount(); };

    QVERIFY(rig.download.DownloadFile(kUrl, rig.destination(), QString(), QString()));
    QCOMPARE(framesDuringBody, framesShown);
    QVERIFY(rig.boxes.questions.isEmpty());
    QCOMPARE(rig.files.files[rig.destination()], QByteArray(5000, 'n'));
}

void TestWindows::restartAnswers_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("byEnter"); // Tab to the button, then Enter; otherwise a click
    QTest::addColumn<bool>("starts");
    QTest::newRow("Yes") << u"cmdYes"_s << false << true;
    QTest::newRow("Not Right Now") << u"cmdNo"_s << false << false;
    QTest::newRow("Enter on Yes") << u"cmdYes"_s << true << true;
    QTest::newRow("Enter on Not Right Now") << u"cmdNo"_s << true << false;
}

void TestWindows::restartAnswers()
{
    QFETCH(QString, button);
    QFETCH(bool, byEnter);
    QFETCH(bool, starts);
    platform::FakeShell shell;
    freshbolt::FRestart restart(shell, u"/prog"_s);
    restart.show();
    QCOMPARE(restart.windowTitle(), u"Update Successful"_s);
    QCOMPARE(restart.findChild<QPushButton*>(u"cmdNo"_s)->text(), u"Not Right Now"_s);

    if (byEnter)
        QVERIFY(pressEnterOn(restart.findChild<QPushButton*>(button)));
    else
        restart.findChild<QPushButton*>(button)->click();
    QCOMPARE(shell.started, starts ? QStringList { u"/prog/Quillet"_s } : QStringList());
    QVERIFY(restart.isHidden());
}

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
