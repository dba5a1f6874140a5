// SPDX-License-Identifier: MIT
// The real Freshbolt program in a throw-away program folder, against the local web service.
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

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestFreshboltProgram : public QObject
{
    Q_OBJECT
private slots:
    void updatesBothFilesAndOffersRestart();
};

void TestFreshboltProgram::updatesBothFilesAndOffersRestart()
{
    QStandardPaths::setTestModeEnabled(true);
    SimulatorProcess simulator;
    QVERIFY(simulator.start());
    QVERIFY(simulator.control(u"update-file?name=Quillet&size=300000"_s));
    QVERIFY(simulator.control(u"update-file?name=Quillet_help.htm&size=7000"_s));

    // A program folder as installed, but without its help folder.
    QTemporaryDir folder;
    QVERIFY(QFile::copy(QStringLiteral(FRESHBOLT_PATH), folder.filePath(u"Freshbolt"_s)));
    QVERIFY(QFile::copy(QStringLiteral(CLIP_PATH), folder.filePath(u"DOWNLD2.AVI"_s)));
    QFile old(folder.filePath(u"Quillet"_s));
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("#!/bin/sh\n") > 0);
    old.close();

    QProcess freshbolt;
    QProcessEnvironment environment = simulator.proxyEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    freshbolt.setProcessEnvironment(environment);
    freshbolt.setWorkingDirectory(folder.path());
    freshbolt.start(folder.filePath(u"Freshbolt"_s), {});
    QVERIFY(freshbolt.waitForStarted());

    // After its start pause Freshbolt fetches the help file, creating its folder, then the program file.
    QTRY_COMPARE_WITH_TIMEOUT(readFile(folder.filePath(u"Quillet"_s)), generatedUpdateContent(300000), 30000);
    QCOMPARE(readFile(folder.filePath(u"help/Quillet_help.htm"_s)), generatedUpdateContent(7000));
    QVERIFY(QFileInfo(folder.filePath(u"Quillet"_s)).isExecutable());
    QCOMPARE(QDir(folder.path()).entryList({ u"*.download"_s }, QDir::Files), QStringList());
    const QStringList fetched { simulator.log().at(0).url, simulator.log().at(1).url };
    QCOMPARE(fetched,
        (QStringList { u"http://www.cobbleton.com/downloads/updates/quillet/Quillet_help.htm"_s,
            u"http://www.cobbleton.com/downloads/updates/quillet/Quillet"_s }));
    // The restart window keeps the updater running until the user answers it.
    QVERIFY(!freshbolt.waitForFinished(1000));
    freshbolt.kill();
    freshbolt.waitForFinished();
}

QTEST_GUILESS_MAIN(TestFreshboltProgram)
#include "tst_freshbolt_program.moc"
