// SPDX-License-Identifier: MIT
#include "platform/core/favorites/ini_reader.h"
#include "tests/support/test_files.h"

#include <QTemporaryDir>
#include <QTest>

class TestIniReader : public QObject
{
    Q_OBJECT
private slots:
    void windowsRules_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");

        const QByteArray shortcut = "[InternetShortcut]\r\nURL=http://www.ebay.com/\r\n";
        QTest::newRow("plain shortcut") << shortcut << "InternetShortcut"
                                        << "URL"
                                        << "http://www.ebay.com/";
        QTest::newRow("section and key in any case")
            << QByteArray("[internetSHORTCUT]\nurl=http://a/\n") << "InternetShortcut"
            << "URL"
            << "http://a/";
        QTest::newRow("blanks around key, value and section")
            << QByteArray("  [ InternetShortcut ]  \n \t URL \t=  http://a/ b  \t\n") << "InternetShortcut"
            << "URL"
            << "http://a/ b";
        QTest::newRow("one pair of double quotes") << QByteArray("[S]\nK=\"\"x\"\"\n") << "S"
                                                   << "K"
                                                   << "\"x\"";
        QTest::newRow("one pair of single quotes") << QByteArray("[S]\nK='x'\n") << "S"
                                                   << "K"
                                                   << "x";
        QTest::newRow("quotes that do not match stay") << QByteArray("[S]\nK=\"x'\n") << "S"
                                                       << "K"
                                                       << "\"x'";
        QTest::newRow("a lone quote stays") << QByteArray("[S]\nK=\"\n") << "S"
                                            << "K"
                                            << "\"";
        QTest::newRow("comment line") << QByteArray("[S]\n  ;K=commented\nK=real\n") << "S"
                                      << "K"
                                      << "real";
        QTest::newRow("no inline comment") << QByteArray("[S]\nK=a ; b\n") << "S"
                                           << "K"
                                           << "a ; b";
        QTest::newRow("first duplicate key wins") << QByteArray("[S]\nK=first\nK=second\n") << "S"
                                                  << "K"
                                                  << "first";
        QTest::newRow("first duplicate section wins") << QByteArray("[S]\nA=1\n[T]\nK=t\n[s]\nK=second\n") << "S"
                                                      << "K"
                                                      << "";
        QTest::newRow("value in the later section") << QByteArray("[T]\nK=t\n[S]\nK=s\n") << "S"
                                                    << "K"
                                                    << "s";
        QTest::newRow("no section") << QByteArray("URL=http://a/\n") << "InternetShortcut"
                                    << "URL"
                                    << "";
        QTest::newRow("no key") << QByteArray("[InternetShortcut]\nIconIndex=1\n") << "InternetShortcut"
                                << "URL"
                                << "";
        QTest::newRow("key of another section")
            << QByteArray("[Other]\nURL=x\n[InternetShortcut]\n") << "InternetShortcut"
            << "URL"
            << "";
        QTest::newRow("empty file") << QByteArray() << "InternetShortcut"
                                    << "URL"
                                    << "";
        QTest::newRow("empty value") << QByteArray("[S]\nK=\n") << "S"
                                     << "K"
                                     << "";
        QTest::newRow("equals sign in the value") << QByteArray("[S]\nK=a=b\n") << "S"
                                                  << "K"
                                                  << "a=b";
        QTest::newRow("CR line ends") << QByteArray("[S]\rK=cr\r") << "S"
                                      << "K"
                                      << "cr";
        QTest::newRow("last line without an ending") << QByteArray("[S]\nK=end") << "S"
                                                     << "K"
                                                     << "end";
        QTest::newRow("300 characters cut to 254") << QByteArray("[S]\nK=" + QByteArray(300, 'x') + "\n") << "S"
                                                   << "K" << QString(254, 'x');
        QTest::newRow("254 characters whole") << QByteArray("[S]\nK=" + QByteArray(254, 'y') + "\n") << "S"
                                              << "K" << QString(254, 'y');
        QByteArray binary;
        for (int i = 0; i < 4096; ++i)
            binary.append(char((i * 131 + 7) % 256));
        QTest::newRow("binary file") << binary << "InternetShortcut"
                                     << "URL"
                                     << "";
        QTest::newRow("binary after the value") << QByteArray("[S]\nK=v\n").append(binary) << "S"
                                                << "K"
                                                << "v";
    }

    void windowsRules()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QCOMPARE(platform::readIniValue(content, section, key, 255), value);
        // The same through a file, as the tree reads shortcuts.
        QTemporaryDir dir;
        const QString path = dir.filePath("x.url");
        QVERIFY(writeFile(path, content));
        QCOMPARE(platform::readIniFileValue(path, section, key, 255), value);
    }

    void missingOrOversizedFileReadsAsEmpty()
    {
        QTemporaryDir dir;
        QCOMPARE(platform::readIniFileValue(dir.filePath("none.url"), "S", "K", 255), QString());
        QCOMPARE(platform::readIniFileValue(dir.path(), "S", "K", 255), QString());
        const QString big = dir.filePath("big.url");
        QVERIFY(writeFile(big, "[S]\nK=v\n" + QByteArray(platform::kMaxIniFileBytes, ';')));
        QCOMPARE(platform::readIniFileValue(big, "S", "K", 255), QString());
    }
};

QTEST_GUILESS_MAIN(TestIniReader)
#include "tst_ini_reader.moc"
