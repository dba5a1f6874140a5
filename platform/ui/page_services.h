// SPDX-License-Identifier: MIT
#pragma once

namespace platform
{

class FileDialogs;
class PagePrompts;
class ProxyCredentials;
class Shell;

// What a page's requests reach: the desktop (through the shell's gate), and the user's answers to its questions,
// each through an interface that a test can answer.
struct PageServices {
    Shell& shell;
    FileDialogs& files;
    PagePrompts& prompts;
    ProxyCredentials& proxyCredentials; // one for the whole run, shared by both browsers
};

} // namespace platform
