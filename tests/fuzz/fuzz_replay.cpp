#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "game/replay_file.h"

// Any bytes are either refused with a reason or give blocks that lie inside the file in order,
// frames whose clock readings can all be read back and whose commands are ones the game makes,
// and digests that follow frames.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    ReplayContents contents;
    if (!parseReplay(bytes, contents).empty())
        return 0;
    std::size_t previousEnd = replayPreambleSize;
    for (const Block& block : contents.blocks) {
        require(block.offset == previousEnd + 5, "a block not where the one before ended");
        require(block.offset + block.size + 4 <= size, "a block past the end of the file");
        previousEnd = block.offset + block.size + 4;
    }
    ReplayPlan plan;
    if (!planReplay(bytes, contents, plan).empty())
        return 0;
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
    return 0;
}
