// SPDX-License-Identifier: MIT
// A reply's head as a server sends it, read into a reply the way Qt's HTTP reply reads it (any whole number as the
// status code, headers of one name joined), then through the readers the download and the update check use.
#include "platform/core/reply_headers.h"

#include <QNetworkReply>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace
{

// A reply that the input fills in, as Qt's network code fills in a real one.
class ArrivedReply final : public QNetworkReply
{
public:
    explicit ArrivedReply(QByteArrayView head)
    {
        const QList<QByteArray> lines = head.toByteArray().split('\n');
        readStatusLine(lines.first());
        for (qsizetype i = 1; i < lines.size(); ++i)
            readHeader(lines.at(i).endsWith('\r') ? lines.at(i).chopped(1) : lines.at(i));
    }
    void abort() override { }

protected:
    qint64 readData(char*, qint64) override { return -1; }

private:
    // "HTTP/n.n CODE REASON": without a code that reads as a number, no server answered.
    void readStatusLine(QByteArray line)
    {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.size() < 11 || !line.startsWith("HTTP/") || line.at(6) != '.' || line.at(8) != ' ')
            return;
        const qsizetype space = line.indexOf(' ', 9);
        bool ok = false;
        const int code = (space > 8 ? line.mid(9, space - 9) : line.mid(9)).toInt(&ok);
        if (!ok)
            return;
        setAttribute(QNetworkRequest::HttpStatusCodeAttribute, code);
        setAttribute(QNetworkRequest::HttpReasonPhraseAttribute,
            space > 8 ? QString::fromLatin1(line.mid(space + 1)) : QString());
    }
    void readHeader(const QByteArray& line)
    {
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            return;
        const QByteArray name = line.left(colon).trimmed();
        QByteArray value = rawHeader(name);
        if (!value.isEmpty())
            value += ", ";
        value += line.mid(colon + 1).trimmed();
        // Qt 6.4's own date parser reads past the end of a date whose first comma is its last byte ("Last-Modified:
        // ,"). Every reply Qt receives goes through it before any of our code sees the reply, so it is out of this
        // target's reach; such a line is left out here.
        if (isDateHeader(name) && value.indexOf(',') == value.size() - 1)
            return;
        setRawHeader(name, value);
    }
    static bool isDateHeader(const QByteArray& name)
    {
        return name.compare("Last-Modified", Qt::CaseInsensitive) == 0
            || name.compare("If-Modified-Since", Qt::CaseInsensitive) == 0;
    }
};

bool isStatusCode(const QString& status)
{
    return status.isEmpty()
        || (status.size() == 3 && std::all_of(status.begin(), status.end(), [](QChar c) { return c.isDigit(); }));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 64 * 1024) // Qt refuses longer heads
        return 0;
    const ArrivedReply reply(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const QString block = platform::HeaderBlockOf(reply);
    if (!isStatusCode(platform::StatusField(block)))
        std::abort();
    const QString first = platform::FirstHeaderLine(block);
    if (!first.isEmpty() && (!block.startsWith(first) || !first.endsWith(u'\r')))
        std::abort();
    if (const auto range = platform::ParseContentRange(platform::HeaderOf(reply, QStringLiteral("Content-Range"))))
        if (range->first < 0 || range->first > range->last || range->last >= range->total)
            std::abort();
    if (platform::LeadingNumber(platform::HeaderOf(reply, QStringLiteral("Content-Length"))) < 0)
        std::abort();
    return 0;
}
