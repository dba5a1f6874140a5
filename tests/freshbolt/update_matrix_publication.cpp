// SPDX-License-Identifier: MIT
// The update matrix's signed publication, and its rows of attackers and mistakes: each must end with the folder as
// it was, nothing of the publication installed or started, and the user told why in one message.
#include "platform/trust/release_floor.h"
#include "platform/trust/update_verification.h"
#include "tests/support/test_signing.h"
#include "update_matrix_case.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace update_matrix
{

namespace
{

QByteArray manifestFor(const QByteArray& program, qint64 helpSize, quint64 sequence)
{
    return testManifest(generatedUpdateContent(helpSize), program, u"1.3.0"_s, sequence);
}

std::optional<QByteArray> signature(const QByteArray& manifest, Signing signing)
{
    switch (signing) {
    case Signing::Good:
    case Signing::CutShort:
        return minisignSign(manifest, testSecretKey());
    case Signing::OtherKey: {
        QTemporaryDir folder;
        const std::optional<QString> key = makeKeyPair(folder.path());
        return key ? minisignSign(manifest, *key) : std::nullopt;
    }
    case Signing::Empty:
        return QByteArray();
    case Signing::Garbage:
        return QByteArray("<html><body>Moved</body></html>\n");
    case Signing::Missing:
        break;
    }
    return std::nullopt;
}

// The row's text with `from` replaced: the edits an attacker makes.
std::function<QByteArray(QByteArray)> replacing(const QByteArray& from, const QByteArray& to)
{
    return [from, to](QByteArray text) { return text.replace(from, to); };
}

} // namespace

bool publishSigned(SimulatorProcess& simulator, const Case& row, const QString& programFolder)
{
    QByteArray manifest = manifestFor(row.published.isEmpty() ? generatedUpdateContent(kProgramSize) : row.published,
        row.publishedHelpSize, row.sequence);
    if (row.editManifest && !row.editedAfterSigning)
        manifest = row.editManifest(manifest);
    std::optional<QByteArray> signed_ = signature(manifest, row.signing);
    if (row.signing != Signing::Missing && !signed_)
        return false;
    if (row.signing == Signing::CutShort)
        signed_ = signed_->left(signed_->size() / 2);
    const QByteArray installed = manifest;
    if (row.editManifest && row.editedAfterSigning)
        manifest = row.editManifest(manifest);

    const QString signatureName = QLatin1String(platform::kSignatureName);
    if (!simulator.control(u"update-file?name="_s + QLatin1String(platform::kManifestName), manifest)
        || !(signed_ ? simulator.control(u"update-file?name="_s + signatureName, *signed_)
                     : simulator.control(u"update-file?name="_s + signatureName + u"&remove=1"_s)))
        return false;
    for (const QString& request : row.afterSigning)
        if (!simulator.control(request))
            return false;

    if (row.recorded == Recorded::Nothing)
        return true;
    const platform::InstalledRelease before = row.recorded == Recorded::Higher
        ? platform::InstalledRelease { row.sequence + 1, sha256(installed) }
        : platform::InstalledRelease { row.sequence, sha256("another manifest") };
    return writeFile(QDir(programFolder).filePath(QLatin1String(platform::kInstalledReleaseName)),
        platform::InstalledReleaseText(before));
}

void addPublicationRows()
{
    const QString error = u"Error Downloading File"_s;
    const QString unverified = kUnverified + u"\r\r"_s;
    const QString unchanged = u"\r\rNothing was changed."_s;
    const auto refused = [&](const QString& why) -> QString { return unverified + why + unchanged; };
    const QString damaged = refused(u"The update or its signature is damaged."_s);
    const QString noSignature = refused(u"The update has no signature."_s);
    const QByteArray fresh = generatedUpdateContent(kProgramSize);
    const auto refusal = [&](const QString& told) {
        return Case { .titles = { kFailure }, .helpUpdated = false, .program = kOldProgram, .told = told };
    };
    const auto withCase = [](Case row, const std::function<void(Case&)>& change) {
        change(row);
        return row;
    };

    // On the server, after the maker signed.
    QTest::newRow("program changed after signing") << Case { .titles = { error, kFailure },
        .program = kOldProgram,
        .told = u"The file Quillet could not be verified. It is not the file that was published."_s,
        .afterSigning = { u"update-file?name=Quillet&size=300000&shift=7"_s } };
    QTest::newRow("help file changed after signing") << Case { .titles = { error, kFailure },
        .helpUpdated = false,
        .program = fresh,
        .told = u"The file Quillet_help.htm could not be verified."_s,
        .afterSigning = { u"update-file?name=Quillet_help.htm&size=7000&shift=7"_s } };
    QTest::newRow("Content-Length above the published size") << Case { .titles = { error, kFailure },
        .program = kOldProgram,
        .told = u"The server announced 400000 bytes, more than the 300000 bytes published."_s,
        .afterSigning = { u"update-file?name=Quillet&size=400000"_s } };
    // Without a length the body could run on past the size: the transfer is stopped before it is read.
    QTest::newRow("body longer than the published size") << Case { .titles = { kFailure },
        .program = kOldProgram,
        .afterSigning = { u"update-file?name=Quillet&size=400000"_s, u"fault?name=Quillet&kind=no-length"_s } };

    // The manifest edited after signing.
    const auto program = [](QByteArray text) {
        const qsizetype at = text.indexOf("file 300000 ") + 12;
        text[at] = text.at(at) == '0' ? '1' : '0';
        return text;
    };
    for (const auto& [name, edit] : { std::pair { "version", replacing("version 1.3.0", "version 1.3.1") },
             std::pair { "a size", replacing("file 300000", "file 300001") },
             std::pair { "a hash", std::function<QByteArray(QByteArray)>(program) },
             std::pair { "the sequence",
                 replacing(
                     "sequence " + QByteArray::number(kSequence), "sequence " + QByteArray::number(kSequence + 1)) } })
        QTest::addRow("manifest's %s edited after signing", name) << withCase(refusal(damaged), [&](Case& row) {
            row.editManifest = edit;
            row.editedAfterSigning = true;
        });

    // The signature.
    QTest::newRow("signed by another key")
        << withCase(refusal(refused(u"The update is signed by a key that this program does not trust."_s)),
               [](Case& row) { row.signing = Signing::OtherKey; });
    for (const auto& [name, signing, told] : { std::tuple { "signature missing", Signing::Missing, noSignature },
             std::tuple { "signature empty", Signing::Empty, noSignature },
             std::tuple { "signature cut short", Signing::CutShort, damaged },
             std::tuple { "signature garbage", Signing::Garbage, damaged } })
        QTest::newRow(name) << withCase(refusal(told), [&](Case& row) { row.signing = signing; });

    // Signed, but not to be installed.
    QTest::newRow("manifest over 64 KiB") << withCase(refusal(damaged), [](Case& row) {
        row.editManifest
            = [](const QByteArray& text) { return QByteArray(text + QByteArray(platform::kMaxManifestBytes, '#')); };
    });
    QTest::newRow("expired") << withCase(refusal(refused(u"The update expired on 2020-01-02."_s)), [](Case& row) {
        row.editManifest = [](QByteArray text) {
            const qsizetype at = text.indexOf("expires ") + 8;
            return text.replace(at, 20, "2020-01-02T03:04:05Z");
        };
    });
    const QString older = refused(u"The update is older than the release installed."_s);
    QTest::newRow("sequence below the recorded one")
        << withCase(refusal(older), [](Case& row) { row.recorded = Recorded::Higher; });
    QTest::newRow("recorded sequence with other contents")
        << withCase(refusal(older), [](Case& row) { row.recorded = Recorded::SameWithOtherContents; });
    // A fresh folder has no release recorded: the program's own age is the floor.
    QTest::newRow("fresh folder, publication older than its program")
        << withCase(refusal(older), [](Case& row) { row.sequence = platform::ReleaseFloor() - 1; });
    QTest::newRow("fresh folder, publication as old as its program")
        << Case { .program = fresh, .sequence = platform::ReleaseFloor() };
    QTest::newRow("another product") << withCase(refusal(refused(u"The update is for another program."_s)),
        [](Case& row) { row.editManifest = replacing("product Lastbell Quillet", "product Lastbell Other"); });
}

} // namespace update_matrix
