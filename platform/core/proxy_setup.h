// SPDX-License-Identifier: MIT
#pragma once

namespace platform
{

// Makes http_proxy and the desktop's proxy settings apply to web views and HTTP transfers alike.
// Call before anything else touches the network.
void useSystemProxy();

} // namespace platform
