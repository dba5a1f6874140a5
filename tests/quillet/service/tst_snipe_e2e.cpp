// SPDX-License-Identifier: MIT
#include "tests/support/fmain_fixture.h"
#include "tests/support/web_fixture.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <memory>
#include <optional>

using namespace quillet;

namespace
{

const QString kSetUp = QStringLiteral("http://www.lastbell.com/secure/login.cfm?item_number=");
constexpr int kTimeout = 20000;

} // namespace

class TestSnipeEndToEnd : public WebFixtureTest
{
    Q_OBJECT

    QWebEngineView* view(platform::WebBrowser& browser) { return static_cast<platform::QtWebBrowser&>(browser).view(); }

    // The callbacks may come after a timed-out wait, so they write into shared state, never into the stack.
    static QString waitFor(const std::shared_ptr<std::optional<QString>>& result)
    {
        if (!QTest::qWaitFor([&] { return result->has_value(); }, kTimeout))
            return QStringLiteral("(no answer)");
        return **result;
    }

    QString pageText(platform::WebBrowser& browser)
    {
        auto result = std::make_shared<std::optional<QString>>();
        view(browser)->page()->toPlainText([result](const QString& text) { *result = text; });
        return waitFor(result);
    }

    QString script(QWebEngineView* page, const char* code)
    {
        auto result = std::make_shared<std::optional<QString>>();
        page->page()->runJavaScript(QString::fromLatin1(code), [result](const QVariant& v) { *result = v.toString(); });
        return waitFor(result);
    }

    // The demo account logged in by the start-up post, as a saved login does it.
    bool openLoggedIn()
    {
        f->settings.values.insert("Main/User", "demo");
        f->settings.values.insert("Main/Password", "secret");
        f->open(true);
        return QTest::qWaitFor([&] { return f->window->brwSnipe().locationName() == "Lastbell - My Snipes"; }, kTimeout)
            && QTest::qWaitForWindowActive(f->window.get());
    }

    void checkSetUpPageFor(const QString& item)
    {
        QTRY_COMPARE_WITH_TIMEOUT(f->window->brwSnipe().locationName(), QString("Lastbell - Set Up Snipe"), kTimeout);
        QCOMPARE(f->window->tabs()->currentIndex(), 0);
        const QList<LoggedRequest> setUp = f->requestsTo(kSetUp);
        QCOMPARE(setUp.size(), 1);
        QCOMPARE(setUp[0].method, QString("GET"));
        QCOMPARE(setUp[0].url, kSetUp + item);
        QVERIFY2(setUp[0].header("Cookie").contains("LBSESSION="), setUp[0].header("Cookie").constData());
        QVERIFY(pageText(f->window->brwSnipe()).contains("Item number: " + item));
    }

private slots:
    void ctrlZInTheAuctionPageOpensTheSetUpPage_data()
    {
        QTest::addColumn<QString>("auction");
        QTest::addColumn<QString>("item");
        QTest::newRow("item=") << "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=1234567890"
                               << "1234567890";
        QTest::newRow("/itm/ number") << "http://www.ebay.com/itm/186543210987"
                                      << "186543210987";
        QTest::newRow("/itm/ words and number") << "http://www.ebay.co.uk/itm/Brass-Compass-Boxed/186543210987?var=0"
                                                << "186543210987";
    }
    void ctrlZInTheAuctionPageOpensTheSetUpPage()
    {
        QFETCH(QString, auction);
        QFETCH(QString, item);
        QVERIFY(openLoggedIn());
        f->window->OpenInAuctionBrowser(auction);
        auto* box = f->window->findChild<QComboBox*>("cboAddress");
        QTRY_COMPARE_WITH_TIMEOUT(box->currentText(), auction, kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(!f->window->brwAuction().busy(), kTimeout);
        QVERIFY(f->window->findChild<QAction*>("mnuNavigateSnipe")->isEnabled());
        f->simulator.clearLog();
        // With the focus in a text field of the page, where Ctrl+Z would otherwise undo the typing.
        QWebEngineView* page = view(f->window->brwAuction());
        QCOMPARE(
            script(page, "var q = document.createElement('input'); document.body.appendChild(q); q.focus(); 'ready'"),
            QString("ready"));
        page->setFocus();
        QTRY_VERIFY(QApplication::focusWidget() && page->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClicks(QApplication::focusWidget(), "abc");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        checkSetUpPageFor(item);
    }

    // The Edit menu's Paste does nothing in a browser, but the page's own Ctrl+V must still paste into its fields.
    void pasteKeyStillWorksInAPageField()
    {
        QVERIFY(openLoggedIn());
        QWebEngineView* page = view(f->window->brwSnipe());
        QCOMPARE(script(page,
                     "var q = document.createElement('input'); q.id = 'q'; document.body.appendChild(q); q.focus(); "
                     "'ready'"),
            QString("ready"));
        page->setFocus();
        QTRY_VERIFY(QApplication::focusWidget() && page->isAncestorOf(QApplication::focusWidget()));
        QApplication::clipboard()->setText("250.00");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        QTRY_COMPARE_WITH_TIMEOUT(script(page, "document.getElementById('q').value"), QString("250.00"), kTimeout);
    }

    void floatingToolbarReachesTheSamePage()
    {
        QVERIFY(openLoggedIn());
        f->simulator.clearLog();
        whenModal([](QWidget* toolbar) {
            QTest::keyClicks(toolbar->findChild<QLineEdit*>("txtItem"), "2345678901");
            auto* bar = toolbar->findChild<QToolBar*>("Toolbar1");
            QTest::mouseClick(bar->widgetForAction(bar->actions().first()), Qt::LeftButton);
        });
        f->window->ShowFloatingToolbar();
        QVERIFY(f->window->isVisible());
        checkSetUpPageFor("2345678901");
    }
};

QTEST_MAIN(TestSnipeEndToEnd)
#include "tst_snipe_e2e.moc"
