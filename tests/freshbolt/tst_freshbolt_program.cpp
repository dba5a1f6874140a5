// SPDX-License-Identifier: MIT
// The real Freshbolt program in a throw-away program folder, against the local web service. Where the user must
// answer, it runs on a virtual X display and xdotool presses the keys and buttons.
#include "tests/support/simulator_process.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace
{

constexpr int kWaitMs = 30000;

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// An X server of its own for one test, and xdotool to act as the user on it.
class VirtualDisplay
{
public:
    ~VirtualDisplay()
    {
        m_server.kill();
        m_server.waitForFinished();
    }
    bool start()
    {
        if (QStandardPaths::findExecutable(u"Xvfb"_s).isEmpty()
            || QStandardPaths::findExecutable(u"xdotool"_s).isEmpty())
            return false;
        // Xvfb writes its display number once it accepts clients.
        m_server.start(u"Xvfb"_s, { u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, u"1024x768x24"_s });
        if (!m_server.waitForStarted() || !m_server.waitForReadyRead(kWaitMs))
            return false;
        m_name = u":"_s + QString::fromLatin1(m_server.readAllStandardOutput()).trimmed();
        return m_name.size() > 1;
    }
    QString name() const { return m_name; }

    // Runs xdotool; its output, or nothing when it failed or took too long.
    QString xdotool(const QStringList& arguments) const
    {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DISPLAY"_s, m_name);
        tool.setProcessEnvironment(environment);
        tool.start(u"xdotool"_s, arguments);
        if (!tool.waitForFinished(kWaitMs) || tool.exitCode() != 0) {
            tool.kill();
            tool.waitForFinished();
            return {};
        }
        return QString::fromLatin1(tool.readAllStandardOutput()).section(u'\n', 0, 0).trimmed();
    }
    // Waits for the visible window of exactly that title.
    QString window(const QString& title) const
    {
        return xdotool({ u"search"_s, u"--sync"_s, u"--onlyvisible"_s, u"--name"_s, u"^"_s + title + u"$"_s });
    }
    bool pressReturnIn(const QString& title) const
    {
        const QString id = window(title);
        return !id.isEmpty() && xdotool({ u"windowfocus"_s, u"--sync"_s, id }).isEmpty()
            && xdotool({ u"key"_s, u"Return"_s }).isEmpty();
    }
    bool clickIn(const QString& title, const QPoint& at) const
    {
        const QString id = window(title);
        return !id.isEmpty()
            && xdotool({ u"mousemove"_s, u"--window"_s, id, QString::number(at.x()), QString::number(at.y()),
                           u"click"_s, u"1"_s })
                   .isEmpty();
    }

private:
    QProcess m_server;
    QString m_name;
};

} // namespace

class TestFreshboltProgram : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void updatesBothFilesAndOffersRestart();
    void restartAnswer_data();
    void restartAnswer();
    void missingHelpFileEndsInFailureMessage();

private:
    void startFreshbolt(const QString& display = {});
    QString inFolder(const QString& name) const { return m_folder->filePath(name); }

    SimulatorProcess m_simulator;
    std::unique_ptr<QTemporaryDir> m_folder;
    QProcess m_freshbolt;
};

void TestFreshboltProgram::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_simulator.start());
}

void TestFreshboltProgram::init()
{
    m_simulator.clearLog();
    QVERIFY(m_simulator.control(u"update-file?name=Quillet&size=300000"_s));
    QVERIFY(m_simulator.control(u"update-file?name=Quillet_help.htm&size=7000"_s));
    // A program folder as installed, but without its help folder.
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(QFile::copy(QStringLiteral(FRESHBOLT_PATH), inFolder(u"Freshbolt"_s)));
    QVERIFY(QFile::copy(QStringLiteral(CLIP_PATH), inFolder(u"DOWNLD2.AVI"_s)));
    QVERIFY(writeFile(inFolder(u"Quillet"_s), "old program"));
}

void TestFreshboltProgram::cleanup()
{
    m_freshbolt.kill();
    m_freshbolt.waitForFinished();
}

void TestFreshboltProgram::startFreshbolt(const QString& display)
{
    QProcessEnvironment environment = m_simulator.proxyEnvironment();
    if (display.isEmpty()) {
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    } else {
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        environment.insert(u"DISPLAY"_s, display);
    }
    m_freshbolt.setProcessEnvironment(environment);
    m_freshbolt.setWorkingDirectory(m_folder->path());
    m_freshbolt.start(inFolder(u"Freshbolt"_s), {});
    QVERIFY(m_freshbolt.waitForStarted());
}

void TestFreshboltProgram::updatesBothFilesAndOffersRestart()
{
    startFreshbolt();

    // After its start pause Freshbolt fetches the help file, creating its folder, then the program file.
    QTRY_COMPARE_WITH_TIMEOUT(readFile(inFolder(u"Quillet"_s)), generatedUpdateContent(300000), kWaitMs);
    QCOMPARE(readFile(inFolder(u"help/Quillet_help.htm"_s)), generatedUpdateContent(7000));
    QVERIFY(QFileInfo(inFolder(u"Quillet"_s)).isExecutable());
    QCOMPARE(QDir(m_folder->path()).entryList({ u"*.download"_s }, QDir::Files), QStringList());
    const QStringList fetched { m_simulator.log().at(0).url, m_simulator.log().at(1).url };
    QCOMPARE(fetched,
        (QStringList { u"http://www.cobbleton.com/downloads/updates/quillet/Quillet_help.htm"_s,
            u"http://www.cobbleton.com/downloads/updates/quillet/Quillet"_s }));
    // The restart window keeps the updater running until the user answers it.
    QVERIFY(!m_freshbolt.waitForFinished(1000));
}

void TestFreshboltProgram::restartAnswer_data()
{
    QTest::addColumn<QPoint>("button");
    QTest::addColumn<bool>("starts");
    // Button centres in pixels of the restart window.
    QTest::newRow("Yes") << QPoint(82, 113) << true;
    QTest::newRow("Not Right Now") << QPoint(187, 113) << false;
}

void TestFreshboltProgram::restartAnswer()
{
    QFETCH(QPoint, button);
    QFETCH(bool, starts);
    VirtualDisplay display;
    if (!display.start())
        QSKIP("needs Xvfb and xdotool");
    // The new program only leaves a mark that it was started from the program folder.
    const QByteArray program = "#!/bin/sh\necho \"$0\" > \"$(dirname \"$0\")/started\"\n";
    QVERIFY(m_simulator.control(u"update-file?name=Quillet"_s, program));
    startFreshbolt(display.name());

    QVERIFY(display.clickIn(u"Update Successful"_s, button));
    QVERIFY(m_freshbolt.waitForFinished(kWaitMs));
    QCOMPARE(m_freshbolt.exitCode(), 0);
    QCOMPARE(readFile(inFolder(u"Quillet"_s)), program); // the new files stay either way
    if (starts)
        QTRY_COMPARE_WITH_TIMEOUT(
            readFile(inFolder(u"started"_s)).trimmed(), inFolder(u"Quillet"_s).toLocal8Bit(), kWaitMs);
    else
        QVERIFY(!QFile::exists(inFolder(u"started"_s)));
}

void TestFreshboltProgram::missingHelpFileEndsInFailureMessage()
{
    VirtualDisplay display;
    if (!display.start())
        QSKIP("needs Xvfb and xdotool");
    QVERIFY(QDir(m_folder->path()).mkdir(u"help"_s));
    QVERIFY(writeFile(inFolder(u"help/Quillet_help.htm"_s), "old help"));
    QVERIFY(m_simulator.control(u"fault?name=Quillet_help.htm&kind=status&code=404&times=1"_s));
    startFreshbolt(display.name());

    QVERIFY(display.pressReturnIn(u"File Not Found"_s));
    // The program file is still fetched; then the failure message, and no restart window.
    QVERIFY(display.pressReturnIn(u"Freshbolt"_s));
    QVERIFY(m_freshbolt.waitForFinished(kWaitMs));
    QCOMPARE(m_freshbolt.exitCode(), 0);
    QCOMPARE(readFile(inFolder(u"help/Quillet_help.htm"_s)), QByteArray("old help"));
    QCOMPARE(readFile(inFolder(u"Quillet"_s)), generatedUpdateContent(300000));
}

QTEST_GUILESS_MAIN(TestFreshboltProgram)
#include "tst_freshbolt_program.moc"
