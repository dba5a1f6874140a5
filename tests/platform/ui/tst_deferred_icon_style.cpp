// SPDX-License-Identifier: MIT
#include "platform/ui/deferred_icon_style.h"

#include <QLineEdit>
#include <QStyleFactory>
#include <QTest>
#include <QToolBar>

using platform::DeferredIconStyle;

namespace
{

// Fusion, counting what it is asked for.
class CountingStyle final : public QProxyStyle
{
public:
    CountingStyle()
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
    {
    }
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override
    {
        ++asked[which];
        return QProxyStyle::standardIcon(which, option, widget);
    }
    mutable QHash<StandardPixmap, int> asked;
};

} // namespace

class TestDeferredIconStyle : public QObject
{
    Q_OBJECT
private slots:
    void toolBarsAndClearButtonsReadTheirIconsOnlyWhenDrawn()
    {
        auto* counting = new CountingStyle;
        DeferredIconStyle style(counting);
        QToolBar toolBar;
        toolBar.setStyle(&style);
        toolBar.addAction(QStringLiteral("One"));
        QLineEdit text;
        text.setStyle(&style);
        text.setClearButtonEnabled(true);
        toolBar.show();
        text.show();
        QVERIFY(QTest::qWaitForWindowExposed(&text));
        QCOMPARE(counting->asked.value(QStyle::SP_LineEditClearButton), 0);
        QCOMPARE(counting->asked.value(QStyle::SP_ToolBarHorizontalExtensionButton), 0);

        // Drawn as the style draws it, once asked.
        const QIcon deferred = style.standardIcon(QStyle::SP_LineEditClearButton);
        QVERIFY(!deferred.isNull());
        const QImage drawn = deferred.pixmap(16, 16).toImage();
        QCOMPARE(counting->asked.value(QStyle::SP_LineEditClearButton), 1);
        QCOMPARE(
            drawn, counting->standardIcon(QStyle::SP_LineEditClearButton, nullptr, nullptr).pixmap(16, 16).toImage());
        QVERIFY(!drawn.isNull());
        deferred.pixmap(16, 16);
        QCOMPARE(counting->asked.value(QStyle::SP_LineEditClearButton), 2); // the comparison's own, not a second read
    }

    void otherIconsComeStraightFromTheStyle()
    {
        auto* counting = new CountingStyle;
        DeferredIconStyle style(counting);
        const QIcon icon = style.standardIcon(QStyle::SP_MessageBoxWarning);
        QCOMPARE(counting->asked.value(QStyle::SP_MessageBoxWarning), 1);
        QVERIFY(!icon.isNull());
    }
};

QTEST_MAIN(TestDeferredIconStyle)
#include "tst_deferred_icon_style.moc"
