// SPDX-License-Identifier: MIT
// The quiet start: the web engine's start-up report is silenced unless the user asked for it one way or another.
#include "quillet/app/quiet_start.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace
{
const QString kRules = u"QT_LOGGING_RULES"_s;
const QString kFlags = u"QTWEBENGINE_CHROMIUM_FLAGS"_s;
constexpr char kUnset[] = "<unset>";
} // namespace

class TestQuietStart : public QObject
{
    Q_OBJECT
private slots:
    void environment_data()
    {
        QTest::addColumn<QStringList>("given"); // NAME=value pairs
        QTest::addColumn<QString>("rules");
        QTest::addColumn<QString>("flags");
        const QString quietRules = u"qt.webenginecontext.info=false"_s;
        QTest::newRow("nothing set") << QStringList() << quietRules << u"--log-level=3"_s;
        QTest::newRow("debug asked for") << QStringList { u"QUILLET_DEBUG=1"_s } << QString(kUnset) << QString(kUnset);
        QTest::newRow("debug off") << QStringList { u"QUILLET_DEBUG=0"_s } << quietRules << u"--log-level=3"_s;
        QTest::newRow("debug empty") << QStringList { u"QUILLET_DEBUG="_s } << quietRules << u"--log-level=3"_s;
        QTest::newRow("own logging rules kept")
            << QStringList { u"QT_LOGGING_RULES=*.debug=true"_s } << u"*.debug=true"_s << u"--log-level=3"_s;
        QTest::newRow("empty logging rules kept")
            << QStringList { u"QT_LOGGING_RULES="_s } << QString() << u"--log-level=3"_s;
        QTest::newRow("headless flags kept, level added")
            << QStringList { u"QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox --disable-gpu"_s } << quietRules
            << u"--no-sandbox --disable-gpu --log-level=3"_s;
        QTest::newRow("own log level kept")
            << QStringList { u"QTWEBENGINE_CHROMIUM_FLAGS=--log-level=0"_s } << quietRules << u"--log-level=0"_s;
        QTest::newRow("logging asked for")
            << QStringList { u"QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu --enable-logging=stderr --v=1"_s } << quietRules
            << u"--disable-gpu --enable-logging=stderr --v=1"_s;
        // A flag that merely mentions logging in its value is not a request for it.
        QTest::newRow("lookalike flag") << QStringList { u"QTWEBENGINE_CHROMIUM_FLAGS=--user-agent=--v=1"_s }
                                        << quietRules << u"--user-agent=--v=1 --log-level=3"_s;
    }
    void environment()
    {
        QFETCH(QStringList, given);
        QFETCH(QString, rules);
        QFETCH(QString, flags);
        QProcessEnvironment environment;
        for (const QString& pair : given)
            environment.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
        const QProcessEnvironment quiet = quiet_start::QuietEnvironment(environment);
        QCOMPARE(quiet.value(kRules, QString(kUnset)), rules);
        QCOMPARE(quiet.value(kFlags, QString(kUnset)), flags);
    }
};

QTEST_GUILESS_MAIN(TestQuietStart)
#include "tst_quiet_start.moc"
