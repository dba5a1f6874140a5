// SPDX-License-Identifier: MIT
// Captions as a screen reader says them, and labels that name the control they stand beside.
#include "platform/ui/design_controls.h"

#include <QAccessible>
#include <QLabel>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

class TestDesignControls : public QObject
{
    Q_OBJECT
private slots:
    void spokenCaption_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("access key") << u"&Go!"_s << u"Go!"_s;
        QTest::newRow("access key inside, trailing space") << u"Last&bell "_s << u"Lastbell"_s;
        QTest::newRow("two trailing spaces") << u"Go!  "_s << u"Go!"_s;
        QTest::newRow("doubled ampersand shows one") << u"Fish && Chips"_s << u"Fish & Chips"_s;
        QTest::newRow("lone ampersand at the end stays") << u"Salt &"_s << u"Salt &"_s;
        QTest::newRow("leading space kept") << u" Item"_s << u" Item"_s;
        QTest::newRow("only spaces") << u"   "_s << QString();
        QTest::newRow("empty") << QString() << QString();
    }
    void spokenCaption()
    {
        QFETCH(QString, caption);
        QFETCH(QString, spoken);
        QCOMPARE(platform::spokenCaption(caption), spoken);
    }

    void labelNamesItsControl()
    {
        QWidget window;
        auto* label = new QLabel(u"Create &in: "_s, &window);
        auto* tree = new QTreeWidget(&window);
        platform::labelControl(label, tree);
        QCOMPARE(label->buddy(), tree);
        QCOMPARE(label->text(), u"Create &in: "_s);
        QCOMPARE(QAccessible::queryAccessibleInterface(tree)->text(QAccessible::Name), u"Create in:"_s);
    }
};

QTEST_MAIN(TestDesignControls)
#include "tst_design_controls.moc"
