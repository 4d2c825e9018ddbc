#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "game/replay_file.h"
#include "game/world_digest.h"

namespace {

void appendBlock(std::vector<std::uint8_t>& file, BlockKind kind, const PayloadWriter& payload) {
    std::uint8_t block[1024];
    const std::size_t n = writeBlock(kind, payload.data, payload.size, block, sizeof block);
    file.insert(file.end(), block, block + n);
}

// A small replay: header, a seed, two frames, the end.
std::vector<std::uint8_t> sampleReplay() {
    std::vector<std::uint8_t> file(replayPreambleSize, 0);
    std::memcpy(file.data(), replayMark, sizeof replayMark);
    file[sizeof replayMark] = replayFormatVersion;
    std::uint8_t bytes[512];
    PayloadWriter header{bytes, sizeof bytes};
    ReplayHeader h;
    h.gameVersion = "1.0";
    h.width = 1280;
    h.height = 1024;
    h.files.push_back(ReplayHeader::DataFile{"shipdata.txt", 0x1234567890abcdefull});
    encodeHeader(h, header);
    appendBlock(file, BlockKind::header, header);
    PayloadWriter seed{bytes, sizeof bytes};
    seed.u32(1700000000);
    appendBlock(file, BlockKind::seed, seed);
    for (int i = 0; i < 2; ++i) {
        PayloadWriter frame{bytes, sizeof bytes};
        frame.u16(1);
        frame.varint(1000 + 16 * i);
        Command command;
        command.fire = true;
        command.add(Action::weapon2);
        encodeCommand(command, frame);
        appendBlock(file, BlockKind::frame, frame);
    }
    PayloadWriter end{bytes, sizeof bytes};
    for (int field = 0; field < 10; ++field)
        end.u32(field == 0 ? 2 : 0);
    appendBlock(file, BlockKind::end, end);
    return file;
}

} // namespace

TEST(ReplayFile, AWholeFileParsesAndEveryChangedByteIsRefused) {
    const std::vector<std::uint8_t> good = sampleReplay();
    ReplayContents contents;
    ASSERT_EQ(parseReplay(good, contents), "");
    EXPECT_FALSE(contents.endedEarly);
    EXPECT_EQ(contents.blocks.size(), 5u);
    EXPECT_EQ(contents.header.files.at(0).name, "shipdata.txt");
    EXPECT_EQ(contents.header.files.at(0).digest, 0x1234567890abcdefull);

    for (std::size_t i = 0; i < good.size(); ++i)
        for (std::uint8_t flip : {0x01, 0x80, 0xff}) {
            std::vector<std::uint8_t> bad = good;
            bad[i] ^= flip;
            ReplayContents c;
            EXPECT_NE(parseReplay(bad, c), "") << "byte " << i << " changed by " << int(flip);
        }
}

TEST(ReplayFile, ACutFileEndsEarlyOrIsRefusedNeverPlaysAsWhole) {
    const std::vector<std::uint8_t> good = sampleReplay();
    ReplayContents empty;
    EXPECT_EQ(parseReplay({}, empty), "is empty");
    for (std::size_t size = 1; size < good.size(); ++size) {
        const std::vector<std::uint8_t> cut(good.begin(), good.begin() + size);
        ReplayContents c;
        const std::string problem = parseReplay(cut, c);
        EXPECT_TRUE(!problem.empty() || c.endedEarly) << "cut to " << size;
    }
    std::vector<std::uint8_t> other = good;
    other[8] = 2;
    ReplayContents c;
    EXPECT_EQ(parseReplay(other, c), "is a replay of format 2, this game reads format 1");
}

TEST(ReplayFile, CommandsComeBackAsTheyWentAndForgedOnesAreRefused) {
    Command command;
    command.keys = FlightKeys{true, false, false, true};
    command.cursorDx = -70000;
    command.cursorDy = 3;
    for (int i = 0; i < maxActions; ++i)
        command.add(static_cast<Action>(i % static_cast<int>(Action::count)));
    std::uint8_t bytes[256];
    PayloadWriter out{bytes, sizeof bytes};
    encodeCommand(command, out);
    PayloadReader in{bytes, out.size};
    Command back;
    ASSERT_TRUE(decodeCommand(in, back));
    EXPECT_TRUE(in.done());
    EXPECT_TRUE(back.keys.forward && !back.keys.reverse && !back.keys.turnLeft &&
                back.keys.turnRight && !back.fire);
    EXPECT_EQ(back.cursorDx, -70000);
    EXPECT_EQ(back.cursorDy, 3);
    ASSERT_EQ(back.actionCount, maxActions);
    EXPECT_EQ(std::memcmp(back.actions, command.actions, sizeof command.actions), 0);

    // An action past the last one, a held byte with unknown bits, one press more than a frame
    // holds.
    const std::size_t actionsAt = out.size - maxActions - 1;
    for (auto forge : {std::pair<std::size_t, std::uint8_t>{out.size - 1, 200},
                       {0, 0x20},
                       {actionsAt, maxActions + 1}}) {
        std::uint8_t forged[256];
        std::memcpy(forged, bytes, out.size);
        forged[forge.first] = forge.second;
        forged[out.size] = static_cast<std::uint8_t>(Action::aids);
        PayloadReader f{forged, out.size + (forge.first == actionsAt ? 1 : 0)};
        EXPECT_FALSE(decodeCommand(f, back)) << "byte " << forge.first;
    }
}

TEST(WorldDigest, TheFirstDifferingFieldIsNamedWithItsSecond) {
    std::uint8_t a[64];
    std::uint8_t b[64];
    PayloadWriter wa{a, sizeof a};
    PayloadWriter wb{b, sizeof b};
    const float yA = 10.5f;
    const float yB = 11;
    for (int field = 0; field < 10; ++field) {
        std::uint32_t va = field == 1 ? 12345 : field;
        std::uint32_t vb = va;
        if (field == 3) {
            std::memcpy(&va, &yA, 4);
            std::memcpy(&vb, &yB, 4);
        }
        wa.u32(va);
        wb.u32(vb);
    }
    EXPECT_EQ(digestDifference(a, wa.size, a, wa.size), "");
    EXPECT_EQ(digestDifference(a, wa.size, b, wb.size),
              "second 12: player y recorded 10.5, replayed 11");
    // A system the replay lacks.
    wa.u32(7);
    EXPECT_EQ(digestDifference(a, wa.size, a, wa.size - 4).rfind("second 12: system 0 ships", 0),
              0u);
}

TEST(ReplayFile, PlanningRefusesAForgedFrameCountAndADigestBeforeAnyFrame) {
    const std::vector<std::uint8_t> good = sampleReplay();
    ReplayContents contents;
    ASSERT_EQ(parseReplay(good, contents), "");
    ReplayPlan plan;
    ASSERT_EQ(planReplay(good, contents, plan), "");
    EXPECT_EQ(plan.seeds, std::vector<unsigned>{1700000000});
    ASSERT_EQ(plan.frames.size(), 2u);
    EXPECT_EQ(plan.frames[1].command.actions[0], Action::weapon2);

    // The end block rewritten to count three frames, its checksum made good again.
    std::vector<std::uint8_t> forged = good;
    const Block& end = contents.blocks.back();
    forged[end.offset] = 3;
    writeBlock(BlockKind::end, &forged[end.offset], end.size, &forged[end.offset - 5],
               end.size + blockOverhead);
    ReplayContents forgedContents;
    ASSERT_EQ(parseReplay(forged, forgedContents), "");
    ReplayPlan forgedPlan;
    EXPECT_EQ(planReplay(forged, forgedContents, forgedPlan),
              "is corrupt: its end counts 3 frames, it holds 2");

    // The same end straight after the header.
    std::vector<std::uint8_t> early(good.begin(), good.begin() + contents.blocks[1].offset - 5);
    early.insert(early.end(), good.begin() + end.offset - 5, good.end());
    ReplayContents earlyContents;
    ASSERT_EQ(parseReplay(early, earlyContents), "");
    ReplayPlan earlyPlan;
    EXPECT_EQ(
        planReplay(early, earlyContents, earlyPlan).rfind("is corrupt: a digest out of place", 0),
        0u);
}
