// Where a sound is heard from, and which sound files are taken at the edges of their limits.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "audio/placement.h"
#include "audio/sound_file.h"

namespace {

void put(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(tag[i]));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A 16-bit mono PCM WAV at rate declaring `declared` bytes of samples and holding `held`.
std::vector<uint8_t> wav(int rate, uint32_t declared, uint32_t held) {
    std::vector<uint8_t> out;
    put(out, "RIFF");
    put32(out, 36 + held);
    put(out, "WAVE");
    put(out, "fmt ");
    put32(out, 16);
    put32(out, 1 | 1 << 16); // PCM, one channel
    put32(out, static_cast<uint32_t>(rate));
    put32(out, static_cast<uint32_t>(rate * 2));
    put32(out, 2 | 16 << 16); // two bytes a frame, 16 bits
    put(out, "data");
    put32(out, declared);
    out.resize(out.size() + held, 0);
    return out;
}

bool taken(const std::vector<uint8_t>& bytes, std::string& reason) {
    SoundFormat format;
    return readSoundHeader(bytes.data(), bytes.size(), format, reason);
}

} // namespace

TEST(Placement, LouderNearSilentBeyondReachPannedBySide) {
    const point ship{100, 100};
    EXPECT_FLOAT_EQ(placeSound(ship, ship).gain, 1);
    EXPECT_GT(placeSound(ship, {100, 100 + hearingReach - 10}).gain, 0);
    EXPECT_EQ(placeSound(ship, {100, 100 + hearingReach}).gain, 0);
    EXPECT_EQ(placeSound(ship, {100 - 2 * hearingReach, 100}).gain, 0);
    EXPECT_LT(placeSound(ship, {100, 1100}).gain, placeSound(ship, {100, 600}).gain);
    EXPECT_FLOAT_EQ(placeSound(ship, {100 - panReach, 100}).pan, -1);
    EXPECT_FLOAT_EQ(placeSound(ship, {100 + 4 * panReach, 100}).pan, 1);
    EXPECT_FLOAT_EQ(placeSound(ship, {100, -3000}).pan, 0);
}

TEST(SoundHeader, SamplesWithinTheFileAndTenSecondsAreTakenNoMore) {
    std::string reason;
    const uint32_t tenSeconds = 22050 * 2 * soundSecondsLimit;
    EXPECT_TRUE(taken(wav(22050, tenSeconds, tenSeconds), reason)) << reason;
    EXPECT_FALSE(taken(wav(22050, tenSeconds + 2, tenSeconds + 2), reason));
    EXPECT_EQ(reason, "longer than 10 seconds");
    EXPECT_FALSE(taken(wav(22050, 2000, 1998), reason));
    EXPECT_EQ(reason, "truncated: a chunk runs past the end of the file");
    EXPECT_FALSE(taken(wav(22050, 0xfffffff0u, 8), reason));
    EXPECT_FALSE(taken(wav(22050, 3, 3), reason));
    EXPECT_EQ(reason, "no whole samples");
    EXPECT_FALSE(taken(wav(7999, 200, 200), reason));
    EXPECT_FALSE(taken(std::vector<uint8_t>(soundFileLimit + 1, 0), reason));
    EXPECT_EQ(reason, "file too large");
    std::vector<uint8_t> noFormat = wav(22050, 200, 200);
    noFormat[12] = 'x';
    EXPECT_FALSE(taken(noFormat, reason));
    // A second format chunk, stereo before mono: the mixer would take the first and read the
    // two bytes of samples as a four-byte frame.
    std::vector<uint8_t> twoFormats = wav(22050, 2, 2);
    std::vector<uint8_t> stereo(twoFormats.begin() + 12, twoFormats.begin() + 36);
    stereo[10] = 2;
    twoFormats.insert(twoFormats.begin() + 12, stereo.begin(), stereo.end());
    EXPECT_FALSE(taken(twoFormats, reason));
    EXPECT_EQ(reason, "two format chunks");
}
