#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "game/command.h"

// A replay file: an 8-byte mark and the format version, then blocks. Each block is its kind
// (one byte), its length (two bytes, then the same two bytes inverted, so a changed length is
// found before it is followed), the payload and a CRC-32 of all before it in the block.
// Integers are little-endian; the clock readings and the mouse motion are variable-length.
constexpr char replayMark[8] = {'O', 'R', 'R', 'I', 'S', 'K', 'R', 'P'};
constexpr std::uint32_t replayFormatVersion = 1;
constexpr std::size_t replayPreambleSize = sizeof replayMark + 4;
constexpr std::size_t blockOverhead = 1 + 2 + 2 + 4;
constexpr std::size_t maxPayload = 0xffff;

enum class BlockKind : std::uint8_t {
    header = 1, // game version, window, mode, data file digests
    seed,       // a value the random generator was seeded with, in the order taken
    frame,      // a frame's clock readings and its command
    digest,     // the world after the frame before it
    end,        // the frame count and the world when the game ended
};

std::uint32_t crc32(const std::uint8_t* data, std::size_t size);
// FNV-1a, 64 bits: the digest of a data file and of the world.
std::uint64_t fnv1a(const std::uint8_t* data, std::size_t size,
                    std::uint64_t hash = 0xcbf29ce484222325ull);

// Appends to a payload in a fixed buffer; overflows are counted, never written.
struct PayloadWriter {
    std::uint8_t* data;
    std::size_t capacity;
    std::size_t size = 0;
    bool overflowed = false;

    void byte(std::uint8_t v);
    void u16(std::uint32_t v);
    void u32(std::uint32_t v);
    void u64(std::uint64_t v);
    void varint(std::uint32_t v);
    void text(const std::string& s); // a length byte, then at most 255 bytes
};

// Reads a payload; any read past its end or malformed value sets failed and yields 0.
struct PayloadReader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
    bool failed = false;

    std::uint8_t byte();
    std::uint32_t u16();
    std::uint32_t u32();
    std::uint64_t u64();
    std::uint32_t varint();
    std::string text();
    bool done() const { return !failed && at == size; }
};

// Writes a whole block, framing and checksum included, at out; returns its size, or 0 when the
// payload is too long or out too small.
std::size_t writeBlock(BlockKind kind, const std::uint8_t* payload, std::size_t size,
                       std::uint8_t* out, std::size_t capacity);

void encodeCommand(const Command& command, PayloadWriter& out);
// False when the bytes are no command.
bool decodeCommand(PayloadReader& in, Command& command);

// What the header holds.
struct ReplayHeader {
    std::string gameVersion;
    int width = 0;
    int height = 0;
    bool survival = false;
    struct DataFile {
        std::string name;
        std::uint64_t digest;
    };
    std::vector<DataFile> files;
};

void encodeHeader(const ReplayHeader& header, PayloadWriter& out);
bool decodeHeader(PayloadReader& in, ReplayHeader& header);

// The digest of a file's bytes; false when it cannot be read.
bool fileDigest(const std::string& path, std::uint64_t& digest);
// The header of a run in the working directory: the game version, the window, the mode and the
// digest of every table and emitter file the simulation reads (a missing one digests as 0).
ReplayHeader currentHeader(int width, int height, bool survival);

// A block as found in a file.
struct Block {
    BlockKind kind;
    std::size_t offset; // of the payload
    std::size_t size;
};

// A whole replay file, checked block by block before anything is played.
struct ReplayContents {
    ReplayHeader header;
    std::vector<Block> blocks;
    // The file stops inside a block or before its end block: it is played up to its last whole
    // frame.
    bool endedEarly = false;
};

// Empty when the bytes are a replay this game can read, else what is wrong, as a line's tail
// ("is empty", "is corrupt at byte 1234", ...).
std::string parseReplay(const std::vector<std::uint8_t>& bytes, ReplayContents& contents);

// One frame as recorded.
struct RecordedFrame {
    std::size_t readsAt; // offset of its first clock reading
    int readCount;
    Command command;
    int digest = -1; // the block index of the digest recorded after it
};

// What a replay gives back, in order.
struct ReplayPlan {
    std::vector<unsigned> seeds;
    std::vector<RecordedFrame> frames;
};

// Reads every block after the header of a parsed replay: "" when each is whole and in its place,
// else what is wrong. Digests and the end must follow a frame; the end counts the frames.
std::string planReplay(const std::vector<std::uint8_t>& bytes, const ReplayContents& contents,
                       ReplayPlan& plan);
