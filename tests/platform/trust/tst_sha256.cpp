// SPDX-License-Identifier: MIT
// The running hash of a download: the same bytes as Qt's SHA-256, whatever the pieces, and a look at the result
// in between does not end it.
#include "platform/trust/sha256.h"

#include <QCryptographicHash>
#include <QTest>

class TestSha256 : public QObject
{
    Q_OBJECT
private slots:
    void matchesInPieces()
    {
        QByteArray bytes(1 << 20, Qt::Uninitialized);
        for (qsizetype i = 0; i < bytes.size(); ++i)
            bytes[i] = char(i * 131 % 251);
        const QByteArray expected = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
        platform::Sha256 hash;
        QCOMPARE(hash.result(), QCryptographicHash::hash({}, QCryptographicHash::Sha256));
        qsizetype at = 0;
        for (qsizetype piece = 1; at < bytes.size(); piece = piece * 3 + 1) {
            const qsizetype size = std::min(piece, bytes.size() - at);
            hash.addData(QByteArrayView(bytes).sliced(at, size));
            at += size;
            QCOMPARE(
                hash.result(), QCryptographicHash::hash(QByteArrayView(bytes).first(at), QCryptographicHash::Sha256));
        }
        QCOMPARE(hash.result(), expected);
        hash.reset();
        hash.addData("abc");
        QCOMPARE(hash.result().toHex(), QByteArray("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
    }
};

QTEST_GUILESS_MAIN(TestSha256)
#include "tst_sha256.moc"
