// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;
class QWebEngineFindTextResult;
class QWebEnginePage;

namespace platform
{

// A browser's own find bar: finds as the text is typed, next and previous, shows the match count.
// Escape or its close button hides it and clears the highlight.
class FindBar final : public QWidget
{
    Q_OBJECT
public:
    FindBar(QWebEnginePage* page, QWidget* parent);

    // Show the bar, focus the text and select it, so typing replaces the last search.
    void activate();
    void findNext();
    void findPrevious();
    void dismiss();

    QString matchText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void find(bool backward);
    void showResult(const QWebEngineFindTextResult& result);

    QWebEnginePage* m_page;
    QLineEdit* m_text = nullptr;
    QToolButton* m_previous = nullptr;
    QToolButton* m_next = nullptr;
    QLabel* m_matches = nullptr;
};

} // namespace platform
