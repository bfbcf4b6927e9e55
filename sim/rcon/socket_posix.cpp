// Loopback TCP sockets over the BSD socket interface.
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "rcon/socket.h"

namespace sim::net {

namespace {

sockaddr_in Loopback(std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

}  // namespace

Handle ListenLoopback(std::uint16_t port, std::uint16_t* bound, std::string* error) {
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener < 0) {
        *error = std::strerror(errno);
        return kInvalid;
    }
    const int yes = 1;
    ::setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address = Loopback(port);
    socklen_t length = sizeof address;
    if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener, 16) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        ::fcntl(listener, F_SETFL, O_NONBLOCK) != 0) {
        *error = std::strerror(errno);
        ::close(listener);
        return kInvalid;
    }
    *bound = ntohs(address.sin_port);
    return listener;
}

Handle ConnectLoopback(std::uint16_t port) {
    const int client = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (client < 0) return kInvalid;
    sockaddr_in address = Loopback(port);
    if (::connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(client);
        return kInvalid;
    }
    return client;
}

Handle Accept(Handle listener) {
    const int socket = ::accept4(static_cast<int>(listener), nullptr, nullptr,
                                 SOCK_NONBLOCK | SOCK_CLOEXEC);
    return socket < 0 ? kInvalid : socket;
}

std::ptrdiff_t Receive(Handle socket, char* buffer, std::size_t size) {
    const ssize_t got = ::recv(static_cast<int>(socket), buffer, size, 0);
    if (got >= 0) return got;
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? kWouldBlock : kFailed;
}

std::ptrdiff_t Send(Handle socket, const char* data, std::size_t size) {
    const ssize_t sent = ::send(static_cast<int>(socket), data, size, MSG_NOSIGNAL);
    if (sent >= 0) return sent;
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? kWouldBlock : kFailed;
}

void Close(Handle socket) { ::close(static_cast<int>(socket)); }

void Poll(std::vector<PollEntry>& entries, int timeout_ms) {
    std::vector<pollfd> fds;
    fds.reserve(entries.size());
    for (const PollEntry& entry : entries) {
        fds.push_back({static_cast<int>(entry.socket),
                       static_cast<short>(POLLIN | (entry.want_write ? POLLOUT : 0)), 0});
    }
    if (::poll(fds.data(), fds.size(), timeout_ms) <= 0) {
        for (PollEntry& entry : entries) entry.readable = entry.writable = false;
        return;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i].readable = (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0;
        entries[i].writable = (fds[i].revents & POLLOUT) != 0;
    }
}

}  // namespace sim::net
