// Source RCON packets as they travel over TCP: a little-endian 32-bit size, then the id, the type,
// a NUL-terminated body and an empty string (one more NUL).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sim_api.h"

namespace sim::rcon {

// The size counts everything after itself: id, type, body and both NULs.
constexpr std::int32_t kMinSize = 10;
constexpr std::int32_t kMaxSize = 4096;
constexpr std::size_t kMaxBody = kMaxSize - kMinSize;

// The same value means a command from the client and an auth response from the server.
constexpr std::int32_t kResponseValue = 0;
constexpr std::int32_t kExecCommand = 2;
constexpr std::int32_t kAuthResponse = 2;
constexpr std::int32_t kAuth = 3;

struct Packet {
    std::int32_t size = 0;
    std::int32_t id = 0;
    std::int32_t type = 0;
    std::string body;
};

SIM_API std::string EncodePacket(std::int32_t id, std::int32_t type, std::string_view body);

// Cuts a body too long for one packet into pieces of at most kMaxBody bytes, never inside a UTF-8
// sequence, so that each piece is text on its own. An empty body is one empty piece.
SIM_API std::vector<std::string_view> SplitBody(std::string_view body);

// Reassembles packets from a byte stream that arrives in pieces of any length.
class SIM_API PacketReader {
public:
    enum class Result { kNeedMore, kPacket, kMalformed };

    void Feed(const char* data, std::size_t count) { buffer_.append(data, count); }
    // Takes the next whole packet from what has arrived. After kMalformed the stream cannot be
    // trusted any further and `error` says why.
    Result Next(Packet* packet, std::string* error);
    // Bytes of a packet that has begun but not ended.
    bool Partial() const { return buffer_.size() > consumed_; }

private:
    std::string buffer_;
    std::size_t consumed_ = 0;
};

}  // namespace sim::rcon
