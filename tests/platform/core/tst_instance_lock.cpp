// SPDX-License-Identifier: MIT
#include "platform/core/instance_lock.h"

#include <QFile>
#include <QHostInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace std::chrono_literals;

class TestInstanceLock : public QObject
{
    Q_OBJECT
private slots:
    void freeWhenNobodyRuns();
    void heldUntilTheLimit();
    void freeAsSoonAsReleased();
    void lockOfEndedProcessIsFree();
};

void TestInstanceLock::freeWhenNobodyRuns()
{
    QTemporaryDir folder;
    QVERIFY(platform::InstanceLock(folder.path()).waitUntilFree(0ms));
}

void TestInstanceLock::heldUntilTheLimit()
{
    QTemporaryDir folder;
    platform::InstanceLock quillet(folder.path());
    QVERIFY(quillet.tryLock());
    QVERIFY(!platform::InstanceLock(folder.path()).waitUntilFree(300ms));
    QVERIFY(!platform::InstanceLock(folder.path()).tryLock()); // a second Quillet is told too
}

void TestInstanceLock::freeAsSoonAsReleased()
{
    QTemporaryDir folder;
    auto quillet = std::make_unique<platform::InstanceLock>(folder.path());
    QVERIFY(quillet->tryLock());
    QTimer::singleShot(200, this, [&quillet] { quillet.reset(); });
    QVERIFY(platform::InstanceLock(folder.path()).waitUntilFree(20s));
    QVERIFY(!quillet);
}

void TestInstanceLock::lockOfEndedProcessIsFree()
{
    QTemporaryDir folder;
    QFile left(platform::InstanceLock::fileName(folder.path()));
    QVERIFY(left.open(QIODevice::WriteOnly));
    left.write("2147483000\nQuillet\n" + QHostInfo::localHostName().toUtf8() + "\n");
    left.close();
    QVERIFY(platform::InstanceLock(folder.path()).waitUntilFree(0ms));
}

QTEST_GUILESS_MAIN(TestInstanceLock)
#include "tst_instance_lock.moc"
