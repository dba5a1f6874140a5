// SPDX-License-Identifier: MIT
#include "tests/support/test_signing.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

QString testKeyFolder()
{
    return QStringLiteral(TEST_KEY_DIR);
}

std::optional<QByteArray> minisignSign(
    const QByteArray& message, const QString& secretKey, const QByteArray& trustedComment)
{
    QTemporaryDir folder;
    const QString file = QDir(folder.path()).filePath(QStringLiteral("signed"));
    if (!folder.isValid() || !writeFile(file, message))
        return std::nullopt;
    QProcess minisign;
    minisign.start(QStringLiteral("minisign"),
        { QStringLiteral("-S"), QStringLiteral("-s"), secretKey, QStringLiteral("-m"), file, QStringLiteral("-t"),
            QString::fromUtf8(trustedComment) });
    minisign.closeWriteChannel(); // the test keys have no password
    if (!minisign.waitForFinished(30000) || minisign.exitStatus() != QProcess::NormalExit || minisign.exitCode() != 0)
        return std::nullopt;
    const QByteArray signature = readFile(file + u".minisig");
    return signature == "<missing>" ? std::nullopt : std::optional<QByteArray>(signature);
}

std::optional<QString> makeKeyPair(const QString& folder)
{
    QProcess minisign;
    const QString publicKey = QDir(folder).filePath(QStringLiteral("other.pub"));
    minisign.start(QStringLiteral("minisign"),
        { QStringLiteral("-G"), QStringLiteral("-W"), QStringLiteral("-f"), QStringLiteral("-p"), publicKey,
            QStringLiteral("-s"), QDir(folder).filePath(QStringLiteral("other.key")) });
    if (!minisign.waitForFinished(30000) || minisign.exitCode() != 0)
        return std::nullopt;
    return QDir(folder).filePath(QStringLiteral("other.key"));
}
