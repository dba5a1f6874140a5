// SPDX-License-Identifier: MIT
// The real Quillet on a virtual display beside a real keyring (gnome-keyring-daemon on a bus of the test's own):
// a password saved in the dialog is in the keyring and not in the settings file, and the next start's login post
// carries it; a plain-text password in the settings file is moved into the keyring by one start; with no session bus
// the password stays in the owner-only settings file and the login still works.
#include "tests/support/keyring_session.h"
#include "tests/support/simulator_process.h"
#include "tests/support/test_files.h"
#include "tests/support/virtual_display.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace
{
constexpr int kWaitMs = 30000;
const QString kDialog = "Save your Lastbell Password";
const QString kLoginUrl = "http://www.lastbell.com/secure/login.cfm";
} // namespace

class TestKeyringE2e : public QObject
{
    Q_OBJECT
    SimulatorProcess m_simulator;
    VirtualDisplay m_display;
    KeyringSession m_keyring;
    std::unique_ptr<QTemporaryDir> m_home;
    QProcess m_quillet;
    bool m_firstStart = true;

    QString settingsFile() const { return m_home->filePath("config/Lastbell Quillet/Lastbell Quillet.ini"); }
    QByteArray settings() const { return readFile(settingsFile()); }
    void writeSettings(const QByteArray& main)
    {
        QDir().mkpath(m_home->filePath("config/Lastbell Quillet"));
        QVERIFY(writeFile(settingsFile(), "[Settings]\nStartScreen=N\n" + main));
    }

    // With the keyring's bus, or with no session bus at all.
    void startQuillet(bool bus)
    {
        QProcessEnvironment environment = m_simulator.proxyEnvironment();
        if (bus) {
            environment = m_keyring.environment(environment);
        } else {
            environment.remove("DBUS_SESSION_BUS_ADDRESS");
            environment.insert("XDG_RUNTIME_DIR", m_home->filePath("run")); // no bus socket there
        }
        environment.insert("DISPLAY", m_display.name());
        environment.remove("QT_QPA_PLATFORM");
        environment.insert("XDG_CONFIG_HOME", m_home->filePath("config"));
        environment.insert("XDG_DATA_HOME", m_home->filePath("data"));
        environment.insert("XDG_CACHE_HOME", m_home->filePath("cache"));
        m_quillet.setProcessEnvironment(environment);
        m_quillet.start(QUILLET_PATH, {});
        QVERIFY(m_quillet.waitForStarted());
    }

    void stopQuillet()
    {
        m_quillet.terminate();
        QVERIFY(m_quillet.waitForFinished(kWaitMs));
    }

    // The first login post's body, waited for; what arrived instead when none does.
    QByteArray loginPost()
    {
        const QDeadlineTimer deadline(m_firstStart ? VirtualDisplay::kFirstWindowWaitMs : kWaitMs);
        m_firstStart = false;
        QStringList seen;
        while (!deadline.hasExpired()) {
            seen.clear();
            for (const LoggedRequest& request : m_simulator.log()) {
                if (request.method == "POST" && request.url == kLoginUrl)
                    return request.body;
                seen.append(request.method + ' ' + request.url);
            }
            QTest::qWait(50);
        }
        return "<no login post; requests: " + seen.join(", ").toUtf8()
            + "; Quillet wrote: " + m_quillet.readAllStandardError() + '>';
    }

    void openPasswordDialog()
    {
        const QStringList main { "search", "--onlyvisible", "--name", "^Lastbell Quillet( > .*)?$" };
        const QString window = m_display.waitFor(main, VirtualDisplay::kFirstWindowWaitMs);
        QVERIFY(!window.isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(m_display.xdotool({ "getwindowfocus", "-f" }), window, kWaitMs);
        // Tools > Lastbell Password from the keyboard.
        m_display.xdotool({ "key", "--delay", "300", "alt+t", "l" });
        const QString dialog = m_display.window(kDialog);
        QVERIFY2(!dialog.isEmpty(), "the password dialog did not open");
        QTRY_COMPARE_WITH_TIMEOUT(m_display.xdotool({ "getwindowfocus", "-f" }), dialog, kWaitMs);
    }

    // Over what the user name box, which has the focus, and the password box hold; Enter presses Save.
    void typeLogin(const QString& user, const QString& password)
    {
        m_display.xdotool({ "key", "ctrl+a" });
        m_display.xdotool({ "type", "--delay", "30", user });
        m_display.xdotool({ "key", "Tab", "ctrl+a" });
        m_display.xdotool({ "type", "--delay", "30", password });
        m_display.xdotool({ "key", "Return" });
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        if (!m_display.start())
            QSKIP("needs Xvfb and xdotool");
        if (const QString missing = KeyringSession::missingPackages(); !missing.isEmpty())
            QSKIP(qPrintable("the real keyring needs packages that are not installed: " + missing
                + " (scripts/install-deps installs them)"));
        QVERIFY2(m_keyring.start(), qPrintable(m_keyring.why()));
        QVERIFY(m_simulator.start());
    }
    void init()
    {
        m_home = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(m_home->filePath("run")));
        QVERIFY(QFile::setPermissions(m_home->filePath("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        m_simulator.clearLog();
        m_keyring.secretTool({ "clear", "server", "Lastbell Quillet", "user", "demo" });
    }
    void cleanup()
    {
        m_quillet.kill();
        m_quillet.waitForFinished();
    }

    void savedPasswordIsInTheKeyringAndLogsInNextTime()
    {
        writeSettings({});
        startQuillet(true);
        openPasswordDialog();
        typeLogin("demo", "s3cret&w=rd");
        QTRY_COMPARE_WITH_TIMEOUT(m_keyring.lookUp("demo"), QString("s3cret&w=rd"), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(settings().contains("User=demo"), kWaitMs);
        QVERIFY2(!settings().contains("Password"), settings().constData());
        QTRY_VERIFY_WITH_TIMEOUT(m_display.windows(kDialog).isEmpty(), kWaitMs); // nothing to tell: no box
        qInfo("secret-tool lookup server 'Lastbell Quillet' user demo: %s", qPrintable(m_keyring.lookUp("demo")));
        qInfo("%s", qPrintable(m_keyring.secretTool({ "search", "--all", "server", "Lastbell Quillet" })));
        qInfo("the settings file after the save:\n%s", settings().constData());
        stopQuillet();

        m_simulator.clearLog();
        startQuillet(true);
        QCOMPARE(loginPost(), QByteArray("username=demo&temp_password=s3cret%26w%3Drd"));
    }

    void plainTextPasswordLeavesTheFileAfterOneStart()
    {
        writeSettings("[Main]\nUser=demo\nPassword=from file\n");
        startQuillet(true);
        QCOMPARE(loginPost(), QByteArray("username=demo&temp_password=from+file"));
        QTRY_VERIFY2_WITH_TIMEOUT(!settings().contains("Password"), settings().constData(), kWaitMs);
        QVERIFY(settings().contains("User=demo"));
        QCOMPARE(m_keyring.lookUp("demo"), QString("from file"));
        QCOMPARE(fileMode(settingsFile()), 0600);
    }

    void withoutASessionBusThePasswordStaysInTheFile()
    {
        writeSettings("[Main]\nUser=demo\nPassword=from file\n");
        startQuillet(false);
        QCOMPARE(loginPost(), QByteArray("username=demo&temp_password=from+file"));

        // A new one, saved while no keyring answers: the file, and the dialog says so over itself.
        openPasswordDialog();
        typeLogin("other", "newer");
        QTRY_VERIFY_WITH_TIMEOUT(settings().contains("Password=newer"), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(m_display.windows(kDialog).size(), 2, kWaitMs);
        QVERIFY(settings().contains("User=other"));
        QCOMPARE(fileMode(settingsFile()), 0600);
        QCOMPARE(m_keyring.lookUp("other"), QString());
        stopQuillet();
        QVERIFY(settings().contains("Password=newer"));

        m_simulator.clearLog();
        startQuillet(false);
        QCOMPARE(loginPost(), QByteArray("username=other&temp_password=newer"));
    }
};

QTEST_GUILESS_MAIN(TestKeyringE2e)
#include "tst_keyring_e2e.moc"
