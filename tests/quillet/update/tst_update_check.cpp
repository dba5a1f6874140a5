// SPDX-License-Identifier: MIT
#include "platform/core/instance_lock.h"
#include "platform/core/local_files.h"
#include "platform/trust/release_floor.h"
#include "quillet/update/fnewversion.h"
#include "quillet/update/update_check.h"
#include "quillet/update/version_reply.h"
#include "tests/support/fakes/fake_http_transfer.h"
#include "tests/support/fakes/fake_message_boxes.h"
#include "tests/support/fakes/fake_shell.h"
#include "tests/support/modal_answer.h"
#include "tests/support/test_signing.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quillet;

using namespace Qt::StringLiterals;
using platform::FakeHttpTransfer;
Q_DECLARE_METATYPE(FakeHttpTransfer::Reply)

namespace
{

using Reply = FakeHttpTransfer::Reply;

// The maker's publication of 1.2.1, signed with the build's test key.
struct Publication {
    QByteArray manifest;
    QByteArray signature;
};

Publication signedPublication(const std::function<QByteArray(QByteArray)>& edit = {}, const QString& key = {})
{
    QByteArray manifest = testManifest("help", "program", u"1.2.1"_s);
    if (edit)
        manifest = edit(manifest);
    return { manifest, minisignSign(manifest, key.isEmpty() ? testSecretKey() : key).value_or(QByteArray()) };
}

struct Rig {
    explicit Rig(bool answer, const QString& programFolder = u"/prog"_s)
        : updaterLock(programFolder, platform::LockHolder::Updater)
        , check(transfer, shell, boxes, files, updaterLock, programFolder, nullptr, [this, answer](QWidget*) {
            ++prompts;
            return answer;
        })
    {
    }
    // The version page, then the manifest and its signature as the service answers them; each request is
    // answered with `state` once it has been made.
    void reply(const QString& page, int state = FakeHttpTransfer::kStateComplete)
    {
        static const Publication publication = signedPublication();
        replyWith(page, FakeHttpTransfer::fileReply(publication.manifest),
            FakeHttpTransfer::fileReply(publication.signature), state);
    }
    void replyWith(const QString& page, const Reply& manifest, const Reply& signature,
        int state = FakeHttpTransfer::kStateComplete)
    {
        transfer.replies = { FakeHttpTransfer::reply(u"HTTP/1.1 200 OK"_s, {}, page.toLatin1()), manifest, signature };
        transfer.requests.clear();
        check.CheckForUpdate();
        for (qsizetype answered = 0; answered < transfer.requests.size(); ++answered)
            transfer.emitState(state);
    }

    FakeHttpTransfer transfer;
    platform::FakeShell shell;
    platform::FakeMessageBoxes boxes;
    platform::QtLocalFiles files;
    platform::InstanceLock updaterLock;
    int prompts = 0;
    UpdateCheck check;
    QSignalSpy quit { &check, &UpdateCheck::quitForUpdate };
};

// Answers the modal dialog once it is up: a button by name, or the close box for none.
void clickInDialog(const QString& button)
{
    whenModal([button](QWidget* dialog) {
        if (button.isEmpty())
            dialog->close();
        else
            dialog->findChild<QPushButton*>(button)->click();
    });
}

} // namespace

class TestUpdateCheck : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void requestsVersionPage();
    void updateNowStartsFreshbolt();
    void laterChangesNothing();
    void noOfferWhileUpdating();
    void sameVersionAndFailuresShowNothing_data();
    void sameVersionAndFailuresShowNothing();
    void freshboltMissingIsTold();
    void onlyAVerifiedPublicationIsOffered_data();
    void onlyAVerifiedPublicationIsOffered();
    void installedReleaseIsNeverOfferedAgain();
    void dialogAnswers_data();
    void dialogAnswers();
};

void TestUpdateCheck::requestsVersionPage()
{
    Rig rig(false);
    rig.check.CheckForUpdate();
    QCOMPARE(rig.transfer.requests.size(), 1);
    QCOMPARE(rig.transfer.requests[0].url, u"http://www.cobbleton.com/quillet/QuilletVersion.html"_s);

    // A newer version: its manifest, then the signature, before the offer.
    rig.reply(u"Version =1.2.1+"_s);
    QStringList asked;
    for (const FakeHttpTransfer::Request& request : std::as_const(rig.transfer.requests))
        asked.append(request.url);
    QCOMPARE(asked,
        QStringList({ u"http://www.cobbleton.com/quillet/QuilletVersion.html"_s,
            u"http://www.cobbleton.com/downloads/updates/quillet/update.manifest"_s,
            u"http://www.cobbleton.com/downloads/updates/quillet/update.manifest.minisig"_s }));
    QCOMPARE(rig.prompts, 1);
}

void TestUpdateCheck::updateNowStartsFreshbolt()
{
    Rig rig(true);
    rig.reply(u"<p>Version =1.2.1+</p>"_s);
    QCOMPARE(rig.prompts, 1);
    QCOMPARE(rig.shell.started, QStringList { u"/prog/Freshbolt"_s });
    QCOMPARE(rig.quit.count(), 1);
    QVERIFY(rig.boxes.questions.isEmpty());
}

void TestUpdateCheck::noOfferWhileUpdating()
{
    QTemporaryDir folder;
    auto updater = std::make_unique<platform::InstanceLock>(folder.path(), platform::LockHolder::Updater);
    QVERIFY(updater->tryLock());
    Rig rig(true, folder.path());
    rig.reply(u"Version =1.2.1+"_s);
    QCOMPARE(rig.prompts, 0);
    QVERIFY(rig.shell.started.isEmpty());

    // Once the updater has ended, the offer is made again.
    updater.reset();
    rig.reply(u"Version =1.2.1+"_s);
    QCOMPARE(rig.prompts, 1);
}

void TestUpdateCheck::laterChangesNothing()
{
    Rig rig(false);
    rig.reply(u"Version =1.2.1+"_s);
    QCOMPARE(rig.prompts, 1);
    QVERIFY(rig.shell.started.isEmpty());
    QCOMPARE(rig.quit.count(), 0);
}

void TestUpdateCheck::sameVersionAndFailuresShowNothing_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("state");
    QTest::newRow("same version") << u"Version =1.2.0+"_s << int(FakeHttpTransfer::kStateComplete);
    QTest::newRow("request failed") << u"Version =1.2.1+"_s << int(FakeHttpTransfer::kStateError);
    QTest::newRow("other state") << u"Version =1.2.1+"_s << 8;
}

void TestUpdateCheck::sameVersionAndFailuresShowNothing()
{
    QFETCH(QString, page);
    QFETCH(int, state);
    Rig rig(true);
    rig.reply(page, state);
    QCOMPARE(rig.prompts, 0);
    QVERIFY(rig.shell.started.isEmpty());
    QVERIFY(rig.boxes.questions.isEmpty());
}

void TestUpdateCheck::freshboltMissingIsTold()
{
    Rig rig(true);
    rig.shell.startSucceeds = false;
    rig.reply(u"Version =1.2.1+"_s);
    QCOMPARE(rig.quit.count(), 0); // Quillet stays open
    QCOMPARE(rig.boxes.questions.size(), 1);
    QVERIFY(rig.boxes.questions[0].text.contains(u"/prog/Freshbolt"_s));
    QCOMPARE(rig.boxes.questions[0].icon, platform::MessageIcon::Critical);
}

void TestUpdateCheck::dialogAnswers_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("updating");
    QTest::newRow("Update Now") << u"cmdUpdateNow"_s << true;
    QTest::newRow("Update Later") << u"cmdLater"_s << false;
    QTest::newRow("close box") << QString() << false;
}

void TestUpdateCheck::dialogAnswers()
{
    QFETCH(QString, button);
    QFETCH(bool, updating);
    FNewVersion look;
    QCOMPARE(look.windowTitle(), u"New Version Available"_s);
    QCOMPARE(look.size(), QSize(410, 188));
    QCOMPARE(look.findChild<QLabel*>(u"lblFreshbolt"_s)->text(),
        u"Freshbolt can connect to the Internet to download a small update patch.  Would you like to connect "
        u"now to update?"_s);
    QCOMPARE(look.findChild<QPushButton*>(u"cmdUpdateNow"_s)->geometry(), QRect(37, 143, 161, 29));

    clickInDialog(button);
    QCOMPARE(FNewVersion::Offer(nullptr), updating);
}

void TestUpdateCheck::onlyAVerifiedPublicationIsOffered_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<Reply>("manifest");
    QTest::addColumn<Reply>("signature");
    QTest::addColumn<bool>("offered");
    const Publication good = signedPublication();
    const auto file = &FakeHttpTransfer::fileReply;
    const auto missing = FakeHttpTransfer::reply(u"HTTP/1.1 404 Not Found"_s);
    const auto signedEdit = [&](const char* pattern, const char* to) {
        const Publication edited = signedPublication([&](const QByteArray& text) {
            return QString::fromUtf8(text)
                .replace(QRegularExpression(QLatin1String(pattern)), QLatin1String(to))
                .toUtf8();
        });
        return std::pair { file(edited.manifest), file(edited.signature) };
    };
    const QString page = u"Version =1.2.1+"_s;
    QTest::newRow("signed") << page << file(good.manifest) << file(good.signature) << true;
    QTest::newRow("announced otherwise") << u"Version =1.2.2+"_s << file(good.manifest) << file(good.signature)
                                         << false;
    QTest::newRow("no manifest") << page << missing << file(good.signature) << false;
    QTest::newRow("no signature") << page << file(good.manifest) << missing << false;
    QTest::newRow("empty signature") << page << file(good.manifest) << file({}) << false;
    QTest::newRow("signature cut short") << page << file(good.manifest) << file(good.signature.left(60)) << false;
    QTest::newRow("edited after signing")
        << page
        << file(QString::fromUtf8(good.manifest)
                    .replace(QRegularExpression(u"sequence \\d+"_s), u"sequence %1"_s.arg(acceptedSequence(9000)))
                    .toUtf8())
        << file(good.signature) << false;
    QTemporaryDir keys;
    const Publication otherKey = signedPublication({}, makeKeyPair(keys.path()).value_or(QString()));
    QTest::newRow("other key") << page << file(otherKey.manifest) << file(otherKey.signature) << false;
    const auto [expired, expiredSignature] = signedEdit("expires [^\\n]*", "expires 2026-12-01T00:00:00Z");
    QTest::newRow("expired") << page << expired << expiredSignature << false;
    const auto [older, olderSignature]
        = signedEdit("sequence \\d+", qPrintable(u"sequence %1"_s.arg(platform::ReleaseFloor() - 1)));
    QTest::newRow("older than the program") << page << older << olderSignature << false;
    const auto [other, otherSignature] = signedEdit("product [^\\n]*", "product Lastbell Quillet Pro");
    QTest::newRow("other product") << page << other << otherSignature << false;
    const QByteArray huge = good.manifest + QByteArray(platform::kMaxManifestBytes, '\n');
    QTest::newRow("manifest over 64 KiB")
        << page << FakeHttpTransfer::reply(u"HTTP/1.1 200 OK"_s, {}, huge) << file(good.signature) << false;
    QTest::newRow("announced over 64 KiB")
        << page << FakeHttpTransfer::reply(u"HTTP/1.1 200 OK"_s, { u"Content-Length: 65537"_s }, good.manifest)
        << file(good.signature) << false;
}

void TestUpdateCheck::onlyAVerifiedPublicationIsOffered()
{
    QFETCH(QString, page);
    QFETCH(Reply, manifest);
    QFETCH(Reply, signature);
    QFETCH(bool, offered);
    Rig rig(true);
    rig.replyWith(page, manifest, signature);
    QCOMPARE(rig.prompts, offered ? 1 : 0);
    QCOMPARE(rig.shell.started, offered ? QStringList { u"/prog/Freshbolt"_s } : QStringList());
    QVERIFY(rig.boxes.questions.isEmpty()); // a refused publication is never told
}

// The release recorded in the program folder: a lower sequence is a replay, the same one must be the same bytes.
void TestUpdateCheck::installedReleaseIsNeverOfferedAgain()
{
    QTemporaryDir folder;
    const Publication publication = signedPublication();
    const QString record = QDir(folder.path()).filePath(QLatin1String(platform::kInstalledReleaseName));
    const auto offeredOver = [&](const platform::InstalledRelease& installed) {
        if (!writeFile(record, platform::InstalledReleaseText(installed)))
            return -1;
        Rig rig(false, folder.path());
        rig.replyWith(u"Version =1.2.1+"_s, FakeHttpTransfer::fileReply(publication.manifest),
            FakeHttpTransfer::fileReply(publication.signature));
        return rig.prompts;
    };
    const QByteArray sameBytes = sha256(publication.manifest);
    const quint64 sequence = acceptedSequence();
    QCOMPARE(offeredOver({ sequence + 1, sameBytes }), 0);
    QCOMPARE(offeredOver({ sequence, sha256("other") }), 0);
    QCOMPARE(offeredOver({ sequence, sameBytes }), 1);
    QCOMPARE(offeredOver({ sequence - 1, sameBytes }), 1);
}

QTEST_MAIN(TestUpdateCheck)
#include "tst_update_check.moc"
