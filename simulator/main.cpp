// SPDX-License-Identifier: MIT
// The local web service: answers, through the proxy setting, as every outside host the programs use.
#include "simulator/published_tree.h"
#include "simulator/server.h"
#include "simulator/simulator_state.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace
{

constexpr char kUsage[] = "usage: quillet_simulator [--port N] [--port-file FILE] [--update-file NAME=PATH ...]\n"
                          "                         [--published DIR] [--version TEXT] [--user U --password P]\n";

constexpr int kStopTries = 10;

struct Options {
    int port = 0;
    std::string portFile;
    std::vector<std::pair<std::string, std::string>> updateFiles;
    std::optional<std::string> published;
    std::optional<std::string> version;
    std::optional<std::string> user;
    std::optional<std::string> password;
};

std::optional<Options> parseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (i + 1 >= argc)
            return std::nullopt;
        const std::string value = argv[++i];
        if (name == "--port") {
            const int port = QString::fromStdString(value).toInt();
            if (port < 0 || port > 65535 || QString::number(port).toStdString() != value)
                return std::nullopt;
            options.port = port;
        } else if (name == "--port-file") {
            options.portFile = value;
        } else if (name == "--update-file") {
            const auto equals = value.find('=');
            if (equals == std::string::npos || equals == 0)
                return std::nullopt;
            options.updateFiles.emplace_back(value.substr(0, equals), value.substr(equals + 1));
        } else if (name == "--published") {
            options.published = value;
        } else if (name == "--version") {
            options.version = value;
        } else if (name == "--user") {
            options.user = value;
        } else if (name == "--password") {
            options.password = value;
        } else {
            return std::nullopt;
        }
    }
    if (options.user.has_value() != options.password.has_value())
        return std::nullopt;
    return options;
}

bool applyOptions(const Options& options, simulator::SimulatorState& state)
{
    for (const auto& [name, path] : options.updateFiles) {
        QFile file(QString::fromStdString(path));
        if (!file.open(QIODevice::ReadOnly)) {
            std::cerr << "quillet_simulator: cannot read " << path << ": " << file.errorString().toStdString() << "\n";
            return false;
        }
        state.setUpdateFile(name, file.readAll().toStdString());
    }
    if (options.published) {
        if (const std::optional<std::string> failure = simulator::servePublishedTree(*options.published, state)) {
            std::cerr << "quillet_simulator: " << *failure << "\n";
            return false;
        }
    }
    if (options.version)
        state.setVersionText(*options.version);
    if (options.user)
        state.setAccount(*options.user, *options.password);
    return true;
}

bool writePortFile(const std::string& path, int port)
{
    QSaveFile file(QString::fromStdString(path));
    return file.open(QIODevice::WriteOnly) && file.write(QByteArray::number(port) + '\n') > 0 && file.commit();
}

} // namespace

int main(int argc, char** argv)
{
    const auto options = parseOptions(argc, argv);
    if (!options) {
        std::cerr << kUsage;
        return 2;
    }
    simulator::SimulatorState state;
    if (!applyOptions(*options, state))
        return 2;

    // The stop signals are taken by a thread of their own (sigwait), where stopping the server is safe.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    simulator::Server server(state);
    const int port = server.bind(options->port);
    if (port < 0) {
        std::cerr << "quillet_simulator: cannot listen on 127.0.0.1:" << options->port << "\n";
        return 1;
    }
    if (!options->portFile.empty() && !writePortFile(options->portFile, port)) {
        std::cerr << "quillet_simulator: cannot write " << options->portFile << "\n";
        return 1;
    }
    std::cout << "listening on " << port << std::endl;

    // A signal may come before the server runs, when stop() does nothing yet: repeat until run() returns.
    // run() waits for every connection's thread, and an idle kept-alive connection holds one for
    // seconds; nothing is left to save by then, so the process ends without waiting for them.
    std::atomic<bool> ended { false };
    std::thread signalWaiter([&server, &ended, stopSignals] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        for (int tries = 0; !ended; ++tries) {
            if (tries == kStopTries)
                std::_Exit(0);
            server.stop();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    const bool served = server.run();
    ended = true;
    // Wakes the waiter when run() ended on its own.
    pthread_kill(signalWaiter.native_handle(), SIGTERM);
    signalWaiter.join();
    return served ? 0 : 1;
}
