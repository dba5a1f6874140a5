// SPDX-License-Identifier: MIT
#include "platform/core/system_info_locator.h"
#include "quillet/commands/fabout.h"
#include "quillet/commands/link_label.h"
#include "tests/support/fakes/fake_system_info_locator.h"
#include "tests/support/fmain_fixture.h"
#include "tests/support/keyboard.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

using namespace quillet;

namespace
{

QAction* menuItem(const FMainFixture& f, const char* name)
{
    return f.child<QAction>(name);
}

bool looksHot(const LinkLabel* label)
{
    return label->palette().color(QPalette::WindowText) == LinkLabel::hotColour() && label->font().underline();
}

bool looksAtRest(const LinkLabel* label)
{
    return label->palette().color(QPalette::WindowText) == LinkLabel::restColour() && !label->font().underline();
}

bool makeFile(const QString& path, bool executable)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("#!/bin/sh\n");
    file.close();
    return !executable || file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

class TestCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void editInABrowser_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("commands");
        QTest::newRow("cut does nothing") << "mnuEditCut" << QStringList();
        QTest::newRow("copy copies the page selection") << "mnuEditCopy" << QStringList({ "copy" });
        QTest::newRow("paste does nothing") << "mnuEditPaste" << QStringList();
    }
    void editInABrowser()
    {
        QFETCH(QString, item);
        QFETCH(QStringList, commands);
        FMainFixture f;
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QApplication::clipboard()->setText("on the clipboard");
        auto* box = f.child<QComboBox>("cboAddress");
        f.window->tabs()->setCurrentIndex(1);
        box->setEditText("http://cgi.ebay.com/x");
        f.auction->widget()->setFocus();
        QCOMPARE(QApplication::focusWidget(), f.auction->widget());
        menuItem(f, item.toLatin1().constData())->trigger();
        QCOMPARE(f.auction->commands, commands);
        QVERIFY(f.snipe->commands.isEmpty());
        QCOMPARE(box->currentText(), QString("http://cgi.ebay.com/x"));
        QCOMPARE(QApplication::clipboard()->text(), QString("on the clipboard"));
    }

    // From the menu with the mouse, or with its access keys (Alt+E, then the item's letter); either way the box the
    // user clicked into, not the menu, is the control the command acts on.
    void editInTheAddressBox_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("letter"); // 0: the item is clicked; negative: Alt pressed alone first
        QTest::addColumn<QString>("boxAfter");
        QTest::addColumn<QString>("clipboardAfter");
        QTest::newRow("cut") << "mnuEditCut" << 0 << "://cgi.ebay.com/"
                             << "http";
        QTest::newRow("copy") << "mnuEditCopy" << 0 << "http://cgi.ebay.com/"
                              << "http";
        QTest::newRow("paste") << "mnuEditPaste" << 0 << "item://cgi.ebay.com/"
                               << "item";
        QTest::newRow("Alt+E T") << "mnuEditCut" << int(Qt::Key_T) << "://cgi.ebay.com/"
                                 << "http";
        QTest::newRow("Alt+E C") << "mnuEditCopy" << int(Qt::Key_C) << "http://cgi.ebay.com/"
                                 << "http";
        QTest::newRow("Alt+E P") << "mnuEditPaste" << int(Qt::Key_P) << "item://cgi.ebay.com/"
                                 << "item";
        QTest::newRow("Alt alone, E, C") << "mnuEditCopy" << -int(Qt::Key_C) << "http://cgi.ebay.com/"
                                         << "http";
    }
    void editInTheAddressBox()
    {
        QFETCH(QString, item);
        QFETCH(int, letter);
        QFETCH(QString, boxAfter);
        QFETCH(QString, clipboardAfter);
        FMainFixture f;
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.window->tabs()->setCurrentIndex(1);
        QApplication::clipboard()->setText("item");
        auto* box = f.child<QComboBox>("cboAddress");
        box->setEditText("http://cgi.ebay.com/");
        QCOMPARE(keyboard::clickInto(box), box);
        box->lineEdit()->setSelection(0, 4);
        if (letter == 0) {
            QMenu* edit = f.child<QMenu>("mnuEdit");
            f.window->menuBar()->setActiveAction(edit->menuAction());
            QTRY_VERIFY(edit->isVisible());
            QAction* command = menuItem(f, item.toLatin1().constData());
            QTest::mouseClick(edit, Qt::LeftButton, {}, edit->actionGeometry(command).center());
        } else if (letter > 0) {
            keyboard::press(Qt::Key_E, Qt::AltModifier);
            QTRY_VERIFY(QApplication::activePopupWidget());
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key(letter));
        } else {
            keyboard::press(Qt::Key_Alt, Qt::AltModifier);
            QCOMPARE(QApplication::focusWidget(), f.window->menuBar());
            keyboard::press(Qt::Key_E);
            QTRY_VERIFY(QApplication::activePopupWidget());
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key(-letter));
        }
        QTRY_COMPARE(box->currentText(), boxAfter);
        QCOMPARE(QApplication::clipboard()->text(), clipboardAfter);
        QVERIFY(f.auction->commands.isEmpty());
        QCOMPARE(QApplication::focusWidget(), box);
    }

    void findActsOnTheBrowserInFront_data()
    {
        QTest::addColumn<int>("tab");
        QTest::newRow("Lastbell tab") << 0;
        QTest::newRow("auction tab") << 1;
    }
    void findActsOnTheBrowserInFront()
    {
        QFETCH(int, tab);
        FMainFixture f;
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.window->tabs()->setCurrentIndex(tab);
        // Ctrl+F from the other browser's control still opens the find bar of the one in front.
        platform::FakeWebBrowser* front = tab == 0 ? f.snipe : f.auction;
        platform::FakeWebBrowser* behind = tab == 0 ? f.auction : f.snipe;
        QWidget* control = tab == 0 ? f.snipe->widget() : f.child<QComboBox>("cboAddress");
        QCOMPARE(keyboard::clickInto(control), control);
        keyboard::press(Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(front->commands, QStringList({ "find" }));
        QVERIFY(behind->commands.isEmpty());
    }

    void helpItemsOpenTheirAddresses_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("address");
        QTest::newRow("contents") << "mnuHelpContents"
                                  << "/opt/quillet/help/Quillet_help.htm";
        QTest::newRow("maker's home page") << "mnuHelpmnuHelpCobbleton"
                                           << "http://www.cobbleton.com?quillet";
        QTest::newRow("Lastbell online") << "mnuHelpmnuHelpLastbell"
                                         << "http://www.cobbleton.com/Lastbell.html";
        QTest::newRow("help mail") << "mnuHelpmnuHelpFeedback"
                                   << "mailto:help@lastbell.com?subject= Lastbell Quillet 1.2.0";
        QTest::newRow("mailing list") << "mnuHelpJoinList"
                                      << "mailto:list@cobbleton.com?subject=Subscribe List REF: Lastbell Quillet 1.2.0";
    }
    void helpItemsOpenTheirAddresses()
    {
        QFETCH(QString, item);
        QFETCH(QString, address);
        FMainFixture f;
        f.show();
        menuItem(f, item.toLatin1().constData())->trigger();
        QCOMPARE(f.shell.opened, QStringList({ address }));
    }

    void mainWindowLink()
    {
        FMainFixture f;
        f.show();
        auto* link = f.child<LinkLabel>("lblCobbleton");
        QCOMPARE(link->text(), QString("Cobbleton"));
        QVERIFY(looksAtRest(link));
        QTest::mouseMove(link, QPoint(3, 3));
        QVERIFY(looksHot(link));
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(looksAtRest(link));
        QCOMPARE(f.shell.opened, QStringList({ "http://www.cobbleton.com?quillet" }));
    }

    void linkLabelAccessKeyMovesToTheNextControl()
    {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(new QLineEdit(&window));
        auto* link = new LinkLabel("&Cobbleton", &window);
        layout->addWidget(link);
        auto* next = new QLineEdit(&window);
        layout->addWidget(next);
        auto* last = new QLineEdit(&window);
        layout->addWidget(last);
        QSignalSpy clicked(link, &LinkLabel::clicked);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        last->setFocus(); // the control after the label, wherever the focus was
        QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), next);
        QCOMPARE(clicked.count(), 0);
    }

    // A screen reader sees a link, and the keyboard follows it as a click does.
    void linkLabelIsALink_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Return") << QString("Return");
        QTest::newRow("Enter") << QString("Enter");
        QTest::newRow("Space") << QString("Space");
        QTest::newRow("press action") << QString("press action");
    }
    void linkLabelIsALink()
    {
        QFETCH(QString, how);
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* before = new QLineEdit(&window);
        layout->addWidget(before);
        auto* link = new LinkLabel("&Cobbleton", &window);
        layout->addWidget(link);
        QSignalSpy clicked(link, &LinkLabel::clicked);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        before->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), link);
        QVERIFY(link->font().underline());

        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(link);
        QCOMPARE(spoken->role(), QAccessible::Link);
        QCOMPARE(spoken->text(QAccessible::Name), QString("Cobbleton"));
        QVERIFY(spoken->state().focusable);
        if (how == "press action") {
            QCOMPARE(
                spoken->actionInterface()->actionNames(), QStringList { QAccessibleActionInterface::pressAction() });
            spoken->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        } else {
            const Qt::Key key = how == "Return" ? Qt::Key_Return : how == "Enter" ? Qt::Key_Enter : Qt::Key_Space;
            QTest::keyClick(QApplication::focusWidget(), key);
        }
        QCOMPARE(clicked.count(), 1);
    }

    void aboutBox()
    {
        platform::FakeShell shell;
        platform::FakeMessageBoxes messages;
        FAbout about(shell, messages, nullptr);
        QCOMPARE(about.windowTitle(), QString("About Quillet"));
        QCOMPARE(about.findChild<QLabel*>("lblVersion")->text(), QString("Version 1.2.0"));
        QCOMPARE(about.findChild<QLabel*>("lblTitle")->text(), QString("Lastbell Quillet"));
        QCOMPARE(about.findChild<QLabel*>("lblDescription")->text(),
            QString("Lastbell Quillet allows you to place bids in the waning moments of online auctions.  "
                    "Visit us at:"));
        QCOMPARE(about.findChild<QLabel*>("Label2")->text(),
            QString("for other great services and software for online auction users."));
        QVERIFY(!about.findChild<QLabel*>("lblDisclaimer")->text().isEmpty());
        QVERIFY(about.findChild<QPushButton*>("cmdOK")->isDefault());
        QCOMPARE(about.findChild<QPushButton*>("cmdSysInfo")->text(), QString("&System Info..."));
        QVERIFY(!(about.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    }

    void aboutBoxEndsByOkEnterOrEscape_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }
    void aboutBoxEndsByOkEnterOrEscape()
    {
        QFETCH(int, key);
        platform::FakeShell shell;
        platform::FakeMessageBoxes messages;
        FAbout about(shell, messages, nullptr);
        whenModal([&](QWidget* modal) { QTest::keyClick(modal, Qt::Key(key)); });
        about.exec(); // returns once a key has ended the box
        QVERIFY(!about.isVisible());
        QVERIFY(shell.started.isEmpty());
    }

    void aboutLinkOpensTheMakerAndResetsOverTheForm()
    {
        platform::FakeShell shell;
        platform::FakeMessageBoxes messages;
        FAbout about(shell, messages, nullptr);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        auto* link = about.findChild<LinkLabel*>("lblCobbleton");
        QCOMPARE(link->text(), QString("www.cobbleton.com"));
        QTest::mouseMove(link, QPoint(2, 2));
        QVERIFY(looksHot(link));
        QTest::mouseMove(about.findChild<QLabel*>("Label2"), QPoint(2, 2));
        QVERIFY(looksAtRest(link));
        QTest::mouseMove(link, QPoint(2, 2));
        QTest::mouseMove(&about, QPoint(1, 1));
        QVERIFY(looksAtRest(link));
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(shell.opened, QStringList({ "http://www.cobbleton.com/" }));
    }

    void systemInformation_data()
    {
        QTest::addColumn<bool>("pathKey");
        QTest::addColumn<bool>("folderKey");
        QTest::addColumn<bool>("toolInFolder");
        QTest::addColumn<bool>("startSucceeds");
        QTest::addColumn<QString>("started"); // "path", "folder" or empty: the message
        QTest::newRow("path key") << true << false << false << true << "path";
        QTest::newRow("path key wins over folder key") << true << true << true << true << "path";
        QTest::newRow("folder key with the tool in it") << false << true << true << true << "folder";
        QTest::newRow("folder key without the tool") << false << true << false << true << "";
        QTest::newRow("no key") << false << false << false << true << "";
        QTest::newRow("the start fails") << true << false << false << false << "";
    }
    void systemInformation()
    {
        QFETCH(bool, pathKey);
        QFETCH(bool, folderKey);
        QFETCH(bool, toolInFolder);
        QFETCH(bool, startSucceeds);
        QFETCH(QString, started);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString inFolder = folder.filePath("MSINFO32.EXE");
        if (toolInFolder)
            QVERIFY(makeFile(inFolder, true));
        platform::FakeSystemInfoLocator locator;
        // A value ends at its first NUL, as a stored registry string does.
        if (pathKey)
            locator.set(
                platform::kToolPathKey, platform::kToolPathValue, QString("/usr/bin/hardinfo") + QChar(u'\0') + "junk");
        if (folderKey)
            locator.set(platform::kToolFolderKey, platform::kToolFolderValue, folder.path());
        platform::FakeShell shell;
        shell.startSucceeds = startSucceeds;
        platform::FakeMessageBoxes messages;
        FAbout about(shell, messages, &locator);
        about.findChild<QPushButton*>("cmdSysInfo")->click();
        if (started.isEmpty()) {
            QCOMPARE(messages.questions.size(), 1);
            QCOMPARE(messages.questions[0].title, QString("Lastbell Quillet"));
            QCOMPARE(messages.questions[0].text, QString("System Information Is Unavailable At This Time"));
            QCOMPARE(messages.questions[0].buttons, platform::MessageButtons::Ok);
        } else {
            QVERIFY(messages.questions.isEmpty());
            QCOMPARE(shell.started, QStringList({ started == "path" ? QString("/usr/bin/hardinfo") : inFolder }));
        }
        QCOMPARE(locator.asked.first(), QString("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH"));
    }

    void locatorOnThePath_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("expected"); // empty: absent
        QTest::newRow("none") << QStringList() << "";
        QTest::newRow("one") << QStringList({ "kinfocenter" }) << "kinfocenter";
        QTest::newRow("the first of the list wins") << QStringList({ "kinfocenter", "hardinfo" }) << "hardinfo";
        QTest::newRow("not executable is not found") << QStringList({ "hardinfo-" }) << "";
    }
    void locatorOnThePath()
    {
        QFETCH(QStringList, installed);
        QFETCH(QString, expected);
        QTemporaryDir bin;
        for (const QString& name : installed) {
            const bool executable = !name.endsWith('-');
            QVERIFY(makeFile(bin.filePath(executable ? name : name.chopped(1)), executable));
        }
        const platform::PathSystemInfoLocator locator(
            platform::PathSystemInfoLocator::defaultPrograms(), { bin.path() });
        QString path;
        QString folder;
        const bool hasPath = locator.readValue(
            platform::KeyRoot::LocalMachine, platform::kToolPathKey, platform::kToolPathValue, path);
        const bool hasFolder = locator.readValue(
            platform::KeyRoot::LocalMachine, platform::kToolFolderKey, platform::kToolFolderValue, folder);
        QCOMPARE(hasPath, !expected.isEmpty());
        QCOMPARE(hasFolder, !expected.isEmpty());
        QCOMPARE(path, expected.isEmpty() ? QString() : bin.filePath(expected));
        QCOMPARE(folder, expected.isEmpty() ? QString() : QDir(bin.path()).absolutePath());
        QString other = "stale";
        QVERIFY(!locator.readValue(platform::KeyRoot::LocalMachine, "SOFTWARE\\Other", "PATH", other));
        QCOMPARE(other, QString());
    }
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
