// SPDX-License-Identifier: MIT
#include "simulator/simulator_state.h"

#include "simulator/generated_content.h"
#include "simulator/http_text.h"

#include <QByteArray>

#include <algorithm>
#include <ctime>
#include <random>

namespace simulator
{

namespace
{

constexpr char kHelpPage[] = "<html><head><title>Quillet Help</title></head>\n"
                             "<body><h1>Quillet Help</h1>\n"
                             "<p>Quillet shows your Lastbell snipes beside the auctions you watch.</p>\n"
                             "</body></html>\n";
constexpr std::int64_t kDefaultProgramSize = 250000;

std::string jsonLine(const LoggedRequest& request)
{
    std::string line
        = "{\"method\":" + jsonString(request.method) + ",\"url\":" + jsonString(request.url) + ",\"headers\":[";
    for (std::size_t i = 0; i < request.headers.size(); ++i) {
        if (i > 0)
            line += ',';
        line += '[' + jsonString(request.headers[i].first) + ',' + jsonString(request.headers[i].second) + ']';
    }
    const QByteArray body = QByteArray::fromRawData(request.body.data(), static_cast<qsizetype>(request.body.size()));
    line += "],\"body\":\"" + body.toBase64().toStdString() + "\",\"answered\":" + (request.answered ? "true" : "false")
        + ",\"at\":" + std::to_string(request.atMicroseconds) + "}\n";
    return line;
}

std::string jsonLines(const std::vector<LoggedRequest>& log)
{
    std::string lines;
    for (const auto& request : log)
        lines += jsonLine(request);
    return lines;
}

} // namespace

std::string generatedContent(std::int64_t size, std::int64_t shift)
{
    std::string content(static_cast<std::size_t>(size), '\0');
    for (std::int64_t i = 0; i < size; ++i)
        content[static_cast<std::size_t>(i)] = generatedByte(i + shift);
    return content;
}

SimulatorState::SimulatorState()
    : m_versionPage { "1.2.0", std::nullopt }
    , m_user("demo")
    , m_password("secret")
{
    setUpdateFile("Quillet_help.htm", kHelpPage);
    setUpdateFile("Quillet", generatedContent(kDefaultProgramSize));
}

void SimulatorState::logRequest(LoggedRequest request)
{
    {
        const std::lock_guard lock(m_mutex);
        m_log.push_back(std::move(request));
    }
    m_logChanged.notify_all();
}

void SimulatorState::logAnswered(const std::string& method, const std::string& url)
{
    const std::lock_guard lock(m_mutex);
    for (LoggedRequest& request : m_log) {
        if (!request.answered && request.method == method && request.url == url) {
            request.answered = true;
            return;
        }
    }
}

std::string SimulatorState::logAsJsonLines() const
{
    const std::lock_guard lock(m_mutex);
    return jsonLines(m_log);
}

std::string SimulatorState::logOnceHolding(const std::vector<std::string>& texts, std::chrono::milliseconds wait) const
{
    std::unique_lock lock(m_mutex);
    std::string lines;
    // A line never holds a line break, so a text found in the whole is found in one line.
    m_logChanged.wait_for(lock, wait, [this, &texts, &lines] {
        lines = jsonLines(m_log);
        return std::all_of(texts.begin(), texts.end(),
            [&lines](const std::string& text) { return lines.find(text) != std::string::npos; });
    });
    return lines;
}

void SimulatorState::clearLog()
{
    const std::lock_guard lock(m_mutex);
    m_log.clear();
}

void SimulatorState::setVersionText(std::string text)
{
    const std::lock_guard lock(m_mutex);
    m_versionPage = { std::move(text), std::nullopt };
}

void SimulatorState::setVersionPage(std::string page)
{
    const std::lock_guard lock(m_mutex);
    m_versionPage.replacement = std::move(page);
}

VersionPage SimulatorState::versionPage() const
{
    const std::lock_guard lock(m_mutex);
    return m_versionPage;
}

void SimulatorState::setAccount(std::string user, std::string password)
{
    const std::lock_guard lock(m_mutex);
    m_user = std::move(user);
    m_password = std::move(password);
}

bool SimulatorState::isAccount(const std::string& user, const std::string& password) const
{
    const std::lock_guard lock(m_mutex);
    return user == m_user && password == m_password;
}

void SimulatorState::setProxyCredentials(std::string user, std::string password)
{
    const std::string pair = user + ":" + password;
    const std::lock_guard lock(m_mutex);
    m_proxyAuthorization = "Basic " + QByteArray::fromStdString(pair).toBase64().toStdString();
}

void SimulatorState::openProxy()
{
    const std::lock_guard lock(m_mutex);
    m_proxyAuthorization.clear();
}

std::string SimulatorState::proxyAuthorization() const
{
    const std::lock_guard lock(m_mutex);
    return m_proxyAuthorization;
}

std::string SimulatorState::openSession()
{
    static constexpr char digits[] = "0123456789abcdef";
    std::random_device random;
    std::string token;
    for (int i = 0; i < 32; ++i)
        token += digits[random() % 16];
    const std::lock_guard lock(m_mutex);
    m_sessions.insert(token);
    return token;
}

bool SimulatorState::isSession(const std::string& token) const
{
    const std::lock_guard lock(m_mutex);
    return m_sessions.count(token) > 0;
}

void SimulatorState::setUpdateFile(const std::string& name, std::string content, bool validators)
{
    auto shared = std::make_shared<const std::string>(std::move(content));
    const std::lock_guard lock(m_mutex);
    // Every publication gets its own ETag and a later Last-Modified, even two within one second.
    m_lastPublished = std::max<std::int64_t>(std::time(nullptr), m_lastPublished + 1);
    const std::time_t published = static_cast<std::time_t>(m_lastPublished);
    std::tm utc {};
    gmtime_r(&published, &utc);
    char date[64];
    std::strftime(date, sizeof date, "%a, %d %b %Y %H:%M:%S GMT", &utc);
    const std::string eTag = "\"q" + std::to_string(++m_publications) + "-" + std::to_string(shared->size()) + "\"";
    m_updateFiles[name]
        = validators ? PublishedFile { std::move(shared), eTag, date } : PublishedFile { std::move(shared), {}, {} };
}

void SimulatorState::removeUpdateFile(const std::string& name)
{
    const std::lock_guard lock(m_mutex);
    m_updateFiles.erase(name);
}

PublishedFile SimulatorState::updateFile(const std::string& name) const
{
    const std::lock_guard lock(m_mutex);
    const auto found = m_updateFiles.find(name);
    return found == m_updateFiles.end() ? PublishedFile {} : found->second;
}

void SimulatorState::setFault(const std::string& name, Fault fault)
{
    const std::lock_guard lock(m_mutex);
    if (fault.kind == FaultKind::None)
        m_faults.erase(name);
    else
        m_faults[name] = fault;
}

Fault SimulatorState::takeFault(const std::string& name)
{
    const std::lock_guard lock(m_mutex);
    const auto found = m_faults.find(name);
    if (found == m_faults.end())
        return {};
    const Fault fault = found->second;
    if (fault.times > 0 && --found->second.times == 0)
        m_faults.erase(found);
    return fault;
}

} // namespace simulator
