// SPDX-License-Identifier: MIT
// The quiet start: the web engine's start-up report is silenced unless the user asked for it one way or another.
#include "quillet/app/quiet_start.h"

#include <QTest>

using namespace quillet;

using namespace Qt::StringLiterals;

namespace
{
constexpr char kUnchanged[] = "<unchanged>";
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
        const QString quietRules = u"qt.webenginecontext=false\njs=false"_s;
        QTest::newRow("nothing set") << QStringList() << quietRules << u"--log-level=3"_s;
        QTest::newRow("debug asked for") << QStringList { u"QUILLET_DEBUG=1"_s } << QString(kUnchanged)
                                         << QString(kUnchanged);
        QTest::newRow("debug off") << QStringList { u"QUILLET_DEBUG=0"_s } << quietRules << u"--log-level=3"_s;
        QTest::newRow("debug empty") << QStringList { u"QUILLET_DEBUG="_s } << quietRules << u"--log-level=3"_s;
        QTest::newRow("own logging rules kept")
            << QStringList { u"QT_LOGGING_RULES=*.debug=true"_s } << QString(kUnchanged) << u"--log-level=3"_s;
        QTest::newRow("empty logging rules kept")
            << QStringList { u"QT_LOGGING_RULES="_s } << QString(kUnchanged) << u"--log-level=3"_s;
        QTest::newRow("headless flags kept, level added")
            << QStringList { u"QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox --disable-gpu"_s } << quietRules
            << u"--no-sandbox --disable-gpu --log-level=3"_s;
        QTest::newRow("own log level kept")
            << QStringList { u"QTWEBENGINE_CHROMIUM_FLAGS=--log-level=0"_s } << quietRules << QString(kUnchanged);
        QTest::newRow("logging asked for")
            << QStringList { u"QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu --enable-logging=stderr --v=1"_s } << quietRules
            << QString(kUnchanged);
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
        const quiet_start::Settings quiet = quiet_start::QuietSettings(environment);
        QCOMPARE(quiet.loggingRules.value_or(kUnchanged), rules);
        QCOMPARE(quiet.chromiumFlags.value_or(kUnchanged), flags);
    }
};

QTEST_GUILESS_MAIN(TestQuietStart)
#include "tst_quiet_start.moc"
