#include "game/replay_file.h"

#include <cstdio>
#include <cstring>

#include "data/validation.h"
#include "game/options.h"
#include "graphics/emitter_data.h"

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
    static const auto table = [] {
        struct Table {
            std::uint32_t entries[256];
        } t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t.entries[i] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xffffffffu;
    for (std::size_t i = 0; i < size; ++i)
        crc = table.entries[(crc ^ data[i]) & 0xff] ^ (crc >> 8);
    return crc ^ 0xffffffffu;
}

std::uint64_t fnv1a(const std::uint8_t* data, std::size_t size, std::uint64_t hash) {
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= data[i];
        hash *= 0x100000001b3ull;
    }
    return hash;
}

void PayloadWriter::byte(std::uint8_t v) {
    if (size == capacity) {
        overflowed = true;
        return;
    }
    data[size++] = v;
}

void PayloadWriter::u16(std::uint32_t v) {
    byte(v & 0xff);
    byte((v >> 8) & 0xff);
}

void PayloadWriter::u32(std::uint32_t v) {
    u16(v & 0xffff);
    u16(v >> 16);
}

void PayloadWriter::u64(std::uint64_t v) {
    u32(static_cast<std::uint32_t>(v));
    u32(static_cast<std::uint32_t>(v >> 32));
}

void PayloadWriter::varint(std::uint32_t v) {
    while (v >= 0x80) {
        byte(static_cast<std::uint8_t>(v | 0x80));
        v >>= 7;
    }
    byte(static_cast<std::uint8_t>(v));
}

void PayloadWriter::text(const std::string& s) {
    const std::size_t n = s.size() < 255 ? s.size() : 255;
    byte(static_cast<std::uint8_t>(n));
    for (std::size_t i = 0; i < n; ++i)
        byte(static_cast<std::uint8_t>(s[i]));
}

std::uint8_t PayloadReader::byte() {
    if (failed || at >= size) {
        failed = true;
        return 0;
    }
    return data[at++];
}

std::uint32_t PayloadReader::u16() {
    const std::uint32_t low = byte();
    return low | static_cast<std::uint32_t>(byte()) << 8;
}

std::uint32_t PayloadReader::u32() {
    const std::uint32_t low = u16();
    return low | u16() << 16;
}

std::uint64_t PayloadReader::u64() {
    const std::uint64_t low = u32();
    return low | static_cast<std::uint64_t>(u32()) << 32;
}

std::uint32_t PayloadReader::varint() {
    std::uint32_t v = 0;
    for (int shift = 0; shift < 35; shift += 7) {
        const std::uint8_t b = byte();
        if (shift == 28 && b > 0x0f)
            failed = true;
        v |= static_cast<std::uint32_t>(b & 0x7f) << shift;
        if (!(b & 0x80))
            return failed ? 0 : v;
    }
    failed = true;
    return 0;
}

std::string PayloadReader::text() {
    const std::size_t n = byte();
    if (failed || size - at < n) {
        failed = true;
        return std::string();
    }
    std::string s(reinterpret_cast<const char*>(data + at), n);
    at += n;
    return s;
}

std::size_t writeBlock(BlockKind kind, const std::uint8_t* payload, std::size_t size,
                       std::uint8_t* out, std::size_t capacity) {
    if (size > maxPayload || size + blockOverhead > capacity)
        return 0;
    out[0] = static_cast<std::uint8_t>(kind);
    out[1] = size & 0xff;
    out[2] = (size >> 8) & 0xff;
    out[3] = ~out[1];
    out[4] = ~out[2];
    std::memcpy(out + 5, payload, size);
    const std::uint32_t crc = crc32(out, size + 5);
    for (int i = 0; i < 4; ++i)
        out[size + 5 + i] = (crc >> (8 * i)) & 0xff;
    return size + blockOverhead;
}

namespace {

constexpr std::uint8_t heldBits = 5;

std::uint32_t zigzag(int v) {
    return (static_cast<std::uint32_t>(v) << 1) ^ static_cast<std::uint32_t>(v >> 31);
}

int unzigzag(std::uint32_t v) {
    return static_cast<int>(v >> 1) ^ -static_cast<int>(v & 1);
}

} // namespace

void encodeCommand(const Command& command, PayloadWriter& out) {
    const FlightKeys& k = command.keys;
    out.byte(static_cast<std::uint8_t>(k.forward | k.reverse << 1 | k.turnLeft << 2 |
                                       k.turnRight << 3 | command.fire << 4));
    out.varint(zigzag(command.cursorDx));
    out.varint(zigzag(command.cursorDy));
    out.byte(static_cast<std::uint8_t>(command.actionCount));
    for (int i = 0; i < command.actionCount; ++i)
        out.byte(static_cast<std::uint8_t>(command.actions[i]));
}

bool decodeCommand(PayloadReader& in, Command& command) {
    command = Command();
    const std::uint8_t held = in.byte();
    if (held >> heldBits)
        return false;
    command.keys = FlightKeys{(held & 1) != 0, (held & 2) != 0, (held & 4) != 0, (held & 8) != 0};
    command.fire = (held & 16) != 0;
    command.cursorDx = unzigzag(in.varint());
    command.cursorDy = unzigzag(in.varint());
    const int count = in.byte();
    if (count > maxActions)
        return false;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t a = in.byte();
        if (a >= static_cast<std::uint8_t>(Action::count))
            return false;
        command.add(static_cast<Action>(a));
    }
    return !in.failed;
}

void encodeHeader(const ReplayHeader& header, PayloadWriter& out) {
    out.text(header.gameVersion);
    out.u32(static_cast<std::uint32_t>(header.width));
    out.u32(static_cast<std::uint32_t>(header.height));
    out.byte(header.survival ? 1 : 0);
    out.u16(static_cast<std::uint32_t>(header.files.size()));
    for (const ReplayHeader::DataFile& file : header.files) {
        out.text(file.name);
        out.u64(file.digest);
    }
}

bool decodeHeader(PayloadReader& in, ReplayHeader& header) {
    header.gameVersion = in.text();
    header.width = static_cast<int>(in.u32());
    header.height = static_cast<int>(in.u32());
    const std::uint8_t survival = in.byte();
    header.survival = survival == 1;
    const std::uint32_t count = in.u16();
    for (std::uint32_t i = 0; i < count && !in.failed; ++i) {
        ReplayHeader::DataFile file;
        file.name = in.text();
        file.digest = in.u64();
        header.files.push_back(file);
    }
    // The window sizes the game accepts.
    const bool sized = header.width >= 320 && header.height >= 240 && header.width <= 16384 &&
                       header.height <= 16384;
    return in.done() && survival <= 1 && sized;
}

bool fileDigest(const std::string& path, std::uint64_t& digest) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in)
        return false;
    std::uint8_t buffer[8192];
    std::uint64_t hash = fnv1a(nullptr, 0);
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        hash = fnv1a(buffer, n, hash);
    const bool read = !std::ferror(in);
    std::fclose(in);
    digest = hash;
    return read;
}

ReplayHeader currentHeader(int width, int height, bool survival) {
    ReplayHeader header;
    header.gameVersion = versionText;
    header.width = width;
    header.height = height;
    header.survival = survival;
    std::vector<std::string> names;
    for (DataTable table : {DataTable::weapons, DataTable::ships, DataTable::player,
                            DataTable::stars, DataTable::planets, DataTable::wormholes})
        names.push_back(rulesOf(table).file);
    for (std::size_t k = 0; k < emitters.size(); ++k)
        names.push_back(emitterFileName(k));
    for (const std::string& name : names) {
        std::uint64_t digest = 0;
        if (!fileDigest(name, digest))
            digest = 0;
        header.files.push_back(ReplayHeader::DataFile{name, digest});
    }
    return header;
}

namespace {

std::string at(const char* what, std::size_t offset) {
    return std::string(what) + " at byte " + std::to_string(offset);
}

} // namespace

std::string parseReplay(const std::vector<std::uint8_t>& bytes, ReplayContents& contents) {
    if (bytes.empty())
        return "is empty";
    if (bytes.size() < replayPreambleSize || std::memcmp(bytes.data(), replayMark, 8) != 0)
        return "is not a replay";
    PayloadReader preamble{bytes.data() + 8, 4};
    const std::uint32_t version = preamble.u32();
    if (version != replayFormatVersion)
        return "is a replay of format " + std::to_string(version) + ", this game reads format " +
               std::to_string(replayFormatVersion);
    std::size_t offset = replayPreambleSize;
    bool ended = false;
    while (offset < bytes.size()) {
        if (ended)
            return at("is corrupt: data after its end", offset);
        const std::size_t left = bytes.size() - offset;
        if (left < 5) {
            contents.endedEarly = true;
            break;
        }
        const std::uint8_t* b = bytes.data() + offset;
        const std::size_t size = b[1] | b[2] << 8;
        if (static_cast<std::uint8_t>(~b[3]) != b[1] || static_cast<std::uint8_t>(~b[4]) != b[2])
            return at("is corrupt", offset);
        if (left < size + blockOverhead) {
            contents.endedEarly = true;
            break;
        }
        const std::uint32_t crc = b[size + 5] | b[size + 6] << 8 | b[size + 7] << 16 |
                                  static_cast<std::uint32_t>(b[size + 8]) << 24;
        if (crc32(b, size + 5) != crc)
            return at("is corrupt", offset);
        const BlockKind kind = static_cast<BlockKind>(b[0]);
        const bool first = contents.blocks.empty();
        if ((kind == BlockKind::header) != first || b[0] < 1 || b[0] > 5)
            return at("is corrupt: a block out of place", offset);
        if (first) {
            PayloadReader in{b + 5, size};
            if (!decodeHeader(in, contents.header))
                return at("is corrupt: a header it cannot read", offset);
        }
        ended = kind == BlockKind::end;
        contents.blocks.push_back(Block{kind, offset + 5, size});
        offset += size + blockOverhead;
    }
    if (contents.blocks.empty())
        return "ends before its header";
    if (!ended)
        contents.endedEarly = true;
    return std::string();
}

std::string planReplay(const std::vector<std::uint8_t>& bytes, const ReplayContents& contents,
                       ReplayPlan& plan) {
    for (std::size_t i = 1; i < contents.blocks.size(); ++i) {
        const Block& block = contents.blocks[i];
        const std::string where = " at byte " + std::to_string(block.offset - 5);
        PayloadReader in{bytes.data() + block.offset, block.size};
        switch (block.kind) {
        case BlockKind::seed:
            plan.seeds.push_back(in.u32());
            break;
        case BlockKind::frame: {
            RecordedFrame frame;
            frame.readCount = static_cast<int>(in.u16());
            frame.readsAt = block.offset + in.at;
            for (int r = 0; r < frame.readCount; ++r)
                in.varint();
            if (!decodeCommand(in, frame.command) || !in.done())
                return "is corrupt: a frame it cannot read" + where;
            plan.frames.push_back(frame);
            break;
        }
        case BlockKind::digest:
        case BlockKind::end: {
            // Ten fields, then three for each system.
            const std::size_t fields = block.size / 4;
            if (plan.frames.empty() || block.size % 4 != 0 || fields < 10 || (fields - 10) % 3 != 0)
                return "is corrupt: a digest out of place" + where;
            if (block.kind == BlockKind::digest) {
                plan.frames.back().digest = static_cast<int>(i);
                break;
            }
            const std::uint32_t counted = in.u32();
            if (counted != plan.frames.size())
                return "is corrupt: its end counts " + std::to_string(counted) +
                       " frames, it holds " + std::to_string(plan.frames.size());
            in.at = in.size;
            break;
        }
        case BlockKind::header:
            return "is corrupt: a second header" + where;
        }
        if (in.failed || (block.kind == BlockKind::seed && !in.done()))
            return "is corrupt" + where;
    }
    return std::string();
}
