// Source RCON packets: encoding, splitting long bodies, and reassembly from a byte stream.
#include "rcon/packet.h"

#include <algorithm>
#include <cstring>

namespace sim::rcon {

namespace {

void PutInt32(std::string& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((bits >> shift) & 0xFF);
}

std::int32_t GetInt32(const char* data) {
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) bits = (bits << 8) | static_cast<unsigned char>(data[i]);
    return static_cast<std::int32_t>(bits);
}

bool IsContinuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

}  // namespace

std::string EncodePacket(std::int32_t id, std::int32_t type, std::string_view body) {
    std::string out;
    out.reserve(body.size() + 14);
    PutInt32(out, static_cast<std::int32_t>(body.size()) + kMinSize);
    PutInt32(out, id);
    PutInt32(out, type);
    out.append(body);
    out.append(2, '\0');
    return out;
}

std::vector<std::string_view> SplitBody(std::string_view body) {
    std::vector<std::string_view> pieces;
    do {
        std::size_t length = std::min(body.size(), kMaxBody);
        if (length < body.size()) {
            std::size_t cut = length;
            while (cut > 0 && IsContinuation(body[cut])) --cut;
            if (cut > 0) length = cut;  // a run of stray continuation bytes is cut anywhere
        }
        pieces.push_back(body.substr(0, length));
        body.remove_prefix(length);
    } while (!body.empty());
    return pieces;
}

PacketReader::Result PacketReader::Next(Packet* packet, std::string* error) {
    const std::size_t available = buffer_.size() - consumed_;
    if (available < 4) return Result::kNeedMore;
    const char* start = buffer_.data() + consumed_;
    // The size is checked before the packet has arrived, so that a client cannot make us wait
    // for, or buffer, more than one packet's worth.
    const std::int32_t size = GetInt32(start);
    if (size < kMinSize || size > kMaxSize) {
        *error = "packet size " + std::to_string(size) + " is outside " +
                 std::to_string(kMinSize) + ".." + std::to_string(kMaxSize);
        return Result::kMalformed;
    }
    if (available < 4 + static_cast<std::size_t>(size)) return Result::kNeedMore;
    const char* body = start + 12;
    const std::size_t body_room = static_cast<std::size_t>(size) - 8;  // body, NUL, NUL
    const void* nul = std::memchr(body, '\0', body_room);
    if (nul == nullptr || static_cast<const char*>(nul) != body + body_room - 2 ||
        body[body_room - 1] != '\0') {
        *error = "packet body does not end in NUL followed by an empty string";
        return Result::kMalformed;
    }
    packet->size = size;
    packet->id = GetInt32(start + 4);
    packet->type = GetInt32(start + 8);
    packet->body.assign(body, body_room - 2);
    consumed_ += 4 + static_cast<std::size_t>(size);
    if (consumed_ == buffer_.size() || consumed_ > kMaxSize) {
        buffer_.erase(0, consumed_);
        consumed_ = 0;
    }
    return Result::kPacket;
}

}  // namespace sim::rcon
