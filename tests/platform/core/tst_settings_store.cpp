// SPDX-License-Identifier: MIT
#include "platform/core/settings_store.h"
#include "tests/support/test_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSettingsStore : public QObject
{
    Q_OBJECT
private slots:
    void foundFileIsMadeOwnerOnlyOnOpening_data();
    void foundFileIsMadeOwnerOnlyOnOpening();
    void firstWriteCreatesOwnerOnlyFile();
    void changesReachTheFileTogether();
};

void TestSettingsStore::foundFileIsMadeOwnerOnlyOnOpening_data()
{
    QTest::addColumn<int>("found");
    QTest::newRow("0644") << 0644;
    QTest::newRow("0666") << 0666;
    QTest::newRow("0640") << 0640;
    QTest::newRow("0600") << 0600;
}

// The password is closed up as soon as the store is opened, before anything is written.
void TestSettingsStore::foundFileIsMadeOwnerOnlyOnOpening()
{
    QFETCH(int, found);
    QTemporaryDir folder;
    const QString fileName = folder.filePath(u"Lastbell Quillet.ini"_s);
    QVERIFY(writeFile(fileName, "[Main]\nUser=demo\nPassword=secret\n"));
    QCOMPARE(::chmod(QFile::encodeName(fileName).constData(), found), 0);

    const platform::IniSettingsStore store(fileName);
    QCOMPARE(fileMode(fileName), 0600);
    QCOMPARE(store.read(u"Main"_s, u"Password"_s), u"secret"_s);
}

void TestSettingsStore::firstWriteCreatesOwnerOnlyFile()
{
    QTemporaryDir folder;
    const QString fileName = folder.filePath(u"config/Lastbell Quillet.ini"_s);
    platform::IniSettingsStore store(fileName);
    QVERIFY(!QFile::exists(fileName)); // opening alone writes nothing

    QVERIFY(store.write(u"Main"_s, u"Password"_s, u"secret"_s));
    QCOMPARE(fileMode(fileName), 0600);
    QCOMPARE(platform::IniSettingsStore(fileName).read(u"Main"_s, u"Password"_s), u"secret"_s);
}

// A key taken out is gone from the file, not left empty; the other change is there beside it.
void TestSettingsStore::changesReachTheFileTogether()
{
    QTemporaryDir folder;
    const QString fileName = folder.filePath(u"Lastbell Quillet.ini"_s);
    QVERIFY(writeFile(fileName, "[Main]\nUser=old\nPassword=secret\n"));
    platform::IniSettingsStore store(fileName);
    QVERIFY(store.apply({ { u"Main"_s, u"User"_s, u"demo"_s }, { u"Main"_s, u"Password"_s, std::nullopt } }));
    QCOMPARE(fileMode(fileName), 0600);
    const QByteArray written = readFile(fileName);
    QVERIFY2(!written.contains("Password"), written.constData());
    QCOMPARE(platform::IniSettingsStore(fileName).read(u"Main"_s, u"User"_s), u"demo"_s);
}

QTEST_MAIN(TestSettingsStore)
#include "tst_settings_store.moc"
