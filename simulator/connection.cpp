// SPDX-License-Identifier: MIT
#include "simulator/connection.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <filesystem>
#include <string>

namespace simulator
{

namespace
{

int portOf(int fd, bool peer)
{
    sockaddr_in address {};
    socklen_t size = sizeof address;
    auto* raw = reinterpret_cast<sockaddr*>(&address);
    const int result = peer ? getpeername(fd, raw, &size) : getsockname(fd, raw, &size);
    if (result != 0 || address.sin_family != AF_INET)
        return -1;
    return ntohs(address.sin_port);
}

} // namespace

void shutDownConnection(const httplib::Request& request)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const int fd = std::stoi(name);
        if (portOf(fd, false) == request.local_port && portOf(fd, true) == request.remote_port) {
            shutdown(fd, SHUT_RDWR);
            return;
        }
    }
}

} // namespace simulator
