#pragma once
#include <cstdint>
#include <string>

#include "game/replay_file.h"

struct Game;

// The world as a recording keeps it: the frame, the run's time, the player's position, velocity,
// heading and hit points, the kills, and each system's ships, shots and timers counted.
void encodeWorldDigest(const Game& game, std::uint32_t frame, std::uint32_t runMs,
                       PayloadWriter& out);

// "" when the two digests agree, else the second of the run and the first field that differs
// with both values ("second 12: player x recorded 10.5, replayed 11").
std::string digestDifference(const std::uint8_t* recorded, std::size_t recordedSize,
                             const std::uint8_t* replayed, std::size_t replayedSize);

// Digests beyond this many systems count only the first ones.
constexpr std::uint32_t digestSystems = 1000;
