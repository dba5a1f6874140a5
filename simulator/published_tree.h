// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

namespace simulator
{

class SimulatorState;

// Serves a tree as the maker's publish command writes it: its version page, and every file of its update folder
// as an update file. Nothing is changed unless all of it could be read; otherwise the reason, naming the file.
std::optional<std::string> servePublishedTree(const std::string& folder, SimulatorState& state);

} // namespace simulator
