// SPDX-License-Identifier: MIT
// The favorite sellers and bidders windows over a main window on fakes, with real list files.
#include "quillet/favourites/user_listings.h"
#include "quillet/service/sites.h"
#include "tests/support/fmain_fixture.h"
#include "tests/support/test_files.h"

#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using namespace quillet;

namespace
{

QListWidget* listOf(QWidget* window)
{
    return window->findChild<QListWidget*>("lstFavorites");
}

QStringList rows(QWidget* window)
{
    QStringList texts;
    for (int i = 0; i < listOf(window)->count(); ++i)
        texts.append(listOf(window)->item(i)->text());
    return texts;
}

QString selectedRow(QWidget* window)
{
    const QList<QListWidgetItem*> selected = listOf(window)->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

QPushButton* button(QWidget* window, const char* name)
{
    return window->findChild<QPushButton*>(QLatin1String(name));
}

void clickRow(QWidget* window, const QString& text)
{
    QListWidget* list = listOf(window);
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    QVERIFY(found.size() == 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
}

// As the window system's close box does.
void closeBox(QWidget* window)
{
    QCloseEvent close;
    QSpontaneKeyEvent::setSpontaneous(&close);
    qApp->notify(window, &close);
}

// Runs `answer` once a modal window of that name is up and active (the list window, or the add dialog over it).
// Activation arrives a moment after the show, later still on a loaded or instrumented run.
void whenUp(const char* name, std::function<void(QWidget*)> answer)
{
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, name, answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->objectName() == QLatin1String(name) && modal->isActiveWindow()) {
            poll->stop();
            poll->deleteLater();
            answer(modal);
            // A failed check must not leave a window waiting for the user.
            if (QTest::currentTestFailed()) {
                while (QWidget* left = QApplication::activeModalWidget())
                    left->close();
            }
        }
    });
    poll->start();
}

// In the add dialog over `list`: types `id`, then ends it the way `ending` says.
void addThroughDialog(QWidget* list, const QString& id, const QString& ending)
{
    whenUp("FAddUserID", [id, ending](QWidget* dialog) {
        auto* box = dialog->findChild<QLineEdit*>("txtUserID");
        QCOMPARE(QApplication::focusWidget(), box);
        QTest::keyClicks(box, id);
        if (ending == "Enter")
            QTest::keyClick(box, Qt::Key_Return);
        else if (ending == "Escape")
            QTest::keyClick(box, Qt::Key_Escape);
        else if (ending == "close box")
            closeBox(dialog);
        else
            QTest::mouseClick(button(dialog, ending == "Add" ? "cmdAdd" : "cmdCancel"), Qt::LeftButton);
    });
    QTest::mouseClick(button(list, "cmdAdd"), Qt::LeftButton);
}

} // namespace

class TestFavoritesWindow : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<FMainFixture> f;

    QString sellersFile() const { return m_folder->filePath("Sellers.txt"); }
    QString biddersFile() const { return m_folder->filePath("Bidders.txt"); }

    // Opens the list from a menu item name, or from the Favorites button's drop-down item with that key.
    void open(const QString& source)
    {
        if (source.startsWith("mnu")) {
            f->child<QAction>(qPrintable(source))->trigger();
            return;
        }
        QMenu* dropDown = f->child<QToolBar>("tbrNavigate")->actions().at(5)->menu();
        for (QAction* item : dropDown->actions()) {
            if (item->data().toString() == source)
                item->trigger();
        }
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        m_folder = std::make_unique<QTemporaryDir>();
        f = std::make_unique<FMainFixture>();
        f->programFolder = m_folder->path();
        f->show();
        f->auction->navigations.clear(); // the start page
        QVERIFY(writeFile(sellersFile(), "zed\r\nBob\r\nalice\r\n"));
        QVERIFY(writeFile(biddersFile(), "old paper&books\r\nann"));
    }
    void cleanup()
    {
        f.reset();
        m_folder.reset();
    }

    void chosenIdOpensItsListings_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("sellers");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("chosen");
        const QStringList sellers { "alice", "Bob", "zed" };
        const QStringList bidders { "ann", "old paper&books" };
        QTest::newRow("sellers menu, Go!") << "mnuFavoritesSellers"
                                           << "Go!" << true << "Favorite Sellers List" << sellers << "Bob";
        QTest::newRow("bidders menu, double-click")
            << "mnuFavoritesBidders"
            << "double-click" << false << "Favorite Bidders List" << bidders << "old paper&books";
        QTest::newRow("drop-down Sellers, keyboard") << "Sellers"
                                                     << "keys" << true << "Favorite Sellers List" << sellers << "Bob";
        QTest::newRow("drop-down Bidders, Go!")
            << "Bidders"
            << "Go!" << false << "Favorite Bidders List" << bidders << "old paper&books";
    }
    void chosenIdOpensItsListings()
    {
        QFETCH(QString, how);
        QFETCH(bool, sellers);
        QFETCH(QString, caption);
        QFETCH(QStringList, shown);
        QFETCH(QString, chosen);
        QCOMPARE(f->window->tabs()->currentIndex(), 0);
        const QByteArray fileBefore = readFile(sellers ? sellersFile() : biddersFile());
        bool seen = false;
        whenUp("FFavorites", [&](QWidget* list) {
            seen = true;
            QCOMPARE(list->windowTitle(), caption);
            // Modal over the main window, which stays unusable meanwhile.
            QVERIFY(list->isModal());
            QCOMPARE(list->parentWidget(), f->window.get());
            QCOMPARE(rows(list), shown);
            QCOMPARE(selectedRow(list), QString());
            QVERIFY(!button(list, "cmdDelete")->isEnabled());
            if (how == "keys") {
                QCOMPARE(QApplication::focusWidget(), listOf(list));
                QTest::keyClick(listOf(list), Qt::Key_Home);
                QTest::keyClick(listOf(list), Qt::Key_Down);
                QCOMPARE(selectedRow(list), chosen);
                QVERIFY(button(list, "cmdDelete")->isEnabled());
                QTest::keyClick(listOf(list), Qt::Key_Return);
                return;
            }
            clickRow(list, chosen);
            QVERIFY(button(list, "cmdDelete")->isEnabled());
            if (how == "double-click") {
                QListWidget* box = listOf(list);
                const QRect place = box->visualItemRect(box->findItems(chosen, Qt::MatchExactly).first());
                QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, place.center());
            } else {
                QTest::mouseClick(button(list, "cmdGetInfo"), Qt::LeftButton);
            }
        });
        QFETCH(QString, source);
        open(source);
        QVERIFY(seen);
        QCOMPARE(f->auction->navigations.size(), 1);
        QCOMPARE(f->auction->navigations[0].address,
            sites::MakeAffiliateAddress(user_listings::GetUserListingsURL(chosen, sellers)));
        QCOMPARE(f->window->tabs()->currentIndex(), 1);
        // Saved on the way out, normalised: every line ended.
        QCOMPARE(readFile(sellers ? sellersFile() : biddersFile()),
            sellers ? fileBefore : QByteArray("old paper&books\r\nann\r\n"));
        QVERIFY(f->messages.questions.isEmpty());
    }

    void goWithoutARowOpensNothingButSaves()
    {
        QVERIFY(writeFile(sellersFile(), "alice\r\nALICE\r\nbob"));
        whenUp("FFavorites", [](QWidget* list) { QTest::mouseClick(button(list, "cmdGetInfo"), Qt::LeftButton); });
        open("mnuFavoritesSellers");
        QVERIFY(f->auction->navigations.isEmpty());
        QCOMPARE(f->window->tabs()->currentIndex(), 0);
        QCOMPARE(readFile(sellersFile()), QByteArray("alice\r\nbob\r\n"));
    }

    void addDialogThatAddsNothing_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<QString>("typed");
        QTest::newRow("Cancel") << "Cancel"
                                << "dave";
        QTest::newRow("close box") << "close box"
                                   << "dave";
        QTest::newRow("Escape") << "Escape"
                                << "dave";
        QTest::newRow("Add with an empty box") << "Add"
                                               << "";
        QTest::newRow("already listed in another case") << "Add"
                                                        << "ZED";
        QTest::newRow("already listed, by Enter") << "Enter"
                                                  << "BOB";
    }
    void addDialogThatAddsNothing()
    {
        QFETCH(QString, ending);
        QFETCH(QString, typed);
        whenUp("FFavorites", [&](QWidget* list) {
            clickRow(list, "Bob");
            addThroughDialog(list, typed, ending);
            QCOMPARE(rows(list), QStringList({ "alice", "Bob", "zed" }));
            QCOMPARE(selectedRow(list), QString("Bob"));
            QVERIFY(list->isVisible());
            QTest::mouseClick(button(list, "cmdClose"), Qt::LeftButton);
        });
        open("mnuFavoritesSellers");
        QVERIFY(f->messages.questions.isEmpty());
        QCOMPARE(readFile(sellersFile()), QByteArray("zed\r\nBob\r\nalice\r\n"));
        QVERIFY(f->auction->navigations.isEmpty());
    }

    void addedIdsSortInTheBoxAndAppendInTheFile()
    {
        QVERIFY(writeFile(sellersFile(), "bob\r\nalice\r\n"));
        whenUp("FFavorites", [&](QWidget* list) {
            clickRow(list, "bob");
            addThroughDialog(list, "zed", "Add");
            QCOMPARE(rows(list), QStringList({ "alice", "bob", "zed" }));
            addThroughDialog(list, "Carl", "Enter");
            QCOMPARE(rows(list), QStringList({ "alice", "bob", "Carl", "zed" }));
            addThroughDialog(list, "  ", "Add");
            QCOMPARE(rows(list), QStringList({ "  ", "alice", "bob", "Carl", "zed" }));
            QCOMPARE(selectedRow(list), QString("bob"));
            closeBox(list);
        });
        open("mnuFavoritesSellers");
        QCOMPARE(readFile(sellersFile()), QByteArray("bob\r\nalice\r\nzed\r\nCarl\r\n  \r\n"));
    }

    void deleteMovesTheSelection()
    {
        QVERIFY(writeFile(sellersFile(), "dave\r\ncarol\r\nbob\r\nalice\r\n"));
        whenUp("FFavorites", [&](QWidget* list) {
            QPushButton* cmdDelete = button(list, "cmdDelete");
            clickRow(list, "bob");
            QTest::mouseClick(cmdDelete, Qt::LeftButton);
            QCOMPARE(rows(list), QStringList({ "alice", "carol", "dave" }));
            QCOMPARE(selectedRow(list), QString("carol")); // the row that moved up
            clickRow(list, "dave");
            QTest::keyClick(listOf(list), Qt::Key_Delete);
            QCOMPARE(rows(list), QStringList({ "alice", "carol" }));
            QCOMPARE(selectedRow(list), QString("carol")); // the new last row
            QTest::mouseClick(cmdDelete, Qt::LeftButton);
            QCOMPARE(selectedRow(list), QString("alice"));
            QTest::mouseClick(cmdDelete, Qt::LeftButton);
            QVERIFY(rows(list).isEmpty());
            QCOMPARE(selectedRow(list), QString());
            QVERIFY(!cmdDelete->isEnabled());
            QTest::keyClick(listOf(list), Qt::Key_Delete); // nothing to delete
            QTest::mouseClick(button(list, "cmdClose"), Qt::LeftButton);
        });
        open("mnuFavoritesSellers");
        QVERIFY(QFileInfo::exists(sellersFile()));
        QCOMPARE(readFile(sellersFile()), QByteArray());
    }

    void keyboardOnly()
    {
        whenUp("FFavorites", [&](QWidget* list) {
            whenUp("FAddUserID", [&](QWidget* dialog) {
                QTest::keyClicks(dialog->findChild<QLineEdit*>("txtUserID"), "dave");
                QTest::keyClick(dialog, Qt::Key_Return);
            });
            // An access key clicks its button a moment later, as a real click would look.
            QTest::keyClick(list, Qt::Key_A, Qt::AltModifier); // "&Add User ID.."
            QTRY_COMPARE(rows(list), QStringList({ "alice", "Bob", "dave", "zed" }));
            // The offscreen platform has no window manager to give the list window back the focus.
            list->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(list));
            QCOMPARE(QApplication::focusWidget(), listOf(list));
            QTest::keyClick(listOf(list), Qt::Key_End);
            QCOMPARE(selectedRow(list), QString("zed"));
            QTest::keyClick(listOf(list), Qt::Key_D, Qt::AltModifier); // "&Delete"
            QTRY_COMPARE(rows(list), QStringList({ "alice", "Bob", "dave" }));
            QTest::keyClick(listOf(list), Qt::Key_Escape); // "&Close"
        });
        open("Sellers");
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(readFile(sellersFile()), QByteArray("Bob\r\nalice\r\ndave\r\n"));
        QVERIFY(f->auction->navigations.isEmpty());
    }

    // However the window ends, the list is saved once: a failing save asks exactly once.
    void savedOncePerOpening_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::newRow("Go! with no row") << "Go!";
        QTest::newRow("Close") << "Close";
        QTest::newRow("close box") << "close box";
        QTest::newRow("Escape") << "Escape";
    }
    void savedOncePerOpening()
    {
        QFETCH(QString, ending);
        f->messages.answers = { platform::MessageAnswer::Cancel };
        whenUp("FFavorites", [&](QWidget* list) {
            QVERIFY(QDir(m_folder->path()).removeRecursively()); // the program folder went away
            if (ending == "Go!")
                QTest::mouseClick(button(list, "cmdGetInfo"), Qt::LeftButton);
            else if (ending == "Close")
                QTest::mouseClick(button(list, "cmdClose"), Qt::LeftButton);
            else if (ending == "close box")
                closeBox(list);
            else
                QTest::keyClick(listOf(list), Qt::Key_Escape);
        });
        open("mnuFavoritesSellers");
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(f->messages.questions.size(), 1);
        const platform::FakeMessageBoxes::Question& asked = f->messages.questions.first();
        QCOMPARE(asked.buttons, platform::MessageButtons::RetryCancel);
        QVERIFY2(asked.text.contains(sellersFile()) && asked.text.contains("No such file or directory"),
            qPrintable(asked.text));
        QVERIFY(!QFileInfo::exists(sellersFile()));
    }

    void retrySavesAgain()
    {
        f->messages.answers = { platform::MessageAnswer::Retry };
        f->messages.whileAsking = [this] { QVERIFY(QDir().mkpath(m_folder->path())); };
        whenUp("FFavorites", [&](QWidget* list) {
            addThroughDialog(list, "dave", "Add");
            QVERIFY(QDir(m_folder->path()).removeRecursively());
            QTest::mouseClick(button(list, "cmdClose"), Qt::LeftButton);
        });
        open("mnuFavoritesSellers");
        QCOMPARE(f->messages.questions.size(), 1);
        QCOMPARE(readFile(sellersFile()), QByteArray("zed\r\nBob\r\nalice\r\ndave\r\n"));
    }

    void unreadableFileIsToldAndLeftAlone()
    {
        QVERIFY(QFile::remove(sellersFile()));
        QVERIFY(QDir().mkdir(sellersFile()));
        QTimer guard; // closes a list window that should never have opened
        bool opened = false;
        guard.setInterval(10);
        connect(&guard, &QTimer::timeout, this, [&opened] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = true;
                modal->close();
            }
        });
        guard.start();
        open("mnuFavoritesSellers");
        QVERIFY(!opened);
        QCOMPARE(f->messages.questions.size(), 1);
        QVERIFY2(f->messages.questions[0].text.contains(sellersFile())
                && f->messages.questions[0].text.contains("it is a folder, not a file"),
            qPrintable(f->messages.questions[0].text));
        QVERIFY(QFileInfo(sellersFile()).isDir());
        QVERIFY(f->auction->navigations.isEmpty());
    }
};

QTEST_MAIN(TestFavoritesWindow)
#include "tst_favorites_window.moc"
