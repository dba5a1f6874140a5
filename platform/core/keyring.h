// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <functional>

class QObject;

namespace platform
{

// How the keyring answered one request.
struct KeyringAnswer {
    enum class Outcome {
        Done, // stored, found (password holds it) or removed
        NotFound, // a read found no entry for that account
        NoKeyring, // no keyring service on the session bus at all: the caller keeps the secret elsewhere
        Failed, // the keyring is there and refused: reason says why
        Locked, // the keyring is there but stays locked, or the user refused it: nothing was kept
    } outcome;
    QString password;
    QString reason;
};

// The desktop's keyring: one secret per account under the program's name. Every request is answered later,
// once, on the user-interface thread, and only while `context` lives. A keyring that hangs never answers, so
// callers that cannot wait keep their own deadline.
class Keyring
{
public:
    using Done = std::function<void(const KeyringAnswer&)>;

    virtual ~Keyring() = default;
    virtual void read(const QString& account, QObject* context, Done done) = 0;
    virtual void write(const QString& account, const QString& password, QObject* context, Done done) = 0;
    virtual void remove(const QString& account, QObject* context, Done done) = 0;
};

} // namespace platform
