// Source RCON framing: the bytes a packet becomes, reassembly from pieces, and what counts as
// malformed.
#include <gtest/gtest.h>

#include <string>

#include "rcon/packet.h"

namespace {

using sim::rcon::EncodePacket;
using sim::rcon::Packet;
using sim::rcon::PacketReader;
using Result = PacketReader::Result;

std::string Int32(std::int32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF);
    return bytes;
}

std::string Raw(std::int32_t size, std::int32_t id, std::int32_t type, const std::string& rest) {
    return Int32(size) + Int32(id) + Int32(type) + rest;
}

Result Read(const std::string& bytes, Packet* packet = nullptr, std::string* error = nullptr) {
    PacketReader reader;
    reader.Feed(bytes.data(), bytes.size());
    Packet ignored;
    std::string why;
    return reader.Next(packet ? packet : &ignored, error ? error : &why);
}

TEST(RconPacketTest, APacketIsSizeIdTypeBodyAndTwoNuls) {
    const std::string bytes = EncodePacket(-1, 2, "ab");
    EXPECT_EQ(bytes, Raw(12, -1, 2, std::string("ab\0\0", 4)));
    EXPECT_EQ(EncodePacket(7, 0, ""), Raw(10, 7, 0, std::string(2, '\0')));
}

TEST(RconPacketTest, PacketsArrivingByteByByteOrTogetherComeOutWhole) {
    const std::string stream = EncodePacket(1, 3, "secret") + EncodePacket(2, 2, "Kestravel.Reload");
    PacketReader reader;
    std::vector<Packet> packets;
    Packet packet;
    std::string error;
    for (char byte : stream) {
        reader.Feed(&byte, 1);
        while (reader.Next(&packet, &error) == Result::kPacket) packets.push_back(packet);
    }
    ASSERT_EQ(packets.size(), 2u);
    EXPECT_EQ(packets[0].id, 1);
    EXPECT_EQ(packets[0].type, 3);
    EXPECT_EQ(packets[0].body, "secret");
    EXPECT_EQ(packets[1].size, 26);
    EXPECT_EQ(packets[1].body, "Kestravel.Reload");
    EXPECT_FALSE(reader.Partial());

    reader.Feed(stream.data(), 5);
    EXPECT_EQ(reader.Next(&packet, &error), Result::kNeedMore);
    EXPECT_TRUE(reader.Partial());
}

TEST(RconPacketTest, SizesOutsideTheProtocolAreRejectedBeforeTheirBytesArrive) {
    std::string error;
    EXPECT_EQ(Read(Int32(9), nullptr, &error), Result::kMalformed);
    EXPECT_NE(error.find("size 9"), std::string::npos) << error;
    EXPECT_EQ(Read(Int32(4097)), Result::kMalformed);
    EXPECT_EQ(Read(Int32(-10)), Result::kMalformed);
    EXPECT_EQ(Read(Int32(4096) + std::string(100, 'x')), Result::kNeedMore);
    EXPECT_EQ(Read(Int32(10)), Result::kNeedMore);
}

TEST(RconPacketTest, ABodyMustEndInItsNulAndAnEmptyString) {
    Packet packet;
    EXPECT_EQ(Read(Raw(12, 1, 2, "abcd")), Result::kMalformed);                    // no NUL
    EXPECT_EQ(Read(Raw(12, 1, 2, std::string("abc\0", 4))), Result::kMalformed);   // one NUL
    EXPECT_EQ(Read(Raw(12, 1, 2, std::string("a\0b\0", 4))), Result::kMalformed);  // NUL inside
    EXPECT_EQ(Read(Raw(12, 1, 2, std::string("ab\0\0", 4)), &packet), Result::kPacket);
    EXPECT_EQ(packet.body, "ab");
}

TEST(RconPacketTest, LongBodiesSplitBetweenCharactersIntoPacketSizedPieces) {
    EXPECT_EQ(sim::rcon::SplitBody("").size(), 1u);
    // "é" is two bytes: a piece boundary at an odd offset would cut one in half.
    const std::string body = "x" + [] {
        std::string text;
        for (int i = 0; i < 3000; ++i) text += "\xC3\xA9";
        return text;
    }();
    const auto pieces = sim::rcon::SplitBody(body);
    ASSERT_EQ(pieces.size(), 2u);
    std::string joined;
    for (auto piece : pieces) {
        EXPECT_LE(piece.size(), sim::rcon::kMaxBody);
        EXPECT_NE(static_cast<unsigned char>(piece.back()), 0xC3u);
        joined += piece;
    }
    EXPECT_EQ(joined, body);
}

}  // namespace
