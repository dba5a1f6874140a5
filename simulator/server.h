// SPDX-License-Identifier: MIT
#pragma once

#include "simulator/simulator_state.h"

#include <httplib.h>

#include <atomic>

namespace simulator
{

// The one HTTP server that answers as every host, on a loopback port.
class Server
{
public:
    explicit Server(SimulatorState& state);

    // Binds 127.0.0.1:port (0 picks a free one); the bound port, or -1.
    int bind(int port);
    // Serves until stop(); false when the server could not run.
    bool run();
    void stop();

private:
    void handle(const httplib::Request& request, httplib::Response& response);
    // The slow attachment: a body that takes its time, for cancelling a download.
    void serveSlowly(httplib::Response& response);

    SimulatorState& m_state;
    httplib::Server m_http;
    std::atomic<bool> m_stopping { false };
};

} // namespace simulator
