// Loopback TCP sockets over Winsock.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "rcon/socket.h"

namespace sim::net {

namespace {

// Winsock must be started once in every process that uses it.
struct Winsock {
    Winsock() {
        WSADATA data;
        started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~Winsock() {
        if (started) WSACleanup();
    }
    bool started = false;
};

bool Started() {
    static Winsock winsock;
    return winsock.started;
}

sockaddr_in Loopback(std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

SOCKET Native(Handle socket) { return static_cast<SOCKET>(socket); }

std::string LastError() { return "Winsock error " + std::to_string(WSAGetLastError()); }

bool NonBlocking(SOCKET socket) {
    u_long yes = 1;
    return ioctlsocket(socket, FIONBIO, &yes) == 0;
}

}  // namespace

Handle ListenLoopback(std::uint16_t port, std::uint16_t* bound, std::string* error) {
    if (!Started()) {
        *error = "Winsock did not start";
        return kInvalid;
    }
    const SOCKET listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listener == INVALID_SOCKET) {
        *error = LastError();
        return kInvalid;
    }
    // Without this another program could take the port over while we listen.
    const BOOL yes = TRUE;
    ::setsockopt(listener, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&yes),
                 sizeof yes);
    sockaddr_in address = Loopback(port);
    int length = sizeof address;
    if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener, 16) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        !NonBlocking(listener)) {
        *error = LastError();
        ::closesocket(listener);
        return kInvalid;
    }
    *bound = ntohs(address.sin_port);
    return static_cast<Handle>(listener);
}

Handle ConnectLoopback(std::uint16_t port) {
    if (!Started()) return kInvalid;
    const SOCKET client = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (client == INVALID_SOCKET) return kInvalid;
    sockaddr_in address = Loopback(port);
    if (::connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::closesocket(client);
        return kInvalid;
    }
    return static_cast<Handle>(client);
}

Handle Accept(Handle listener) {
    const SOCKET socket = ::accept(Native(listener), nullptr, nullptr);
    if (socket == INVALID_SOCKET) return kInvalid;
    if (!NonBlocking(socket)) {
        ::closesocket(socket);
        return kInvalid;
    }
    return static_cast<Handle>(socket);
}

std::ptrdiff_t Receive(Handle socket, char* buffer, std::size_t size) {
    const int got = ::recv(Native(socket), buffer, static_cast<int>(size), 0);
    if (got >= 0) return got;
    return WSAGetLastError() == WSAEWOULDBLOCK ? kWouldBlock : kFailed;
}

std::ptrdiff_t Send(Handle socket, const char* data, std::size_t size) {
    const int sent = ::send(Native(socket), data, static_cast<int>(size), 0);
    if (sent >= 0) return sent;
    return WSAGetLastError() == WSAEWOULDBLOCK ? kWouldBlock : kFailed;
}

void Close(Handle socket) { ::closesocket(Native(socket)); }

void Poll(std::vector<PollEntry>& entries, int timeout_ms) {
    std::vector<WSAPOLLFD> fds;
    fds.reserve(entries.size());
    for (const PollEntry& entry : entries) {
        fds.push_back({Native(entry.socket),
                       static_cast<SHORT>(POLLRDNORM | (entry.want_write ? POLLWRNORM : 0)), 0});
    }
    if (WSAPoll(fds.data(), static_cast<ULONG>(fds.size()), timeout_ms) <= 0) {
        for (PollEntry& entry : entries) entry.readable = entry.writable = false;
        return;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i].readable = (fds[i].revents & (POLLRDNORM | POLLHUP | POLLERR | POLLNVAL)) != 0;
        entries[i].writable = (fds[i].revents & POLLWRNORM) != 0;
    }
}

}  // namespace sim::net
