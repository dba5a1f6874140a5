// SPDX-License-Identifier: MIT
#pragma once

#include <httplib.h>

namespace simulator
{

// Shuts the request's connection down at once, so the client receives nothing at all, not even a
// status line. cpp-httplib always writes a reply and does not hand the socket to a handler, so the
// socket is found by the connection's two ports.
void shutDownConnection(const httplib::Request& request);

} // namespace simulator
