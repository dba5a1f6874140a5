// SPDX-License-Identifier: MIT
#include "simulator/server.h"

#include "simulator/control.h"
#include "simulator/http_text.h"
#include "simulator/pages.h"
#include "simulator/update_folder.h"

#include "platform/core/hosts.h"

#include <array>
#include <chrono>
#include <thread>

namespace simulator
{

namespace
{

// A browser keeps several connections open and a slow body holds one for long; each takes a thread.
constexpr std::size_t kThreads = 64;
constexpr char kAnyPath[] = "[\\s\\S]*";

// cpp-httplib adds these to the request's headers; they were never sent.
bool isAddedHeader(const std::string& name)
{
    static constexpr std::array<std::string_view, 4> added { "REMOTE_ADDR", "REMOTE_PORT", "LOCAL_ADDR", "LOCAL_PORT" };
    return std::find(added.begin(), added.end(), name) != added.end();
}

// A request to the control interface rather than to an outside host: never logged.
bool isControl(const Target& target)
{
    return !target.absolute && target.path.rfind(kControlPrefix, 0) == 0;
}

// The absolute address as sent, or as the Host header completes it.
std::string loggedUrl(const httplib::Request& request, const Target& target)
{
    return target.absolute ? request.target : "http://" + request.get_header_value("Host") + request.target;
}

LoggedRequest logEntry(const httplib::Request& request, const Target& target)
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    LoggedRequest entry { request.method, loggedUrl(request, target), {}, request.body, false,
        std::chrono::duration_cast<std::chrono::microseconds>(now).count() };
    for (const auto& [name, value] : request.headers) {
        if (!isAddedHeader(name))
            entry.headers.emplace_back(name, value);
    }
    return entry;
}

PageRequest pageRequest(const httplib::Request& request, const Target& target)
{
    PageRequest page { request.method, target, request.get_header_value("Content-Type"), {}, request.body,
        request.get_header_value("Authorization") };
    const auto [first, last] = request.headers.equal_range("Cookie");
    for (auto it = first; it != last; ++it)
        page.cookies.push_back(it->second);
    return page;
}

Reply sitePage(const PageRequest& request, SimulatorState& state)
{
    const std::string& host = request.target.host;
    if (host == hosts::kLastbellServer)
        return lastbellPage(request, state);
    if (host == hosts::kAuctionServer)
        return auctionPage(request.target);
    if (host == hosts::kSellerListingsServer || host == hosts::kBidListingsServer)
        return listingsPage(request.target);
    if (host == hosts::kRedirectServer)
        return redirectPage(request.target);
    if (host == hosts::kMakerServer)
        return makerPage(request.target, state);
    if (host == kHostileServer)
        return hostilePage(request);
    if (request.target.path.rfind(hosts::kItemPagePath, 0) == 0)
        return itemPage(request.target);
    return marketplaceHomePage(request.target);
}

} // namespace

Server::Server(SimulatorState& state)
    : m_state(state)
{
    m_http.new_task_queue = [] { return new httplib::ThreadPool(kThreads); };
    const auto handler
        = [this](const httplib::Request& request, httplib::Response& response) { handle(request, response); };
    // Called once the reply has been written, so that a test can tell a reply sent from one still on its way.
    m_http.set_logger([this](const httplib::Request& request, const httplib::Response&) {
        const Target target = parseTarget(request.target, request.get_header_value("Host"));
        if (!isControl(target))
            m_state.logAnswered(request.method, loggedUrl(request, target));
    });
    m_http.Get(kAnyPath, handler);
    m_http.Post(kAnyPath, handler);
    m_http.Put(kAnyPath, handler);
    m_http.Patch(kAnyPath, handler);
    m_http.Delete(kAnyPath, handler);
    m_http.Options(kAnyPath, handler);
}

int Server::bind(int port)
{
    if (port == 0)
        return m_http.bind_to_any_port("127.0.0.1");
    return m_http.bind_to_port("127.0.0.1", port) ? port : -1;
}

bool Server::run()
{
    return m_http.listen_after_bind();
}

void Server::stop()
{
    m_stopping = true;
    m_http.stop();
}

void Server::serveSlowly(httplib::Response& response)
{
    // 4 MiB at 80 KiB a second: long enough for a user, or a test, to cancel it on the way.
    static constexpr std::size_t kSize = 4 << 20;
    static constexpr std::size_t kChunk = 4096;
    response.set_header("Content-Disposition", "attachment; filename=\"slow.bin\"");
    response.set_content_provider(
        kSize, "application/octet-stream", [this](std::size_t offset, std::size_t, httplib::DataSink& sink) {
            if (m_stopping)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            const std::string chunk(std::min(kChunk, kSize - offset), 'x');
            return sink.write(chunk.data(), chunk.size());
        });
}

void Server::handle(const httplib::Request& request, httplib::Response& response)
{
    // cpp-httplib would cut every body to the Range header itself, even under a 200 status; only the
    // update folder honours Range, on its own terms. The request object is the server's own, not const.
    const_cast<httplib::Request&>(request).ranges.clear();

    const Target target = parseTarget(request.target, request.get_header_value("Host"));
    if (isControl(target))
        return handleControl(request, target, response, m_state);

    m_state.logRequest(logEntry(request, target));
    // An office proxy that wants a password: only requests that came through it as a proxy.
    if (const std::string wanted = m_state.proxyAuthorization();
        !wanted.empty() && target.absolute && request.get_header_value("Proxy-Authorization") != wanted) {
        response.status = 407;
        response.set_header("Proxy-Authenticate", "Basic realm=\"Office proxy\"");
        response.set_content(htmlPage("Proxy password needed", "<p>The office proxy wants a password.</p>"), kHtmlType);
        return;
    }
    if (target.host == hosts::kMakerServer && target.path.rfind(hosts::kUpdateFolderPath, 0) == 0
        && target.path.size() > std::string_view(hosts::kUpdateFolderPath).size())
        return serveUpdateFile(request, target, response, m_state, m_stopping);

    if (target.host == kHostileServer && target.path == "/slow-attachment")
        return serveSlowly(response);
    const Reply reply = sitePage(pageRequest(request, target), m_state);
    response.status = reply.status;
    for (const auto& [name, value] : reply.headers)
        response.set_header(name, value);
    response.set_content(reply.body, reply.contentType);
}

} // namespace simulator
