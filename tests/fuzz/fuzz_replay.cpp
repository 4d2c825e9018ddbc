#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "game/replay_file.h"

namespace {

// The same bytes with every block's length check and checksum made good, so that mutations
// reach what the blocks hold instead of stopping at the checksum.
std::vector<std::uint8_t> withGoodChecksums(const uint8_t* data, size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    std::size_t at = replayPreambleSize;
    while (at + blockOverhead <= bytes.size()) {
        std::uint8_t* b = bytes.data() + at;
        b[3] = static_cast<std::uint8_t>(~b[1]);
        b[4] = static_cast<std::uint8_t>(~b[2]);
        const std::size_t length = b[1] | b[2] << 8;
        if (at + length + blockOverhead > bytes.size())
            break;
        const std::uint32_t crc = crc32(b, length + 5);
        for (int i = 0; i < 4; ++i)
            b[length + 5 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
        at += length + blockOverhead;
    }
    return bytes;
}

// Any bytes are either refused with a reason or give blocks that lie inside the file in order,
// frames whose clock readings can all be read back and whose commands are ones the game makes,
// and digests that follow frames.
void check(const std::vector<std::uint8_t>& bytes) {
    const std::size_t size = bytes.size();
    ReplayContents contents;
    if (!parseReplay(bytes, contents).empty())
        return;
    std::size_t previousEnd = replayPreambleSize;
    for (const Block& block : contents.blocks) {
        require(block.offset == previousEnd + 5, "a block not where the one before ended");
        require(block.offset + block.size + 4 <= size, "a block past the end of the file");
        previousEnd = block.offset + block.size + 4;
    }
    ReplayPlan plan;
    if (!planReplay(bytes, contents, plan).empty())
        return;
    for (const RecordedFrame& frame : plan.frames) {
        require(frame.readsAt <= size, "clock readings outside the file");
        PayloadReader in{bytes.data() + frame.readsAt, size - frame.readsAt};
        for (int r = 0; r < frame.readCount; ++r)
            in.varint();
        require(!in.failed, "a clock reading that cannot be read back");
        require(frame.command.actionCount >= 0 && frame.command.actionCount <= maxActions,
                "a command with too many presses");
        for (int a = 0; a < frame.command.actionCount; ++a)
            require(frame.command.actions[a] < Action::count, "a press the game never makes");
        require(frame.digest < static_cast<int>(contents.blocks.size()),
                "a digest outside the file");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    check(std::vector<std::uint8_t>(data, data + size));
    check(withGoodChecksums(data, size));
    return 0;
}
