// SPDX-License-Identifier: MIT
// The version page as the version check reads it: the body's text, cut to what is read.
#include "platform/core/ansi_text.h"
#include "quillet/update/version_reply.h"

#include <cstdint>
#include <cstdlib>

using namespace quillet;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString page
        = platform::fromAnsi(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)))
              .left(version_reply::kReadChars);
    const std::optional<QString> published = version_reply::PublishedVersion(page);
    if (published && published->size() > version_reply::kReadChars)
        std::abort();
    if (version_reply::OffersUpdate(page, QStringLiteral("1.2.0")) != (published && *published != u"1.2.0"))
        std::abort();
    return 0;
}
