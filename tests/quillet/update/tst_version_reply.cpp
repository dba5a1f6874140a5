// SPDX-License-Identifier: MIT
#include "quillet/update/version_reply.h"

#include <QTest>

using namespace quillet;

using namespace Qt::StringLiterals;

class TestVersionReply : public QObject
{
    Q_OBJECT
private slots:
    void offersUpdate_data();
    void offersUpdate();
};

void TestVersionReply::offersUpdate_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("offered");
    const QString before = u"<html><body><p>Quillet</p>"_s;
    QTest::newRow("same version") << before + u"Version =1.2.0+</body>"_s << false;
    QTest::newRow("newer") << before + u"Version =1.2.1+"_s << true;
    QTest::newRow("older counts too") << before + u"Version =1.1.9+"_s << true;
    QTest::newRow("space after equals") << u"Version = 1.2.0+"_s << true;
    QTest::newRow("no marker") << u"version =1.2.1+"_s << false;
    QTest::newRow("no plus after marker") << u"+ Version =1.2.1"_s << false;
    QTest::newRow("first marker counts") << u"Version =1.2.0+ Version =1.3.0+"_s << false;
    QTest::newRow("empty version text") << u"Version =+"_s << true;
    QTest::newRow("marker ends at 5000") << QString(4991, u'x') + u"Version =1.2.1+"_s.left(9) + u"1.2.1+"_s << false;
    QTest::newRow("plus is character 5000") << QString(4985, u'x') + u"Version =1.2.1+"_s << true;
    QTest::newRow("marker after 5000") << QString(5000, u'x') + u"Version =1.2.1+"_s << false;
}

void TestVersionReply::offersUpdate()
{
    QFETCH(QString, page);
    QFETCH(bool, offered);
    QCOMPARE(version_reply::OffersUpdate(page, u"1.2.0"_s), offered);
}

QTEST_GUILESS_MAIN(TestVersionReply)
#include "tst_version_reply.moc"
