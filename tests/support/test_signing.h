// SPDX-License-Identifier: MIT
#pragma once

#include "tests/support/test_files.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The key pair made for this build folder when it was configured (test.key, test.pub), which the build trusts.
QString testKeyFolder();
inline QString testSecretKey()
{
    return testKeyFolder() + u"/test.key";
}
inline QString testPublicKey()
{
    return testKeyFolder() + u"/test.pub";
}

// The .minisig that Debian's minisign writes for `message` with this secret key (no password).
std::optional<QByteArray> minisignSign(
    const QByteArray& message, const QString& secretKey, const QByteArray& trustedComment = "timestamp:0");

// A key pair that the build does not trust, in `folder`: the secret key's path.
std::optional<QString> makeKeyPair(const QString& folder);

QByteArray sha256(const QByteArray& bytes);

// A sequence number this build accepts: `above` past the floor of its source's time.
quint64 acceptedSequence(quint64 above = 1000);

// The maker's manifest for this help file and program: expires 90 days ahead, to the whole second.
QByteArray testManifest(const QByteArray& help, const QByteArray& program,
    const QString& version = QStringLiteral("1.3.0"), quint64 sequence = acceptedSequence());

class SimulatorProcess;

// The maker's manifest for this help file and program, signed with the build's test key, published on the service.
[[nodiscard]] bool publishSigned(SimulatorProcess& simulator, const QByteArray& help, const QByteArray& program,
    quint64 sequence = acceptedSequence());
