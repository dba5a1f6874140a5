// SPDX-License-Identifier: MIT
#include "tests/support/test_signing.h"

#include "platform/trust/release_floor.h"
#include "platform/trust/update_manifest.h"
#include "tests/support/simulator_process.h"

#include <QCryptographicHash>
#include <QDateTime>

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

QByteArray sha256(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

quint64 acceptedSequence(quint64 above)
{
    return platform::ReleaseFloor() + above;
}

QByteArray testManifest(const QByteArray& help, const QByteArray& program, const QString& version, quint64 sequence)
{
    const platform::UpdateManifest manifest { QStringLiteral("Lastbell Quillet"), version, sequence,
        QDateTime::currentDateTimeUtc().addDays(90).addMSecs(-QDateTime::currentMSecsSinceEpoch() % 1000),
        { { QStringLiteral("/downloads/updates/quillet/Quillet_help.htm"), QStringLiteral("help/Quillet_help.htm"),
              help.size(), sha256(help) },
            { QStringLiteral("/downloads/updates/quillet/Quillet"), QStringLiteral("Quillet"), program.size(),
                sha256(program) } } };
    return platform::ManifestText(manifest);
}

bool publishSigned(SimulatorProcess& simulator, const QByteArray& help, const QByteArray& program, quint64 sequence)
{
    const QByteArray text = testManifest(help, program, QStringLiteral("1.3.0"), sequence);
    const std::optional<QByteArray> signature = minisignSign(text, testSecretKey());
    return signature && simulator.control(u"update-file?name=" + QLatin1String(platform::kManifestName), text)
        && simulator.control(u"update-file?name=" + QLatin1String(platform::kSignatureName), *signature);
}
