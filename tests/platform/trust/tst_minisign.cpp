// SPDX-License-Identifier: MIT
// The key and signature files as Debian's minisign writes them, and every way one can be damaged or forged.
#include "platform/trust/minisign.h"
#include "platform/trust/trusted_keys.h"
#include "tests/support/test_signing.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace platform;
using namespace Qt::StringLiterals;

namespace
{

PublicKey testKey()
{
    return ReadPublicKey(readFile(testPublicKey())).value();
}

// A file's line `index` replaced.
QByteArray withLine(const QByteArray& file, int index, const QByteArray& line)
{
    QList<QByteArray> lines = file.split('\n');
    lines[index] = line;
    return lines.join('\n');
}

// One base64 character of line `index` changed, so the decoded bytes differ.
QByteArray flipped(const QByteArray& file, int index, int at)
{
    QByteArray line = file.split('\n').at(index);
    line[at] = line.at(at) == 'A' ? 'B' : 'A';
    return withLine(file, index, line);
}

} // namespace

class TestMinisign : public QObject
{
    Q_OBJECT

private slots:
    void readsTheBuildsKey()
    {
        const QByteArray file = readFile(testPublicKey());
        const std::optional<PublicKey> key = ReadPublicKey(file);
        QVERIFY(key);
        QCOMPARE(key->keyId.size(), 8);
        QCOMPARE(key->key.size(), 32);
        // minisign names the key by its id in the comment line.
        QVERIFY(file.contains(KeyIdText(key->keyId).toLatin1()));
        QVERIFY(TrustedKeys().size() >= 3);
        const QList<PublicKey> trusted = TrustedKeys();
        QVERIFY(
            std::any_of(trusted.begin(), trusted.end(), [&key](const PublicKey& k) { return k.keyId == key->keyId; }));
    }

    // As minisign prints it in the key file's comment, a number: an id whose top byte is 0 has fewer digits.
    void keyIdIsPrintedAsMinisignPrintsIt()
    {
        QCOMPARE(KeyIdText(QByteArray::fromHex("3e21d2e5944da200")), u"A24D94E5D2213E"_s);
        QCOMPARE(KeyIdText(QByteArray::fromHex("b9f205ed24567b11")), u"117B5624ED05F2B9"_s);
        QCOMPARE(KeyIdText(QByteArray(8, '\0')), u"0"_s);
    }

    // The build trusts the maker's two keys and its own test key, and nothing else.
    void trustsExactlyTheKeysItWasBuiltWith()
    {
        QStringList expected;
        const QDir makerKeys(QStringLiteral(MAKER_KEY_DIR));
        const QStringList files = makerKeys.entryList({ QStringLiteral("*.pub") }, QDir::Files);
        QCOMPARE(files.size(), 2);
        for (const QString& file : files)
            expected.append(KeyIdText(ReadPublicKey(readFile(makerKeys.filePath(file))).value().keyId));
        expected.append(KeyIdText(testKey().keyId));
        QStringList trusted;
        for (const PublicKey& key : TrustedKeys())
            trusted.append(KeyIdText(key.keyId));
        expected.sort();
        trusted.sort();
        QCOMPARE(trusted, expected);
    }

    void refusesDamagedKeys_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QByteArray good = readFile(testPublicKey());
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("no comment line") << good.split('\n').at(1);
        QTest::newRow("comment without prefix") << withLine(good, 0, "minisign public key");
        QTest::newRow("key cut short") << withLine(good, 1, good.split('\n').at(1).chopped(4));
        QTest::newRow("key not base64") << withLine(good, 1, QByteArray(56, '*'));
        QTest::newRow("other algorithm") << withLine(good, 1, QByteArray("Xx" + QByteArray(40, 'a')).toBase64());
        QTest::newRow("a third line") << good + "more\n";
        QTest::newRow("over the size limit") << good + QByteArray(kMaxKeyFileBytes, ' ');
        QTest::newRow("NUL in comment") << withLine(good, 0, QByteArray("untrusted comment: a\0b", 22));
    }
    void refusesDamagedKeys()
    {
        QFETCH(QByteArray, file);
        QVERIFY(!ReadPublicKey(file));
    }

    void verifiesWhatMinisignSigned()
    {
        const QByteArray message = "product Lastbell Quillet\n";
        const std::optional<QByteArray> file = minisignSign(message, testSecretKey(), "timestamp:1 file:update");
        QVERIFY(file);
        const std::optional<Signature> signature = ReadSignature(*file);
        QVERIFY(signature);
        QCOMPARE(signature->trustedComment, QByteArray("timestamp:1 file:update"));
        QCOMPARE(Verify(message, *signature, { testKey() }), SignatureCheck::Valid);
        QCOMPARE(Verify(QByteArray(message + ' '), *signature, { testKey() }), SignatureCheck::Invalid);
        QCOMPARE(Verify(message, *signature, {}), SignatureCheck::UnknownKey);
    }

    void refusesForgedSignatures_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<SignatureCheck>("expected");
        const QByteArray good = minisignSign("update", testSecretKey()).value();
        const QByteArray line1 = good.split('\n').at(1);
        QTest::newRow("trusted comment changed")
            << withLine(good, 2, "trusted comment: timestamp:9") << true << SignatureCheck::Invalid;
        QTest::newRow("file signature changed") << flipped(good, 1, 20) << true << SignatureCheck::Invalid;
        QTest::newRow("global signature changed") << flipped(good, 3, 10) << true << SignatureCheck::Invalid;
        QTest::newRow("key id changed") << flipped(good, 1, 4) << true << SignatureCheck::UnknownKey;
        // The legacy form signs the file itself; only the hashed form is taken.
        QByteArray legacy = QByteArray::fromBase64(line1);
        legacy[1] = 'd';
        QTest::newRow("legacy algorithm") << withLine(good, 1, legacy.toBase64()) << false << SignatureCheck::Invalid;
        QTest::newRow("empty") << QByteArray() << false << SignatureCheck::Invalid;
        QTest::newRow("cut short") << good.left(good.size() / 2) << false << SignatureCheck::Invalid;
        QTest::newRow("garbage") << QByteArray("<html>Not here</html>\n") << false << SignatureCheck::Invalid;
        QTest::newRow("trusted comment too long")
            << withLine(good, 2, "trusted comment: " + QByteArray(1025, 'x')) << false << SignatureCheck::Invalid;
        QTest::newRow("base64 without padding")
            << withLine(good, 3, good.split('\n').at(3).chopped(2)) << false << SignatureCheck::Invalid;
        QTest::newRow("CRLF lines") << QByteArray(good).replace("\n", "\r\n") << true << SignatureCheck::Valid;
    }
    void refusesForgedSignatures()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, readable);
        QFETCH(SignatureCheck, expected);
        const std::optional<Signature> signature = ReadSignature(file);
        QCOMPARE(signature.has_value(), readable);
        if (signature)
            QCOMPARE(Verify("update", *signature, { testKey() }), expected);
    }

    void anotherKeyIsNotTrusted()
    {
        QTemporaryDir folder;
        const std::optional<QString> other = makeKeyPair(folder.path());
        QVERIFY(other);
        const std::optional<Signature> signature = ReadSignature(minisignSign("update", *other).value());
        QVERIFY(signature);
        QCOMPARE(Verify("update", *signature, TrustedKeys()), SignatureCheck::UnknownKey);
        // The same id under another key still fails the signature.
        PublicKey impostor = testKey();
        impostor.keyId = signature->keyId;
        QCOMPARE(Verify("update", *signature, { impostor }), SignatureCheck::Invalid);
    }
};

QTEST_GUILESS_MAIN(TestMinisign)
#include "tst_minisign.moc"
