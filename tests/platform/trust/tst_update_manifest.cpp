// SPDX-License-Identifier: MIT
// The manifest's strict reader, and the rules that decide whether a publication may be installed.
#include "platform/trust/update_verification.h"
#include "tests/support/test_signing.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace platform;

Q_DECLARE_METATYPE(Publication)
Q_DECLARE_METATYPE(std::optional<InstalledRelease>)

namespace
{

const QByteArray kHash(64, 'a');
const QByteArray kGood = "product Lastbell Quillet\nversion 1.3.0\nsequence 1700000000\nexpires 2030-01-31T00:00:00Z\n"
                         "file 7000 "
    + kHash + " /downloads/updates/quillet/Quillet_help.htm help/Quillet_help.htm\nfile 300000 " + kHash
    + " /downloads/updates/quillet/Quillet Quillet\n";

const QDateTime kNow = QDateTime(QDate(2029, 6, 1), QTime(12, 0), Qt::UTC);

// The maker's publish command run on a program folder, with the build's test key; its exit code.
int publishExitCode(const QString& program, const QString& out, quint64 sequence)
{
    QProcess publish;
    publish.start(QStringLiteral(PUBLISH_COMMAND),
        { QStringLiteral("--key"), testSecretKey(), QStringLiteral("--version"), QStringLiteral("1.3.0"),
            QStringLiteral("--sequence"), QString::number(sequence), QStringLiteral("--expires"),
            QStringLiteral("2031-02-03"), program, out });
    publish.closeWriteChannel();
    return publish.waitForFinished(30000) && publish.exitStatus() == QProcess::NormalExit ? publish.exitCode() : -1;
}

TrustRules rules(std::optional<InstalledRelease> installed = std::nullopt)
{
    return { { ReadPublicKey(readFile(testPublicKey())).value() }, QStringLiteral("Lastbell Quillet"),
        QStringLiteral("1.3.0"), kNow, std::move(installed) };
}

Publication signedWith(const QByteArray& manifest, const QString& key = testSecretKey())
{
    return { manifest, minisignSign(manifest, key).value() };
}

QByteArray replaced(QByteArray text, const QByteArray& from, const QByteArray& to)
{
    return text.replace(from, to);
}

} // namespace

class TestUpdateManifest : public QObject
{
    Q_OBJECT

private slots:
    void readsAManifest()
    {
        const std::optional<UpdateManifest> manifest = ReadManifest(kGood);
        QVERIFY(manifest);
        QCOMPARE(manifest->product, u"Lastbell Quillet");
        QCOMPARE(manifest->version, u"1.3.0");
        QCOMPARE(manifest->sequence, 1700000000u);
        QCOMPARE(manifest->expires, QDateTime(QDate(2030, 1, 31), QTime(0, 0), Qt::UTC));
        QCOMPARE(manifest->files.size(), 2);
        QCOMPARE(manifest->files.at(1).path, u"/downloads/updates/quillet/Quillet");
        QCOMPARE(manifest->files.at(1).destination, u"Quillet");
        QCOMPARE(manifest->files.at(1).size, 300000);
        QCOMPARE(manifest->files.at(1).sha256, QByteArray::fromHex(kHash));
        QCOMPARE(ManifestText(*manifest), kGood);
    }

    void refusesDamagedManifests_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("no final line end") << kGood.chopped(1);
        QTest::newRow("no files") << kGood.left(kGood.indexOf("file "));
        QTest::newRow("lines out of order") << replaced(
            kGood, "product Lastbell Quillet\nversion 1.3.0\n", "version 1.3.0\nproduct Lastbell Quillet\n");
        QTest::newRow("CR in a line") << replaced(kGood, "1.3.0\n", "1.3.0\r\n");
        QTest::newRow("sequence with sign") << replaced(kGood, "sequence 1", "sequence +1");
        QTest::newRow("sequence overflow") << replaced(kGood, "sequence 1700000000", "sequence 99999999999999999999");
        QTest::newRow("sequence leading zero") << replaced(kGood, "sequence 1", "sequence 01");
        QTest::newRow("expiry not UTC") << replaced(kGood, "00:00:00Z", "00:00:00+01:00");
        QTest::newRow("expiry no date") << replaced(kGood, "2030-01-31", "2030-02-31");
        QTest::newRow("size negative") << replaced(kGood, "file 7000", "file -7000");
        QTest::newRow("size huge") << replaced(kGood, "file 7000", "file 9999999999999999");
        QTest::newRow("hash short") << replaced(kGood, "file 7000 " + kHash, "file 7000 " + kHash.chopped(2));
        QTest::newRow("hash upper case") << replaced(kGood, "file 7000 " + kHash, "file 7000 " + QByteArray(64, 'A'));
        QTest::newRow("destination climbs out") << replaced(kGood, " help/Quillet_help.htm", " ../Quillet_help.htm");
        QTest::newRow("destination absolute") << replaced(kGood, " help/Quillet_help.htm", " /etc/passwd");
        QTest::newRow("destination twice") << replaced(kGood, " help/Quillet_help.htm", " Quillet");
        QTest::newRow("server path relative")
            << replaced(kGood, " /downloads/updates/quillet/Quillet ", " downloads/Quillet ");
        QTest::newRow("field missing") << replaced(kGood, " Quillet\n", "\n");
        QTest::newRow("not UTF-8") << replaced(kGood, "Lastbell", "Last\xff\xfe");
        QTest::newRow("over 64 KiB") << kGood + QByteArray("# ").repeated(kMaxManifestBytes / 2) + '\n';
    }
    void refusesDamagedManifests()
    {
        QFETCH(QByteArray, text);
        QVERIFY(!ReadManifest(text));
    }

    void checksThePublication_data()
    {
        QTest::addColumn<Publication>("publication");
        QTest::addColumn<std::optional<InstalledRelease>>("installed");
        QTest::addColumn<UpdateRefusal>("refusal");
        const Publication good = signedWith(kGood);
        const InstalledRelease same = ReleaseOf(kGood, ReadManifest(kGood).value());
        const auto edited = [&good](const QByteArray& from, const QByteArray& to) {
            return Publication { replaced(kGood, from, to), good.signature };
        };
        const auto resigned
            = [](const QByteArray& from, const QByteArray& to) { return signedWith(replaced(kGood, from, to)); };
        const std::nullopt_t none = std::nullopt;
        QTest::newRow("good") << good << std::optional<InstalledRelease>() << UpdateRefusal::None;
        QTest::newRow("the installed publication again") << good << std::optional(same) << UpdateRefusal::None;
        QTest::newRow("newer than installed")
            << good << std::optional(InstalledRelease { 1699999999, QByteArray(32, 'x') }) << UpdateRefusal::None;
        QTest::newRow("no signature") << Publication { kGood, none } << std::optional<InstalledRelease>()
                                      << UpdateRefusal::NoSignature;
        QTest::newRow("empty signature") << Publication { kGood, QByteArray() } << std::optional<InstalledRelease>()
                                         << UpdateRefusal::NoSignature;
        QTest::newRow("signature cut short") << Publication { kGood, good.signature->left(50) }
                                             << std::optional<InstalledRelease>() << UpdateRefusal::Damaged;
        QTest::newRow("version edited") << edited("1.3.0", "1.3.1") << std::optional<InstalledRelease>()
                                        << UpdateRefusal::Damaged;
        QTest::newRow("size edited") << edited("file 7000", "file 7001") << std::optional<InstalledRelease>()
                                     << UpdateRefusal::Damaged;
        QTest::newRow("sequence edited") << edited("1700000000", "1800000000") << std::optional<InstalledRelease>()
                                         << UpdateRefusal::Damaged;
        QTest::newRow("signed but unreadable")
            << resigned("sequence 1", "sequence x") << std::optional<InstalledRelease>() << UpdateRefusal::Damaged;
        QTest::newRow("another product") << resigned("Lastbell Quillet", "Lastbell Other")
                                         << std::optional<InstalledRelease>() << UpdateRefusal::OtherProduct;
        QTest::newRow("another version") << resigned("1.3.0", "1.4.0") << std::optional<InstalledRelease>()
                                         << UpdateRefusal::OtherVersion;
        QTest::newRow("expired") << resigned("2030-01-31", "2029-06-01") << std::optional<InstalledRelease>()
                                 << UpdateRefusal::Expired;
        QTest::newRow("below the installed sequence")
            << good << std::optional(InstalledRelease { 1700000001, same.manifestSha256 }) << UpdateRefusal::Older;
        QTest::newRow("installed sequence, other contents")
            << resigned("file 7000", "file 7002") << std::optional(same) << UpdateRefusal::Older;
        QTemporaryDir folder;
        QTest::newRow("another key") << signedWith(kGood, makeKeyPair(folder.path()).value())
                                     << std::optional<InstalledRelease>() << UpdateRefusal::UntrustedKey;
    }
    void checksThePublication()
    {
        QFETCH(Publication, publication);
        QFETCH(std::optional<InstalledRelease>, installed);
        QFETCH(UpdateRefusal, refusal);
        const UpdateVerdict verdict = CheckPublication(publication, rules(installed));
        QCOMPARE(verdict.refusal, refusal);
        QCOMPARE(verdict.manifest.has_value(), refusal == UpdateRefusal::None);
        QCOMPARE(RefusalText(verdict).isEmpty(), refusal == UpdateRefusal::None);
    }

    // The program's own age refuses what no record would: a fresh folder, a replay of an older release.
    void floorHoldsWithoutARecord()
    {
        const Publication good = signedWith(kGood); // sequence 1700000000
        for (const auto& [floor, refusal] : { std::pair { 1700000001ull, UpdateRefusal::Older },
                 std::pair { 1700000000ull, UpdateRefusal::None }, std::pair { 0ull, UpdateRefusal::None } }) {
            TrustRules fresh = rules();
            fresh.floor = floor;
            QCOMPARE(CheckPublication(good, fresh).refusal, refusal);
        }
        TrustRules recorded = rules(ReleaseOf(kGood, ReadManifest(kGood).value()));
        recorded.floor = 1700000001;
        QCOMPARE(RefusalText(CheckPublication(good, recorded)), u"The update is older than the release installed.");
    }

    void namesTheExpiryDate()
    {
        const UpdateVerdict verdict
            = CheckPublication(signedWith(replaced(kGood, "2030-01-31T00:00:00Z", "2029-05-31T23:59:59Z")), rules());
        QCOMPARE(RefusalText(verdict), u"The update expired on 2029-05-31.");
    }

    // The maker's publish command writes a tree whose manifest passes every rule and names its files exactly.
    void publishCommandWritesAVerifiedTree()
    {
        QTemporaryDir folder;
        const QString program = folder.filePath(QStringLiteral("program"));
        const QString out = folder.filePath(QStringLiteral("out"));
        QVERIFY(QDir().mkpath(program + u"/help"));
        // A program whose source is from second 70, as a build says in its file.
        QVERIFY(writeFile(program + u"/Quillet", "#!/bin/sh\n# quillet-release-floor=70\n"));
        QVERIFY(writeFile(program + u"/help/Quillet_help.htm", "<html>help</html>"));
        QCOMPARE(publishExitCode(program, out, 77), 0);

        const QString served = out + u"/downloads/updates/quillet/";
        const QByteArray manifestBytes = readFile(served + u"update.manifest");
        const UpdateVerdict verdict
            = CheckPublication({ manifestBytes, readFile(served + u"update.manifest.minisig") }, rules());
        QCOMPARE(verdict.refusal, UpdateRefusal::None);
        QCOMPARE(verdict.manifest->sequence, 77u);
        QCOMPARE(verdict.manifest->expires, QDateTime(QDate(2031, 2, 3), QTime(0, 0), Qt::UTC));
        QCOMPARE(verdict.manifest->files.size(), 2);
        for (const ManifestFile& file : verdict.manifest->files) {
            const QByteArray bytes = readFile(out + file.path);
            QCOMPARE(bytes, readFile(program + u'/' + file.destination));
            QCOMPARE(file.size, bytes.size());
            QCOMPARE(file.sha256, sha256(bytes));
        }
        QVERIFY(readFile(out + u"/quillet/QuilletVersion.html").contains("Version =1.3.0+"));
    }

    // Below the floor the program carries, or without one, nothing is published: the program would refuse it.
    void publishCommandRefusesWhatTheProgramWouldRefuse_data()
    {
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<quint64>("sequence");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("below the floor") << QByteArray("quillet-release-floor=70\n") << quint64(69) << 1;
        QTest::newRow("at the floor") << QByteArray("quillet-release-floor=70\n") << quint64(70) << 0;
        QTest::newRow("shorter number") << QByteArray("quillet-release-floor=1796720706\n") << quint64(999999999) << 1;
        QTest::newRow("longer number") << QByteArray("quillet-release-floor=1796720706\n") << quint64(17967207060) << 0;
        QTest::newRow("no floor: not a build") << QByteArray("#!/bin/sh\n") << quint64(77) << 1;
    }
    void publishCommandRefusesWhatTheProgramWouldRefuse()
    {
        QFETCH(QByteArray, program);
        QFETCH(quint64, sequence);
        QFETCH(int, exitCode);
        QTemporaryDir folder;
        const QString release = folder.filePath(QStringLiteral("program"));
        const QString out = folder.filePath(QStringLiteral("out"));
        QVERIFY(QDir().mkpath(release + u"/help"));
        QVERIFY(writeFile(release + u"/Quillet", program));
        QVERIFY(writeFile(release + u"/help/Quillet_help.htm", "<html>help</html>"));
        QCOMPARE(publishExitCode(release, out, sequence), exitCode);
        QCOMPARE(QFile::exists(out + u"/downloads/updates/quillet/update.manifest.minisig"), exitCode == 0);
    }

    void readsTheInstalledRelease_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("readable");
        const InstalledRelease release { 42, sha256("m") };
        const QByteArray good = InstalledReleaseText(release);
        QTest::newRow("as written") << good << true;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("no line end") << good.chopped(1) << false;
        QTest::newRow("sequence not a number") << replaced(good, "42", "4x") << false;
        QTest::newRow("sequence leading zero") << replaced(good, "42", "042") << false;
        QTest::newRow("hash too long") << replaced(good, "manifest ", "manifest 00") << false;
        QTest::newRow("a third line") << good + "more\n" << false;
    }
    void readsTheInstalledRelease()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, readable);
        const std::optional<InstalledRelease> release = ReadInstalledRelease(text);
        QCOMPARE(release.has_value(), readable);
        if (release)
            QCOMPARE(InstalledReleaseText(*release), text);
    }
};

QTEST_GUILESS_MAIN(TestUpdateManifest)
#include "tst_update_manifest.moc"
