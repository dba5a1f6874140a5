// SPDX-License-Identifier: MIT
#include "platform/core/activation_request.h"

#include <QList>
#include <algorithm>

namespace platform
{

namespace
{

constexpr QByteArrayView kWord = "activate";

bool printable(QByteArrayView field)
{
    return std::all_of(field.begin(), field.end(), [](char c) { return c > ' ' && c < 0x7f; });
}

} // namespace

QByteArray ActivationLineOf(const ActivationRequest& request)
{
    return kWord.toByteArray() + '\t' + request.startupId + '\t' + request.activationToken + '\n';
}

std::optional<ActivationRequest> ActivationRequestOf(QByteArrayView line)
{
    if (line.size() > kActivationLineLimit || !line.endsWith('\n'))
        return std::nullopt;
    const QList<QByteArray> fields = line.chopped(1).toByteArray().split('\t');
    if (fields.size() != 3 || fields[0] != kWord || !printable(fields[1]) || !printable(fields[2]))
        return std::nullopt;
    return ActivationRequest { fields[1], fields[2] };
}

ActivationRequest ActivationRequestOfThisStart()
{
    ActivationRequest request { qgetenv("DESKTOP_STARTUP_ID"), qgetenv("XDG_ACTIVATION_TOKEN") };
    // A field that could not travel is left out rather than losing the whole hand-over.
    if (!printable(request.startupId) || request.startupId.size() > kActivationLineLimit / 2)
        request.startupId.clear();
    if (!printable(request.activationToken) || request.activationToken.size() > kActivationLineLimit / 2)
        request.activationToken.clear();
    return request;
}

} // namespace platform
