// SPDX-License-Identifier: MIT
#include "platform/ui/add_favorite_dialog.h"
#include "tests/support/fakes/fake_message_boxes.h"
#include "tests/support/keyboard.h"
#include "tests/support/modal_answer.h"
#include "tests/support/test_files.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

class TestAddFavoriteDialog : public QObject
{
    Q_OBJECT
private slots:
    void proposesASafeNameAndWritesTheShortcut()
    {
        QTemporaryDir dir;
        platform::FakeMessageBoxes messages;
        platform::AddFavoriteDialog dialog(
            dir.path(), QString::fromUtf8("http://www.ebay.com/café?q=a b"), "Item: 1/2 - eBay", messages);
        auto* name = dialog.findChild<QLineEdit*>("txtName");
        QCOMPARE(name->text(), QString("Item_ 1_2 - eBay"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(readFile(dir.filePath("Item_ 1_2 - eBay.url")),
            QByteArray("[InternetShortcut]\r\nURL=http://www.ebay.com/caf%C3%A9?q=a%20b\r\n"));
    }

    void intoAChosenSubFolder()
    {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("Auctions/Clocks")));
        QVERIFY(QDir().mkpath(dir.filePath(".hidden")));
        platform::FakeMessageBoxes messages;
        platform::AddFavoriteDialog dialog(dir.path(), "http://a/", "A", messages);
        auto* folders = dialog.findChild<QTreeWidget*>("tvwFolders");
        QCOMPARE(folders->currentItem()->text(0), QString("Favorites"));
        const QList<QTreeWidgetItem*> clocks = folders->findItems("Clocks", Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(clocks.size(), 1);
        QVERIFY(folders->findItems(".hidden", Qt::MatchExactly | Qt::MatchRecursive).isEmpty());
        folders->setCurrentItem(clocks.first());
        dialog.accept();
        QVERIFY(QFileInfo::exists(dir.filePath("Auctions/Clocks/A.url")));
    }

    void anExistingNameAsksBeforeReplacing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("A.url");
        QVERIFY(writeFile(path, "old"));
        platform::FakeMessageBoxes messages;
        messages.answers = { platform::MessageAnswer::No, platform::MessageAnswer::Yes };
        platform::AddFavoriteDialog dialog(dir.path(), "http://a/", "A", messages);
        dialog.accept();
        QCOMPARE(messages.questions.size(), 1);
        QCOMPARE(messages.questions[0].buttons, platform::MessageButtons::YesNo);
        QCOMPARE(dialog.result(), int(QDialog::Rejected)); // No: back to the dialog
        QCOMPARE(readFile(path), QByteArray("old"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(readFile(path), QByteArray("[InternetShortcut]\r\nURL=http://a/\r\n"));
    }

    // Enter on a button that has the focus presses it, not OK.
    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("New Folder...") << "cmdNewFolder";
        QTest::newRow("Cancel") << "Cancel";
    }
    void enterPressesTheFocusedButton()
    {
        QFETCH(QString, button);
        QTemporaryDir dir;
        platform::FakeMessageBoxes messages;
        platform::AddFavoriteDialog dialog(dir.path(), "http://a/", "A", messages);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QPushButton* target = nullptr;
        for (QPushButton* each : dialog.findChildren<QPushButton*>()) {
            if (each->objectName() == button || each->text().remove('&') == button)
                target = each;
        }
        QVERIFY(target);
        QSignalSpy pressed(target, &QPushButton::clicked);
        QObject waiting;
        whenModal([](QWidget* folderName) { static_cast<QDialog*>(folderName)->reject(); }, &waiting);
        QVERIFY(keyboard::tabTo(target));
        keyboard::press(Qt::Key_Return);
        QCOMPARE(pressed.count(), 1);
        QVERIFY(!QFileInfo::exists(dir.filePath("A.url"))); // OK was not pressed
    }

    // The first key in the folder tree selects where it lands, and the favorite goes there.
    void firstKeyInTheFolderTree_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("written");
        QTest::newRow("Home") << int(Qt::Key_Home) << "A.url";
        QTest::newRow("Up") << int(Qt::Key_Up) << "A.url";
        QTest::newRow("Page Up") << int(Qt::Key_PageUp) << "A.url";
        QTest::newRow("Space") << int(Qt::Key_Space) << "A.url";
        QTest::newRow("Down") << int(Qt::Key_Down) << "Auctions/A.url";
        QTest::newRow("Page Down") << int(Qt::Key_PageDown) << "Sites/A.url";
        QTest::newRow("End") << int(Qt::Key_End) << "Sites/A.url";
    }
    void firstKeyInTheFolderTree()
    {
        QFETCH(int, key);
        QFETCH(QString, written);
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("Auctions/Clocks")));
        QVERIFY(QDir().mkpath(dir.filePath("Sites")));
        platform::FakeMessageBoxes messages;
        platform::AddFavoriteDialog dialog(dir.path(), "http://a/", "A", messages);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* folders = dialog.findChild<QTreeWidget*>("tvwFolders");
        QVERIFY(keyboard::tabTo(folders));
        keyboard::press(Qt::Key(key));
        const QList<QTreeWidgetItem*> selected = folders->selectedItems();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.first(), folders->currentItem());
        keyboard::press(Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY2(QFileInfo::exists(dir.filePath(written)), qPrintable(written));
    }

    void aFailedWriteSaysWhyAndStays()
    {
        QTemporaryDir dir;
        platform::FakeMessageBoxes messages;
        platform::AddFavoriteDialog dialog(dir.filePath("gone"), "http://a/", "A", messages);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(messages.questions.size(), 1);
        QVERIFY(messages.questions[0].text.startsWith(
            "The favorite " + dir.filePath("gone/A.url") + " cannot be written.\r"));
        QVERIFY(!messages.questions[0].text.contains("Unknown error"));
    }
};

QTEST_MAIN(TestAddFavoriteDialog)
#include "tst_add_favorite_dialog.moc"
