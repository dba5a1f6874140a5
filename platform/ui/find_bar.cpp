// SPDX-License-Identifier: MIT
#include "platform/ui/find_bar.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace platform
{

namespace
{

QToolButton* button(const char* name, const QString& text, const QString& tip, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(text);
    b->setToolTip(tip);
    b->setAutoRaise(true);
    return b;
}

} // namespace

FindBar::FindBar(QWebEnginePage* page, QWidget* parent)
    : QWidget(parent)
    , m_page(page)
{
    setObjectName(QStringLiteral("findBar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    auto* label = new QLabel(QStringLiteral("Find:"), this);
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("findText"));
    m_text->setClearButtonEnabled(true);
    label->setBuddy(m_text);
    m_previous = button("findPrevious", QStringLiteral("Previous"), QStringLiteral("Find the previous match"), this);
    m_next = button("findNext", QStringLiteral("Next"), QStringLiteral("Find the next match"), this);
    m_matches = new QLabel(this);
    m_matches->setObjectName(QStringLiteral("findMatches"));
    QToolButton* closeButton = button("findClose", QStringLiteral("\u00d7"), QStringLiteral("Close (Esc)"), this);
    layout->addWidget(label);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_previous);
    layout->addWidget(m_next);
    layout->addWidget(m_matches);
    layout->addWidget(closeButton);

    connect(m_text, &QLineEdit::textChanged, this, &FindBar::findNext);
    connect(m_text, &QLineEdit::returnPressed, this, [this] {
        // Shift+Enter goes back, as in the desktop browsers.
        find(QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
    });
    connect(m_next, &QToolButton::clicked, this, &FindBar::findNext);
    connect(m_previous, &QToolButton::clicked, this, &FindBar::findPrevious);
    connect(closeButton, &QToolButton::clicked, this, &FindBar::dismiss);
    connect(m_page, &QWebEnginePage::findTextFinished, this, &FindBar::showResult);
    hide();
}

void FindBar::activate()
{
    show();
    m_text->setFocus(Qt::ShortcutFocusReason);
    m_text->selectAll();
}

void FindBar::findNext()
{
    find(false);
}

void FindBar::findPrevious()
{
    find(true);
}

void FindBar::find(bool backward)
{
    // An empty text clears the highlight.
    m_page->findText(m_text->text(), backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags());
    if (m_text->text().isEmpty())
        m_matches->clear();
}

void FindBar::showResult(const QWebEngineFindTextResult& result)
{
    if (m_text->text().isEmpty())
        m_matches->clear();
    else if (result.numberOfMatches() == 0)
        m_matches->setText(QStringLiteral("No matches"));
    else
        m_matches->setText(QStringLiteral("%1 of %2").arg(result.activeMatch()).arg(result.numberOfMatches()));
}

QString FindBar::matchText() const
{
    return m_matches->text();
}

void FindBar::dismiss()
{
    m_page->findText(QString());
    m_matches->clear();
    hide();
    if (QWebEngineView* view = QWebEngineView::forPage(m_page))
        view->setFocus(Qt::OtherFocusReason);
}

void FindBar::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        dismiss();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace platform
