// SPDX-License-Identifier: MIT
// The real keyring adapter against gnome-keyring-daemon on a bus of the test's own: what it stores is what other
// programs find under Quillet's name, and no Secret Service, no session bus or a locked collection read as no
// keyring. Each request runs in a probe process, since a process keeps the first session bus it talks to.
#include "tests/support/keyring_session.h"

#include <QTemporaryDir>
#include <QTest>

namespace
{

struct Answer {
    QString outcome;
    QString password;
    QString reason;
};

Answer probe(const QProcessEnvironment& environment, const QStringList& arguments)
{
    QProcess probe;
    probe.setProcessEnvironment(environment);
    probe.start(KEYRING_PROBE_PATH, arguments);
    if (!probe.waitForFinished(30000)) {
        probe.kill();
        probe.waitForFinished();
        return { "<no answer>", {}, {} };
    }
    const QStringList lines = QString::fromUtf8(probe.readAllStandardOutput()).split('\n');
    return { lines.value(0), lines.value(1), QString::fromUtf8(probe.readAllStandardError()).trimmed() };
}

} // namespace

class TestQtKeyring : public QObject
{
    Q_OBJECT
    KeyringSession m_keyring;

    Answer ask(const QStringList& arguments) const { return probe(m_keyring.environment(), arguments); }

private slots:
    void initTestCase()
    {
        if (const QString missing = KeyringSession::missingPackages(); !missing.isEmpty())
            QSKIP(qPrintable("the real keyring needs packages that are not installed: " + missing
                + " (scripts/install-deps installs them)"));
        QVERIFY2(m_keyring.start(), qPrintable(m_keyring.why()));
    }

    void storedFoundAndRemoved_data()
    {
        QTest::addColumn<QString>("password");
        QTest::newRow("letters and digits") << "s3cret";
        QTest::newRow("form characters") << "p&ss w=rd+%";
        QTest::newRow("non-ASCII") << QString::fromUtf8("p\xc3\xa4sswort\xe2\x82\xac");
        QTest::newRow("empty") << "";
    }
    void storedFoundAndRemoved()
    {
        QFETCH(QString, password);
        QCOMPARE(ask({ "write", "demo", password }).outcome, QString("Done"));
        QCOMPARE(m_keyring.lookUp("demo"), password);
        const Answer read = ask({ "read", "demo" });
        QCOMPARE(read.outcome, QString("Done"));
        QCOMPARE(read.password, password);

        QCOMPARE(ask({ "remove", "demo" }).outcome, QString("Done"));
        QCOMPARE(ask({ "read", "demo" }).outcome, QString("NotFound"));
        QCOMPARE(m_keyring.lookUp("demo"), QString());
    }

    void entryIsNamedForTheProgramAndTheUser()
    {
        QCOMPARE(ask({ "write", "demo", "s3cret" }).outcome, QString("Done"));
        QCOMPARE(ask({ "write", "other", "another" }).outcome, QString("Done"));
        const QString found = m_keyring.secretTool({ "search", "--all", "server", "Lastbell Quillet", "user", "demo" });
        QVERIFY2(found.contains("label = Lastbell Quillet\n"), qPrintable(found));
        QVERIFY2(found.contains("attribute.user = demo\n"), qPrintable(found));
        QVERIFY2(!found.contains("another"), qPrintable(found));
        QCOMPARE(ask({ "read", "other" }).password, QString("another"));
        QCOMPARE(ask({ "remove", "demo" }).outcome, QString("Done"));
        QCOMPARE(m_keyring.lookUp("other"), QString("another")); // one user's removal leaves the other
        QCOMPARE(ask({ "remove", "other" }).outcome, QString("Done"));
    }

    void withoutAKeyring_data()
    {
        QTest::addColumn<bool>("bus");
        QTest::newRow("a session bus without a Secret Service") << true;
        QTest::newRow("no session bus at all") << false;
    }
    void withoutAKeyring()
    {
        QFETCH(bool, bus);
        KeyringSession busAlone;
        QTemporaryDir runtime; // holds no bus socket
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (bus) {
            QVERIFY2(busAlone.start(KeyringSession::Keyring::None), qPrintable(busAlone.why()));
            environment = busAlone.environment();
        } else {
            environment.remove("DBUS_SESSION_BUS_ADDRESS");
            environment.remove("DISPLAY"); // nothing to start a bus for
            environment.insert("XDG_RUNTIME_DIR", runtime.path());
        }
        for (const QStringList& request : { QStringList { "read", "demo" }, QStringList { "write", "demo", "x" } }) {
            const Answer answer = probe(environment, request);
            QCOMPARE(answer.outcome, QString("NoKeyring"));
            QVERIFY(!answer.reason.isEmpty());
        }
    }

    // Nobody is there to unlock it: nothing is read from it, and a write is refused as locked, not as no keyring,
    // so that the caller keeps the password nowhere else.
    void lockedCollection()
    {
        KeyringSession keyring;
        QVERIFY2(keyring.start(), qPrintable(keyring.why()));
        QCOMPARE(probe(keyring.environment(), { "write", "demo", "s3cret" }).outcome, QString("Done"));
        QVERIFY(keyring.lock());
        QCOMPARE(probe(keyring.environment(), { "read", "demo" }).outcome, QString("NotFound"));
        QCOMPARE(probe(keyring.environment(), { "write", "demo", "newer" }).outcome, QString("Locked"));
    }
};

QTEST_GUILESS_MAIN(TestQtKeyring)
#include "tst_qt_keyring.moc"
