#include "game/world_digest.h"

#include <cstdio>
#include <cstring>

#include "game/game.h"

namespace {

// The fields before the systems, in order.
const char* const leadingFields[] = {"frame",
                                     "time",
                                     "player x",
                                     "player y",
                                     "player velocity x",
                                     "player velocity y",
                                     "player heading",
                                     "player hit points",
                                     "kills",
                                     "systems"};
constexpr int leadingCount = sizeof leadingFields / sizeof leadingFields[0];
// Fields 2 to 7 are floats.
bool isFloat(int field) {
    return field >= 2 && field <= 7;
}
const char* const systemFields[] = {"ships", "shots", "timers"};

std::uint32_t bits(float v) {
    std::uint32_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

std::string valueText(std::uint32_t v, bool asFloat) {
    char text[32];
    if (asFloat) {
        float f;
        std::memcpy(&f, &v, sizeof f);
        std::snprintf(text, sizeof text, "%.9g", static_cast<double>(f));
    } else {
        std::snprintf(text, sizeof text, "%u", v);
    }
    return text;
}

std::string fieldName(int field) {
    if (field < leadingCount)
        return leadingFields[field];
    const int k = field - leadingCount;
    return "system " + std::to_string(k / 3) + " " + systemFields[k % 3];
}

} // namespace

void encodeWorldDigest(const Game& game, std::uint32_t frame, std::uint32_t runMs,
                       PayloadWriter& out) {
    const Player& p = *game.universe.player;
    const auto& worlds = game.universe.worlds;
    std::uint32_t kills = 0;
    for (const WorldState& world : worlds)
        kills += world.kills;
    const std::uint32_t systems =
        worlds.size() < digestSystems ? static_cast<std::uint32_t>(worlds.size()) : digestSystems;
    for (std::uint32_t v :
         {frame, runMs, bits(p.position.x), bits(p.position.y), bits(p.velocity.x),
          bits(p.velocity.y), bits(p.angle), bits(p.getHealth()), kills, systems})
        out.u32(v);
    for (std::uint32_t i = 0; i < systems; ++i) {
        const WorldState& world = worlds[i];
        out.u32(static_cast<std::uint32_t>(world.ships.size()));
        out.u32(static_cast<std::uint32_t>(world.projectiles.size()));
        out.u32(static_cast<std::uint32_t>(world.timers.size()));
    }
}

std::string digestDifference(const std::uint8_t* recorded, std::size_t recordedSize,
                             const std::uint8_t* replayed, std::size_t replayedSize) {
    PayloadReader a{recorded, recordedSize};
    PayloadReader b{replayed, replayedSize};
    std::uint32_t runMs = 0;
    for (int field = 0; !a.done() || !b.done(); ++field) {
        const std::uint32_t x = a.u32();
        const std::uint32_t y = b.u32();
        if (field == 1)
            runMs = x;
        if (x != y || a.failed != b.failed)
            return "second " + std::to_string(runMs / 1000) + ": " + fieldName(field) +
                   " recorded " + valueText(x, isFloat(field)) + ", replayed " +
                   valueText(y, isFloat(field));
        if (a.failed)
            break;
    }
    return std::string();
}
