// SPDX-License-Identifier: MIT
// The updater's wait for Quillet to end, through the real event loop and real lock files.
#include "freshbolt/event_pump.h"
#include "freshbolt/quillet_end.h"
#include "platform/core/instance_lock.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace std::chrono_literals;

class TestQuilletEnd : public QObject
{
    Q_OBJECT
private:
    static bool never() { return false; }
    freshbolt::NestedEventLoop events;

private slots:
    void freeAtOnceWhenNobodyRuns()
    {
        QTemporaryDir folder;
        QVERIFY(freshbolt::WaitForQuilletToEnd(events, folder.path(), 0ms, &never));
    }

    void heldUntilTheLimit()
    {
        QTemporaryDir folder;
        platform::InstanceLock quillet(folder.path());
        QVERIFY(quillet.tryLock());
        QElapsedTimer waited;
        waited.start();
        QVERIFY(!freshbolt::WaitForQuilletToEnd(events, folder.path(), 300ms, &never));
        QVERIFY(waited.elapsed() >= 300);
    }

    // The lock is let go while the updater waits: the wait ends then, long before its limit, and the timer that
    // let it go ran meanwhile (the window's events go on during the wait).
    void freeAsSoonAsReleased()
    {
        QTemporaryDir folder;
        auto quillet = std::make_unique<platform::InstanceLock>(folder.path());
        QVERIFY(quillet->tryLock());
        QTimer::singleShot(200ms, this, [&quillet] { quillet.reset(); });
        QElapsedTimer waited;
        waited.start();
        QVERIFY(freshbolt::WaitForQuilletToEnd(events, folder.path(), 20s, &never));
        QVERIFY(!quillet);
        QVERIFY(waited.elapsed() < 10000);
    }

    void endsWhenTheSessionEnds()
    {
        QTemporaryDir folder;
        platform::InstanceLock quillet(folder.path());
        QVERIFY(quillet.tryLock());
        bool ending = false;
        QTimer::singleShot(100ms, this, [&ending] { ending = true; });
        QVERIFY(!freshbolt::WaitForQuilletToEnd(events, folder.path(), 20s, [&ending] { return ending; }));
    }
};

QTEST_GUILESS_MAIN(TestQuilletEnd)
#include "tst_quillet_end.moc"
