// SPDX-License-Identifier: MIT
// The display platform: XWayland in a Wayland session, so the floating toolbar can stay on top.
#include "quillet/app/display_platform.h"

#include <QTest>

using namespace quillet;

using namespace Qt::StringLiterals;

namespace
{
constexpr char kQtsChoice[] = "<Qt's choice>";
} // namespace

class TestDisplayPlatform : public QObject
{
    Q_OBJECT
private slots:
    void environment_data()
    {
        QTest::addColumn<QStringList>("given"); // NAME=value pairs
        QTest::addColumn<QString>("platform");
        const QString xcb = u"xcb"_s;
        QTest::newRow("X11 session") << QStringList { u"XDG_SESSION_TYPE=x11"_s, u"DISPLAY=:0"_s }
                                     << QString(kQtsChoice);
        QTest::newRow("nothing set") << QStringList() << QString(kQtsChoice);
        QTest::newRow("Wayland session with XWayland")
            << QStringList { u"XDG_SESSION_TYPE=wayland"_s, u"WAYLAND_DISPLAY=wayland-0"_s, u"DISPLAY=:0"_s } << xcb;
        QTest::newRow("Wayland display only, with XWayland")
            << QStringList { u"WAYLAND_DISPLAY=wayland-1"_s, u"DISPLAY=:1"_s } << xcb;
        QTest::newRow("Wayland session without XWayland")
            << QStringList { u"XDG_SESSION_TYPE=wayland"_s, u"WAYLAND_DISPLAY=wayland-0"_s } << QString(kQtsChoice);
        QTest::newRow("Wayland session, empty DISPLAY")
            << QStringList { u"WAYLAND_DISPLAY=wayland-0"_s, u"DISPLAY="_s } << QString(kQtsChoice);
        QTest::newRow("user chose Wayland") << QStringList { u"WAYLAND_DISPLAY=wayland-0"_s, u"DISPLAY=:0"_s,
            u"QT_QPA_PLATFORM=wayland"_s } << QString(kQtsChoice);
        QTest::newRow("user chose offscreen") << QStringList { u"WAYLAND_DISPLAY=wayland-0"_s, u"DISPLAY=:0"_s,
            u"QT_QPA_PLATFORM=offscreen"_s } << QString(kQtsChoice);
        QTest::newRow("empty platform counts as unset")
            << QStringList { u"WAYLAND_DISPLAY=wayland-0"_s, u"DISPLAY=:0"_s, u"QT_QPA_PLATFORM="_s } << xcb;
        QTest::newRow("empty Wayland display in an X11 session")
            << QStringList { u"WAYLAND_DISPLAY="_s, u"DISPLAY=:0"_s } << QString(kQtsChoice);
    }
    void environment()
    {
        QFETCH(QStringList, given);
        QFETCH(QString, platform);
        QProcessEnvironment environment;
        for (const QString& pair : given)
            environment.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
        QCOMPARE(display_platform::ChosenPlatform(environment).value_or(kQtsChoice), platform);
    }
};

QTEST_GUILESS_MAIN(TestDisplayPlatform)
#include "tst_display_platform.moc"
