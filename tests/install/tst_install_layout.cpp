// SPDX-License-Identifier: MIT
// The install into a temporary prefix: every file in its place with its mode, the desktop entry and the AppStream
// data pass their validators, and the installed program, started by its link on a bare virtual display, takes
// the keyboard, carries the window class its entry names, starts quietly and finds its help file beside it.
#include "installed_copy.h"
#include "tests/support/simulator_process.h"
#include "tests/support/test_files.h"
#include "tests/support/virtual_display.h"

#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTest>

#include <filesystem>

using namespace Qt::StringLiterals;

namespace
{

constexpr int kWaitMs = 30000;
const QString kId = u"com.cobbleton.Quillet"_s;
const QList<int> kIconSizes { 16, 24, 32, 48, 64, 128, 256 };

int modeOf(const QString& path)
{
    return static_cast<int>(
        std::filesystem::symlink_status(path.toStdString()).permissions() & std::filesystem::perms::mask);
}

// A tool's exit code and output; the test fails naming the tool when it is missing.
std::pair<int, QByteArray> run(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(tool, arguments);
    if (!process.waitForFinished(kWaitMs))
        return { -1, tool.toUtf8() + " did not run (scripts/install-deps installs it)" };
    return { process.exitCode(), process.readAll() };
}

// One key of the installed desktop entry.
QString entryValue(const QString& entry, const QString& key)
{
    const QRegularExpression line(u"^"_s + key + u"=(.*)$"_s, QRegularExpression::MultilineOption);
    return line.match(QString::fromUtf8(readFile(entry))).captured(1);
}

} // namespace

class TestInstallLayout : public QObject
{
    Q_OBJECT
    InstalledCopy m_copy;

    QString entry() const { return m_copy.path(u"share/applications/"_s + kId + u".desktop"_s); }
    QString icon(const QString& size, const QString& suffix) const
    {
        return m_copy.path(u"share/icons/hicolor/%1/apps/%2.%3"_s.arg(size, kId, suffix));
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY2(m_copy.install(), m_copy.output().constData());
    }

    void everyFileInPlaceWithItsMode()
    {
        QMap<QString, int> expected { { u"lib/quillet/Quillet"_s, 0755 }, { u"lib/quillet/Freshbolt"_s, 0755 },
            { u"lib/quillet/DOWNLD2.AVI"_s, 0644 }, { u"lib/quillet/help/Quillet_help.htm"_s, 0644 },
            { u"bin/quillet"_s, 0777 }, { u"share/applications/"_s + kId + u".desktop"_s, 0644 },
            { u"share/metainfo/"_s + kId + u".metainfo.xml"_s, 0644 },
            { u"share/icons/hicolor/scalable/apps/"_s + kId + u".svg"_s, 0644 } };
        for (const int size : kIconSizes)
            expected.insert(u"share/icons/hicolor/%1x%1/apps/%2.png"_s.arg(size).arg(kId), 0644);

        QMap<QString, int> installed;
        for (const auto& item : std::filesystem::recursive_directory_iterator(m_copy.prefix().toStdString())) {
            if (item.is_symlink() || !item.is_directory()) {
                const QString path = QString::fromStdString(item.path().string());
                installed.insert(QDir(m_copy.prefix()).relativeFilePath(path), modeOf(path));
            }
        }
        QCOMPARE(installed, expected);

        // The link is relative, so it follows the program folder; the updater must be able to write that folder.
        QCOMPARE(QString::fromStdString(std::filesystem::read_symlink(m_copy.path(u"bin/quillet"_s).toStdString())),
            u"../lib/quillet/Quillet"_s);
        QCOMPARE(modeOf(m_copy.folder()) & 0700, 0700);
        QCOMPARE(
            readFile(m_copy.folder() + u"/DOWNLD2.AVI"_s), readFile(QStringLiteral(BUILD_DIR "/program/DOWNLD2.AVI")));
    }

    void iconsAreOneDrawingAtEverySize()
    {
        for (const int size : kIconSizes) {
            const QImage png(icon(u"%1x%1"_s.arg(size), u"png"_s));
            QCOMPARE(png.size(), QSize(size, size));
            QCOMPARE(qAlpha(png.pixel(size / 2, size / 2)), 255); // the star's middle
            QCOMPARE(qAlpha(png.pixel(0, 0)), 0);
        }
        // The scalable icon drawn at 32 pixels is the 32-pixel picture, give or take anti-aliasing.
        QSvgRenderer svg(icon(u"scalable"_s, u"svg"_s));
        QVERIFY(svg.isValid());
        QImage drawn(32, 32, QImage::Format_ARGB32);
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        svg.render(&painter);
        painter.end();
        const QImage png = QImage(icon(u"32x32"_s, u"png"_s)).convertToFormat(QImage::Format_ARGB32);
        int differing = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                differing += qAbs(qAlpha(drawn.pixel(x, y)) - qAlpha(png.pixel(x, y))) > 64 ? 1 : 0;
        QVERIFY2(differing < 16, qPrintable(u"%1 pixels differ"_s.arg(differing)));
    }

    void desktopEntryAndMetainfoAreValid()
    {
        const auto [entryCode, entryReport] = run(u"desktop-file-validate"_s, { entry() });
        QVERIFY2(entryCode == 0, entryReport.constData());
        const auto [infoCode, infoReport] = run(u"appstreamcli"_s,
            { u"validate"_s, u"--no-net"_s, m_copy.path(u"share/metainfo/"_s + kId + u".metainfo.xml"_s) });
        QVERIFY2(infoCode == 0, infoReport.constData());

        // Started by its full path, quoted for the blank in the prefix: no PATH needed.
        QCOMPARE(entryValue(entry(), u"Exec"_s), u"\""_s + m_copy.folder() + u"/Quillet\""_s);
        QCOMPARE(entryValue(entry(), u"Icon"_s), kId);
    }

    void linkStartsInstalledProgram()
    {
        VirtualDisplay display;
        if (!display.start())
            QSKIP("needs Xvfb and xdotool");
        SimulatorProcess simulator;
        QVERIFY(simulator.start());
        QTemporaryDir home;
        // The desktop's opener, replaced by one that notes what it was asked to open.
        QVERIFY(QDir(home.path()).mkpath(u"bin"_s));
        QVERIFY(writeFile(
            home.filePath(u"bin/xdg-open"_s), "#!/bin/sh\nprintf '%s\\n' \"$1\" > \"$(dirname \"$0\")/opened\"\n"));
        QVERIFY(QFile::setPermissions(home.filePath(u"bin/xdg-open"_s), QFile::ReadOwner | QFile::ExeOwner));
        QSettings settings(home.filePath(u"config/Lastbell Quillet/Lastbell Quillet.ini"_s), QSettings::IniFormat);
        settings.setValue(u"Settings/StartScreen"_s, u"N"_s);
        settings.sync();

        QProcessEnvironment environment = simulator.proxyEnvironment();
        environment.insert(u"DISPLAY"_s, display.name());
        environment.insert(u"PATH"_s, home.filePath(u"bin"_s) + u':' + environment.value(u"PATH"_s));
        environment.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"config"_s));
        environment.insert(u"XDG_DATA_HOME"_s, home.filePath(u"data"_s));
        environment.insert(u"XDG_CACHE_HOME"_s, home.filePath(u"cache"_s));
        // As a user starts it: none of the test run's platform, logging or web engine settings.
        for (const QString& name :
            { u"QT_QPA_PLATFORM"_s, u"QT_LOGGING_RULES"_s, u"QTWEBENGINE_CHROMIUM_FLAGS"_s, u"QUILLET_DEBUG"_s })
            environment.remove(name);
        QProcess quillet;
        quillet.setProcessEnvironment(environment);
        quillet.setWorkingDirectory(home.path());
        quillet.start(m_copy.path(u"bin/quillet"_s), {});
        QVERIFY(quillet.waitForStarted());
        const auto stop = qScopeGuard([&quillet] {
            quillet.kill();
            quillet.waitForFinished();
        });

        // The window of the class the entry names; no window manager hands it the keyboard, it takes it.
        const QString windowClass = entryValue(entry(), u"StartupWMClass"_s);
        const QStringList search { u"search"_s, u"--onlyvisible"_s, u"--class"_s, u"^"_s + windowClass + u"$"_s };
        const QString window = display.waitFor(search, VirtualDisplay::kFirstWindowWaitMs);
        QVERIFY(!window.isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(display.xdotool({ u"getwindowfocus"_s, u"-f"_s }), window, kWaitMs);

        // Help > Contents from the keyboard opens the help file beside the installed program.
        QVERIFY(display.xdotool({ u"key"_s, u"--delay"_s, u"500"_s, u"alt+h"_s, u"Return"_s }).isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(home.filePath(u"bin/opened"_s)), kWaitMs);
        const QUrl opened = QUrl::fromEncoded(readFile(home.filePath(u"bin/opened"_s)).trimmed());
        QCOMPARE(opened.toLocalFile(), m_copy.folder() + u"/help/Quillet_help.htm"_s);

        quillet.terminate();
        QVERIFY(quillet.waitForFinished(kWaitMs));
        const QString errors = QString::fromLocal8Bit(quillet.readAllStandardError());
        for (const QString& noise : { u"qt.webenginecontext"_s, u"GpuControl"_s, u":ERROR:"_s, u"js: "_s })
            QVERIFY2(!errors.contains(noise), qPrintable(errors));
    }
};

QTEST_MAIN(TestInstallLayout)
#include "tst_install_layout.moc"
