// SPDX-License-Identifier: MIT
#include "platform/ui/deferred_icon_style.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <optional>

namespace platform
{

namespace
{

// Asks the style for the icon the first time anything about its pictures is wanted.
class DeferredIconEngine final : public QIconEngine
{
public:
    DeferredIconEngine(QStyle* style, QStyle::StandardPixmap which)
        : m_style(style)
        , m_which(which)
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    // Every style has these pictures; asking would read them.
    bool isNull() override { return false; }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }
    QString key() const override { return QStringLiteral("DeferredIconEngine"); }

private:
    const QIcon& icon()
    {
        if (!m_icon)
            m_icon = m_style ? m_style->standardIcon(m_which) : QIcon();
        return *m_icon;
    }

    QPointer<QStyle> m_style; // the proxy's base, which may go first
    QStyle::StandardPixmap m_which;
    std::optional<QIcon> m_icon;
};

bool isMadeWithEveryToolBarOrTextBox(QStyle::StandardPixmap which)
{
    return which == QStyle::SP_ToolBarHorizontalExtensionButton || which == QStyle::SP_ToolBarVerticalExtensionButton
        || which == QStyle::SP_LineEditClearButton;
}

} // namespace

DeferredIconStyle::DeferredIconStyle(QStyle* base)
    : QProxyStyle(base)
{
}

QIcon DeferredIconStyle::standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const
{
    if (isMadeWithEveryToolBarOrTextBox(which))
        return QIcon(new DeferredIconEngine(baseStyle(), which));
    return QProxyStyle::standardIcon(which, option, widget);
}

} // namespace platform
