// SPDX-License-Identifier: MIT
#pragma once

#include "simulator/http_text.h"
#include "simulator/simulator_state.h"

#include <httplib.h>

namespace simulator
{

inline constexpr char kControlPrefix[] = "/__control/";

// The tests' side door: the request log, the version page, the account, the update files and their faults.
void handleControl(
    const httplib::Request& request, const Target& target, httplib::Response& response, SimulatorState& state);

} // namespace simulator
