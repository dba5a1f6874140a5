// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/message_boxes.h"
#include "tests/support/simulator_process.h"
#include "tests/support/test_signing.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;

namespace update_matrix
{

using platform::MessageAnswer;

inline constexpr qint64 kProgramSize = 300000;
inline constexpr qint64 kHelpSize = 7000;
inline const QByteArray kOldProgram = "old program";
inline const QByteArray kOldHelp = "old help";
inline const QString kFailure = u"Freshbolt"_s;
inline const QString kFailureText
    = u"There was a failure downloading one or more of the required files. You have either "
      u"cancelled the update or there was a problem retrieving a file from the server.  "
      u"Please try again another time."_s;

enum class Signing { Good, OtherKey, Missing, Empty, CutShort, Garbage };
// What the program folder says was installed before, relative to the row's publication.
enum class Recorded { Nothing, Higher, SameWithOtherContents };

// The publication's sequence number, unless a row says otherwise: newer than the program.
inline const quint64 kSequence = acceptedSequence();

// What happens besides the server's faults.
enum class Step {
    None,
    CancelButton, // in the program's body
    Escape,
    CloseBox,
    CancelInHelp, // in the help file's body
    SignalInPause,
    SignalInLockWait,
    SignalInBody,
    SignalAtQuestion,
    StalePartial,
    QuilletRunning,
    SecondUpdater,
    ReadOnlyFolder,
    FullDisk,
    NotExecutable,
    NoServer,
};

// Whatever stops the update before its first download asks the service for no update file.
inline bool asksNothing(Step step)
{
    return step == Step::SignalInPause || step == Step::SignalInLockWait || step == Step::QuilletRunning
        || step == Step::SecondUpdater || step == Step::ReadOnlyFolder || step == Step::NoServer;
}

// A later publication of the program, as the service sends it after update-file?...&shift=1000.
inline QByteArray republished(qint64 size)
{
    return generatedUpdateContent(size + 1000).mid(1000);
}

inline const QString kRepublish = u"update-file?name=Quillet&size=300000&shift=1000"_s;

// One whole run: what the service, the user and the system do, and what the user is shown and left with.
struct Case {
    QStringList faults {}; // control requests before the run
    QString atRetry {}; // a control request sent when "Download Incomplete" is first asked
    Step step = Step::None;
    QMap<QString, QList<MessageAnswer>> answers {}; // by title; other questions get their first button
    QStringList titles {}; // of every question asked, in order
    bool helpUpdated = true;
    QByteArray program {}; // the program file afterwards
    QString told {}; // a text that one of the messages holds
    // The signed publication: what its manifest says of the program, how it is signed and what is changed.
    QByteArray published {}; // empty: the program the server has at first
    Signing signing = Signing::Good;
    std::function<QByteArray(QByteArray)> editManifest {}; // before signing, or after with editedAfterSigning
    bool editedAfterSigning = false;
    Recorded recorded = Recorded::Nothing;
    quint64 sequence = kSequence;
    QStringList afterSigning {}; // control requests once the publication is signed
    qint64 publishedHelpSize = kHelpSize;
};

inline const QString kUnverified = u"The update of Lastbell Quillet could not be verified."_s;

// A publication that fails its check is refused before any update file is asked for.
inline bool asksForNoFile(const Case& row)
{
    return asksNothing(row.step) || row.told.startsWith(kUnverified);
}

// Whether the updater asked the service for the help file or the program.
inline bool askedForAFile(const QList<LoggedRequest>& log)
{
    return std::any_of(log.begin(), log.end(), [](const LoggedRequest& request) {
        return request.url.endsWith(u"/Quillet"_s) || request.url.endsWith(u"/Quillet_help.htm"_s);
    });
}

// The rows of attackers and mistakes against the signed publication.
void addPublicationRows();

// Publishes the row's signed manifest on the service, and records in the program folder what it says was
// installed before.
[[nodiscard]] bool publishSigned(SimulatorProcess& simulator, const Case& row, const QString& programFolder);

} // namespace update_matrix
