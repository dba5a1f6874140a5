// SPDX-License-Identifier: MIT
#pragma once

#include "simulator/http_text.h"
#include "simulator/simulator_state.h"

#include <httplib.h>

#include <atomic>

namespace simulator
{

// Answers a request for hosts::kUpdateFolderPath + name: the file with Range support, or the file's fault.
// A slow body gives up once stopping is set, so the service can end while one is running.
void serveUpdateFile(const httplib::Request& request, const Target& target, httplib::Response& response,
    SimulatorState& state, const std::atomic<bool>& stopping);

} // namespace simulator
