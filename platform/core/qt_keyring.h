// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/keyring.h"

namespace platform
{

// The desktop's Secret Service keyring (GNOME Keyring, KWallet, KeePassXC) through qtkeychain, each secret
// under the service name and the account. qtkeychain's plain-text fallback is never used: where no keyring is
// on the session bus the answer is NoKeyring, and the caller decides where the secret goes instead.
class QtKeyring final : public Keyring
{
public:
    explicit QtKeyring(const QString& service);

    void read(const QString& account, QObject* context, Done done) override;
    void write(const QString& account, const QString& password, QObject* context, Done done) override;
    void remove(const QString& account, QObject* context, Done done) override;

private:
    QString m_service;
};

} // namespace platform
