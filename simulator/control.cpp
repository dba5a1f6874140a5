// SPDX-License-Identifier: MIT
#include "simulator/control.h"

#include "simulator/published_tree.h"

#include <charconv>
#include <chrono>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace simulator
{

namespace
{

// Control parameters are percent-encoded UTF-8; "+" stays a plus.
std::optional<std::string> parameter(const Target& target, std::string_view name)
{
    const auto raw = queryValue(target.query, name);
    return raw ? std::optional(percentDecode(*raw, false)) : std::nullopt;
}

std::optional<std::int64_t> numberParameter(const Target& target, std::string_view name)
{
    const auto text = parameter(target, name);
    if (!text)
        return std::nullopt;
    std::int64_t value = -1;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (text->empty() || error != std::errc {} || end != text->data() + text->size() || value < 0)
        return std::nullopt;
    return value;
}

void answer(httplib::Response& response, int status, const std::string& text)
{
    response.status = status;
    response.set_content(text + "\n", "text/plain; charset=utf-8");
}

std::optional<FaultKind> faultKind(const std::string& name)
{
    if (name == "none")
        return FaultKind::None;
    if (name == "drop")
        return FaultKind::Drop;
    if (name == "ignore-range")
        return FaultKind::IgnoreRange;
    if (name == "status")
        return FaultKind::Status;
    if (name == "empty")
        return FaultKind::Empty;
    if (name == "no-length")
        return FaultKind::NoLength;
    if (name == "trickle")
        return FaultKind::Trickle;
    if (name == "short-range")
        return FaultKind::ShortRange;
    return std::nullopt;
}

void setFault(const Target& target, httplib::Response& response, SimulatorState& state)
{
    const auto name = parameter(target, "name");
    const auto kindName = parameter(target, "kind");
    const auto kind = kindName ? faultKind(*kindName) : std::nullopt;
    if (!name || !kind)
        return answer(response, 400,
            "fault needs name= and "
            "kind=none|drop|ignore-range|status|empty|no-length|trickle|short-range");
    Fault fault;
    fault.kind = *kind;
    if (queryValue(target.query, "times")) {
        const auto times = numberParameter(target, "times");
        if (!times || *times == 0)
            return answer(response, 400, "times= must be a whole number of at least 1");
        fault.times = static_cast<int>(*times);
    }
    if (fault.kind == FaultKind::Drop) {
        const auto after = numberParameter(target, "after");
        if (!after)
            return answer(response, 400, "drop needs after=BYTES");
        fault.after = *after;
    }
    if (fault.kind == FaultKind::Status) {
        const auto code = numberParameter(target, "code");
        if (!code || *code < 200 || *code > 599)
            return answer(response, 400, "status needs code= from 200 to 599");
        fault.code = static_cast<int>(*code);
    }
    if (fault.kind == FaultKind::Trickle) {
        const auto rate = numberParameter(target, "rate");
        if (!rate || *rate == 0)
            return answer(response, 400, "trickle needs rate=BYTES_PER_SECOND above 0");
        fault.rate = *rate;
    }
    if (fault.kind == FaultKind::ShortRange) {
        const auto length = numberParameter(target, "length");
        if (!length || *length == 0)
            return answer(response, 400, "short-range needs length=BYTES above 0");
        fault.length = *length;
    }
    state.setFault(*name, fault);
    answer(response, 200, "ok");
}

void setUpdateFile(
    const httplib::Request& request, const Target& target, httplib::Response& response, SimulatorState& state)
{
    const auto name = parameter(target, "name");
    if (!name || name->empty() || name->find('/') != std::string::npos)
        return answer(response, 400, "update-file needs name= (a file name)");
    const bool validators = parameter(target, "validators") != "no";
    if (parameter(target, "remove") == "1") {
        state.removeUpdateFile(*name);
        return answer(response, 200, "ok");
    }
    if (queryValue(target.query, "size")) {
        const auto size = numberParameter(target, "size");
        const auto shift = queryValue(target.query, "shift") ? numberParameter(target, "shift") : 0;
        if (!size || !shift)
            return answer(response, 400, "size= and shift= must be whole numbers");
        state.setUpdateFile(*name, generatedContent(*size, *shift), validators);
    } else {
        state.setUpdateFile(*name, request.body, validators);
    }
    answer(response, 200, "ok");
}

// A request that names a user and a password ("account": the service's login; "proxy-auth": from now on the proxy
// asks, 407, for them), handed to `set`.
void setUserAndPassword(const Target& target, httplib::Response& response, const std::string& command,
    const std::function<void(std::string, std::string)>& set)
{
    auto user = parameter(target, "user");
    auto password = parameter(target, "password");
    if (!user || !password)
        return answer(response, 400, command + " needs user= and password=");
    set(std::move(*user), std::move(*password));
    answer(response, 200, "ok");
}

void setVersion(const Target& target, httplib::Response& response, SimulatorState& state)
{
    auto text = parameter(target, "text");
    if (!text)
        return answer(response, 400, "version needs text=");
    state.setVersionText(std::move(*text));
    answer(response, 200, "ok");
}

// With holding=TEXT (one or more) the answer waits, at most wait= milliseconds (default and limit a minute),
// until each text is in a line of the log.
void answerLog(const Target& target, httplib::Response& response, const SimulatorState& state)
{
    std::vector<std::string> texts;
    for (const std::string& raw : queryValues(target.query, "holding"))
        texts.push_back(percentDecode(raw, false));
    if (texts.empty()) {
        response.set_content(state.logAsJsonLines(), "application/x-ndjson");
        return;
    }
    constexpr std::int64_t kLongestWait = 60000;
    const std::optional<std::int64_t> wait
        = queryValue(target.query, "wait") ? numberParameter(target, "wait") : std::optional(kLongestWait);
    if (!wait || *wait > kLongestWait)
        return answer(response, 400, "wait= must be a whole number of milliseconds, at most 60000");
    response.set_content(state.logOnceHolding(texts, std::chrono::milliseconds(*wait)), "application/x-ndjson");
}

} // namespace

void handleControl(
    const httplib::Request& request, const Target& target, httplib::Response& response, SimulatorState& state)
{
    const std::string command = target.path.substr(std::string_view(kControlPrefix).size());
    const bool get = request.method == "GET";
    const bool post = request.method == "POST";
    if (command == "health" && get)
        return answer(response, 200, "ok");
    if (command == "log" && get)
        return answerLog(target, response, state);
    if (command == "clear-log" && post) {
        state.clearLog();
        return answer(response, 200, "ok");
    }
    if (command == "version" && post)
        return setVersion(target, response, state);
    if (command == "version-page" && post) {
        state.setVersionPage(request.body);
        return answer(response, 200, "ok");
    }
    if (command == "account" && post)
        return setUserAndPassword(target, response, command, [&state](std::string user, std::string password) {
            state.setAccount(std::move(user), std::move(password));
        });
    if (command == "proxy-auth" && post)
        return setUserAndPassword(target, response, command, [&state](std::string user, std::string password) {
            state.setProxyCredentials(std::move(user), std::move(password));
        });
    if (command == "proxy-open" && post) {
        state.openProxy();
        return answer(response, 200, "ok");
    }
    if (command == "update-file" && post)
        return setUpdateFile(request, target, response, state);
    if (command == "published" && post) {
        const auto folder = parameter(target, "dir");
        if (!folder || folder->empty())
            return answer(response, 400, "published needs dir= (a tree the publish command wrote)");
        const std::optional<std::string> failure = servePublishedTree(*folder, state);
        return answer(response, failure ? 400 : 200, failure.value_or("ok"));
    }
    if (command == "fault" && post)
        return setFault(target, response, state);
    answer(response, 404, "no such control request: " + request.method + " " + target.path);
}

} // namespace simulator
