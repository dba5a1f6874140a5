// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace simulator
{

struct LoggedRequest {
    std::string method;
    std::string url;
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
};

enum class FaultKind { None, Drop, IgnoreRange, Status, Empty, NoLength, Trickle };

struct Fault {
    FaultKind kind = FaultKind::None;
    std::int64_t after = 0; // Drop: body bytes sent before the connection closes
    int code = 0; // Status
    std::int64_t rate = 0; // Trickle: bytes per second
    int times = -1; // requests left before the fault clears itself; -1 = until changed
};

struct VersionPage {
    std::string text;
    std::optional<std::string> replacement; // a whole page set by a test, served instead
};

using Content = std::shared_ptr<const std::string>;

// Everything the handlers share. Handlers run on many threads at once, so every access locks.
class SimulatorState
{
public:
    SimulatorState();

    void logRequest(LoggedRequest request);
    std::string logAsJsonLines() const;
    void clearLog();

    void setVersionText(std::string text);
    void setVersionPage(std::string page);
    VersionPage versionPage() const;

    void setAccount(std::string user, std::string password);
    bool isAccount(const std::string& user, const std::string& password) const;
    std::string openSession();
    bool isSession(const std::string& token) const;

    void setUpdateFile(const std::string& name, std::string content);
    void removeUpdateFile(const std::string& name);
    Content updateFile(const std::string& name) const;

    void setFault(const std::string& name, Fault fault);
    // The fault that applies to this request of the file; counts it against the fault's times.
    Fault takeFault(const std::string& name);

private:
    mutable std::mutex m_mutex;
    std::vector<LoggedRequest> m_log;
    VersionPage m_versionPage;
    std::string m_user;
    std::string m_password;
    std::set<std::string> m_sessions;
    std::map<std::string, Content> m_updateFiles;
    std::map<std::string, Fault> m_faults;
};

// The generated content of an update file of the given size.
std::string generatedContent(std::int64_t size);

} // namespace simulator
