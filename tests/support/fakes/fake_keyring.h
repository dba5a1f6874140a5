// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/keyring.h"

#include <QList>
#include <QMap>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <utility>

namespace platform
{

// Entries in memory, answered on the next turn of the event loop as a real keyring answers later. `state` plays
// a missing or locked keyring, one that refuses to store, or one that never answers: its requests wait until the
// test lets them through with answerHeld(), as a keyring that answers after the caller stopped waiting.
class FakeKeyring final : public Keyring
{
public:
    enum class State { Answers, NoKeyring, Locked, FailsOnWrite, NeverAnswers };
    struct Request {
        QString operation; // "read", "write" or "remove"
        QString account;
        QString password; // for a write
    };

    void read(const QString& account, QObject* context, Done done) override
    {
        requests.append({ QStringLiteral("read"), account, {} });
        answer(context, std::move(done), [this, account]() -> KeyringAnswer {
            if (!entries.contains(account))
                return { KeyringAnswer::Outcome::NotFound, {}, QStringLiteral("No such secret item") };
            return { KeyringAnswer::Outcome::Done, entries.value(account), {} };
        });
    }
    void write(const QString& account, const QString& password, QObject* context, Done done) override
    {
        requests.append({ QStringLiteral("write"), account, password });
        answer(context, std::move(done), [this, account, password]() -> KeyringAnswer {
            if (state == State::FailsOnWrite)
                return { KeyringAnswer::Outcome::Failed, {}, failReason };
            entries.insert(account, password);
            return { KeyringAnswer::Outcome::Done, {}, {} };
        });
    }
    void remove(const QString& account, QObject* context, Done done) override
    {
        requests.append({ QStringLiteral("remove"), account, {} });
        answer(context, std::move(done), [this, account]() -> KeyringAnswer {
            entries.remove(account);
            return { KeyringAnswer::Outcome::Done, {}, {} };
        });
    }

    // The requests a keyring that never answered was holding, answered now (for callers still there).
    void answerHeld()
    {
        const QList<Held> held = std::exchange(m_held, {});
        for (const Held& request : held) {
            if (request.context)
                request.answer();
        }
    }
    qsizetype heldCount() const { return m_held.size(); }

    QMap<QString, QString> entries; // account -> password
    QList<Request> requests;
    int answered = 0; // answers given so far
    State state = State::Answers;
    QString failReason = QStringLiteral("The collection could not be written");

private:
    struct Held {
        QPointer<QObject> context;
        std::function<void()> answer;
    };

    void answer(QObject* context, Done done, std::function<KeyringAnswer()> perform)
    {
        if (state == State::NoKeyring)
            perform = [] {
                return KeyringAnswer { KeyringAnswer::Outcome::NoKeyring, {}, QStringLiteral("no keyring") };
            };
        if (state == State::Locked)
            perform = [] {
                return KeyringAnswer { KeyringAnswer::Outcome::Locked, {},
                    QStringLiteral("The collection stays locked") };
            };
        auto reply = [this, done = std::move(done), perform = std::move(perform)] {
            ++answered;
            done(perform());
        };
        if (state == State::NeverAnswers)
            m_held.append({ context, std::move(reply) });
        else
            QTimer::singleShot(0, context, std::move(reply));
    }

    QList<Held> m_held;
};

} // namespace platform
