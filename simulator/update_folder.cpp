// SPDX-License-Identifier: MIT
#include "simulator/update_folder.h"

#include "simulator/connection.h"
#include "simulator/pages.h"

#include "platform/core/hosts.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <optional>
#include <thread>

namespace simulator
{

namespace
{

constexpr char kBinaryType[] = "application/octet-stream";
constexpr std::size_t kChunk = 16384;
constexpr auto kTrickleStep = std::chrono::milliseconds(50);

struct Span {
    std::size_t start = 0;
    std::size_t end = 0; // one past the last byte
};

std::optional<std::size_t> number(std::string_view text)
{
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc {} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// "bytes=S-", "bytes=S-E" or "bytes=-N" of a file of the given size. Anything else (several ranges,
// garbage) is ignored, as HTTP allows. A start at or past the end is unsatisfiable: start == size.
std::optional<Span> parseRange(const std::string& header, std::size_t size)
{
    constexpr std::string_view unit = "bytes=";
    if (!startsWithNoCase(header, unit))
        return std::nullopt;
    const std::string_view spec = std::string_view(header).substr(unit.size());
    const auto dash = spec.find('-');
    if (dash == std::string_view::npos)
        return std::nullopt;
    const auto first = number(spec.substr(0, dash));
    const auto last = number(spec.substr(dash + 1));
    if (!first && last)
        return Span { size - std::min(*last, size), size };
    if (!first || (last && *last < *first) || (!last && dash + 1 != spec.size()))
        return std::nullopt;
    if (*first >= size)
        return Span { size, size };
    return Span { *first, last ? std::min(*last + 1, size) : size };
}

void statusReply(int code, const Target& target, httplib::Response& response)
{
    response.status = code;
    if (code == 204)
        return;
    const std::string error = "Error " + std::to_string(code);
    const Reply page
        = code == 404 ? notFound(target) : Reply { code, kHtmlType, htmlPage(error, "<h1>" + error + "</h1>\n"), {} };
    response.set_content(page.body, page.contentType);
}

} // namespace

void serveUpdateFile(const httplib::Request& request, const Target& target, httplib::Response& response,
    SimulatorState& state, const std::atomic<bool>& stopping)
{
    const std::string name
        = percentDecode(target.path.substr(std::string_view(hosts::kUpdateFolderPath).size()), false);
    const Fault fault = state.takeFault(name);
    if (fault.kind == FaultKind::Empty) {
        shutDownConnection(request);
        return;
    }
    if (fault.kind == FaultKind::Status)
        return statusReply(fault.code, target, response);
    const PublishedFile file = state.updateFile(name);
    const Content content = file.content;
    if (!content)
        return statusReply(404, target, response);

    response.set_header("Accept-Ranges", "bytes");
    if (!file.eTag.empty()) {
        response.set_header("ETag", file.eTag);
        response.set_header("Last-Modified", file.lastModified);
    }
    const std::size_t total = content->size();
    Span span { 0, total };
    // If-Range: the part only of the file the client has; any other file comes whole.
    const std::string ifRange = request.get_header_value("If-Range");
    const bool sameFile
        = ifRange.empty() || (!file.eTag.empty() && (ifRange == file.eTag || ifRange == file.lastModified));
    const bool honourRange = fault.kind != FaultKind::IgnoreRange && fault.kind != FaultKind::NoLength && sameFile;
    if (const auto range = parseRange(request.get_header_value("Range"), total); honourRange && range) {
        if (range->start >= total) {
            response.status = 416;
            response.set_header("Content-Range", "bytes */" + std::to_string(total));
            return;
        }
        span = *range;
        if (fault.kind == FaultKind::ShortRange)
            span.end = std::min(span.end, span.start + static_cast<std::size_t>(fault.length));
        response.status = 206;
        response.set_header("Content-Range",
            "bytes " + std::to_string(span.start) + "-" + std::to_string(span.end - 1) + "/" + std::to_string(total));
    } else {
        response.status = 200;
    }

    if (fault.kind == FaultKind::NoLength) {
        // Without a length only the closed connection ends the body. cpp-httplib would keep it open after
        // sink.done(); a provider that gives up makes it close the connection.
        response.set_header("Connection", "close");
        response.set_content_provider(kBinaryType, [content](std::size_t offset, httplib::DataSink& sink) {
            return offset < content->size()
                && sink.write(content->data() + offset, std::min(kChunk, content->size() - offset));
        });
        return;
    }

    // Drop: the true length is announced, then the connection closes after `after` bytes.
    const std::size_t length = span.end - span.start;
    const std::size_t limit = fault.kind == FaultKind::Drop ? static_cast<std::size_t>(fault.after) : length;
    const std::size_t step = fault.kind == FaultKind::Trickle
        ? std::max<std::size_t>(1, static_cast<std::size_t>(fault.rate) * kTrickleStep.count() / 1000)
        : kChunk;
    const bool trickle = fault.kind == FaultKind::Trickle;
    response.set_content_provider(length, kBinaryType,
        [content, span, limit, step, trickle, &stopping](
            std::size_t offset, std::size_t wanted, httplib::DataSink& sink) {
            if (offset >= limit || stopping)
                return false;
            if (trickle)
                std::this_thread::sleep_for(kTrickleStep);
            const std::size_t size = std::min({ wanted, limit - offset, step });
            return sink.write(content->data() + span.start + offset, size);
        });
}

} // namespace simulator
