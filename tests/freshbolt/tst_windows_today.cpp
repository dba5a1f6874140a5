// SPDX-License-Identifier: MIT
// The updater's windows as a screen reader and a scaled desktop see them: each control named, each text whole.
// CTest runs this at QT_SCALE_FACTOR 1, 1.5 and 2.
#include "freshbolt/event_pump.h"
#include "freshbolt/fdownload.h"
#include "freshbolt/frestart.h"
#include "tests/support/fakes/fake_clock.h"
#include "tests/support/fakes/fake_http_transfer.h"
#include "tests/support/fakes/fake_local_files.h"
#include "tests/support/fakes/fake_message_boxes.h"
#include "tests/support/fakes/fake_shell.h"
#include "tests/support/window_checks.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace
{

// Both windows, each as the user sees it: the download in its body, the restart question.
struct Windows {
    QTemporaryDir folder;
    platform::FakeHttpTransfer transfer;
    platform::FakeClock clock;
    platform::FakeLocalFiles files;
    platform::FakeMessageBoxes boxes;
    platform::FakeShell shell;
    freshbolt::NestedEventLoop events;
    freshbolt::FDownload download { { transfer, clock, files, boxes, events }, folder.path() };
    freshbolt::FRestart restart { shell, folder.path() };

    QWidget* shown(const QString& which)
    {
        if (which == u"FRestart") {
            restart.show();
            return &restart;
        }
        freshbolt::DownloadWindow& window = download.window();
        window.showCentred();
        window.setStatusText(u"Saving:"_s);
        window.setSourceText(u"Quillet from www.cobbleton.com"_s);
        window.setDestinationText(folder.filePath(u"Quillet"_s));
        window.setTimeText(u"2 min 10 sec (98 KB of 2,440 KB copied)"_s);
        window.setRateText(u"18.2 KB/Sec"_s);
        return &window;
    }
};

void addWindowRows()
{
    QTest::addColumn<QString>("which");
    QTest::newRow("download") << u"FDownload"_s;
    QTest::newRow("restart") << u"FRestart"_s;
}

} // namespace

class TestWindowsToday : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QAccessible::setActive(true);
    }
    void everyControlNamed_data() { addWindowRows(); }
    void everyControlNamed();
    void noTextCut_data() { addWindowRows(); }
    void noTextCut();
};

void TestWindowsToday::everyControlNamed()
{
    QFETCH(QString, which);
    Windows windows;
    window_checks::verifyEveryControlNamed(windows.shown(which));
}

void TestWindowsToday::noTextCut()
{
    QFETCH(QString, which);
    Windows windows;
    window_checks::verifyNoTextCut(windows.shown(which));
}

QTEST_MAIN(TestWindowsToday)
#include "tst_windows_today.moc"
