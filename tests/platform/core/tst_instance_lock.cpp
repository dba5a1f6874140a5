// SPDX-License-Identifier: MIT
#include "platform/core/instance_lock.h"

#include <QFile>
#include <QHostInfo>
#include <QTemporaryDir>
#include <QTest>

class TestInstanceLock : public QObject
{
    Q_OBJECT
private slots:
    void freeWhenNobodyRuns()
    {
        QTemporaryDir folder;
        QVERIFY(!platform::InstanceLock(folder.path()).isHeld());
    }

    void heldWhileTheOwnerLives()
    {
        QTemporaryDir folder;
        auto quillet = std::make_unique<platform::InstanceLock>(folder.path());
        QVERIFY(quillet->tryLock());
        QVERIFY(platform::InstanceLock(folder.path()).isHeld());
        platform::InstanceLock second(folder.path());
        QVERIFY(!second.tryLock()); // a second Quillet is told too
        QVERIFY(second.heldByAnother());
        quillet.reset();
        QVERIFY(!platform::InstanceLock(folder.path()).isHeld());
    }

    void lockOfEndedProcessIsFree()
    {
        QTemporaryDir folder;
        QFile left(platform::InstanceLock::fileName(folder.path()));
        QVERIFY(left.open(QIODevice::WriteOnly));
        left.write("2147483000\nQuillet\n" + QHostInfo::localHostName().toUtf8() + "\n");
        left.close();
        QVERIFY(!platform::InstanceLock(folder.path()).isHeld());
    }
};

QTEST_GUILESS_MAIN(TestInstanceLock)
#include "tst_instance_lock.moc"
