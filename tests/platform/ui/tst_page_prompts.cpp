// SPDX-License-Identifier: MIT
// A script's dialog holds up only its page's view: the window around it stays usable, and the dialog is answered
// as Cancel when the view goes behind.
#include "platform/ui/qt_page_prompts.h"
#include "tests/support/keyboard.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

class TestPagePrompts : public QObject
{
    Q_OBJECT
    QWidget m_window;
    QWidget* m_view = nullptr;
    QPushButton* m_other = nullptr;
    platform::QtPagePrompts m_prompts;

    // Runs `step` with the page's dialog once it is up (nothing, when it never comes).
    void whenAsked(std::function<void(QWidget* dialog)> step)
    {
        QTimer::singleShot(0, this, [step = std::move(step)] {
            QWidget* dialog = nullptr;
            const bool up = QTest::qWaitFor([&dialog] {
                const QWidgetList windows = QApplication::topLevelWidgets();
                const auto found = std::find_if(windows.begin(), windows.end(), [](QWidget* window) {
                    return window->isVisible() && window->windowTitle() == u"www.ebay.com says"_s;
                });
                dialog = found == windows.end() ? nullptr : *found;
                return dialog != nullptr;
            });
            step(up ? dialog : nullptr);
        });
    }

private slots:
    void initTestCase()
    {
        auto* layout = new QVBoxLayout(&m_window);
        m_view = new QWidget(&m_window);
        m_other = new QPushButton(u"Other tab"_s, &m_window);
        layout->addWidget(m_view);
        layout->addWidget(m_other);
        m_window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_window));
    }

    void onlyThePageIsHeldUp()
    {
        bool viewEnabled = true;
        bool windowBlocked = true;
        whenAsked([&](QWidget* dialog) {
            QVERIFY(dialog);
            viewEnabled = m_view->isEnabled();
            windowBlocked = !m_other->isEnabled() || QApplication::activeModalWidget() != nullptr;
            // Escape as it arrives: to the widget in the box that has the keyboard.
            QVERIFY(QTest::qWaitFor(
                [dialog] { return QApplication::focusWidget() && dialog->isAncestorOf(QApplication::focusWidget()); }));
            keyboard::press(Qt::Key_Escape);
        });
        const platform::MessageAnswer answer = m_prompts.message(m_view, u"www.ebay.com says"_s, u"Sure?"_s,
            platform::MessageIcon::Question, platform::MessageButtons::OkCancel);
        QCOMPARE(answer, platform::MessageAnswer::Cancel);
        QVERIFY(!viewEnabled);
        QVERIFY(!windowBlocked);
        QVERIFY(m_view->isEnabled()); // given back once answered
    }

    void hiddenPageIsAnsweredAsCancel()
    {
        whenAsked([&](QWidget* dialog) {
            QVERIFY(dialog);
            m_view->hide(); // the other tab brought forward
        });
        const platform::MessageAnswer answer = m_prompts.message(m_view, u"www.ebay.com says"_s, u"Sure?"_s,
            platform::MessageIcon::Question, platform::MessageButtons::OkCancel);
        QCOMPARE(answer, platform::MessageAnswer::Cancel);
        m_view->show();

        whenAsked([&](QWidget* dialog) {
            QVERIFY(dialog);
            m_view->hide();
        });
        QCOMPARE(m_prompts.text(m_view, u"www.ebay.com says"_s, u"Name?"_s, u"x"_s), std::nullopt);
        m_view->show();
    }
};

QTEST_MAIN(TestPagePrompts)
#include "tst_page_prompts.moc"
