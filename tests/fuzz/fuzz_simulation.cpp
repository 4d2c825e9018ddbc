#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "combat/timers.h"
#include "data/validation.h"
#include "data/weapon_ship_tables.h"
#include "fuzz_support.h"
#include "game/game.h"
#include "game/universe_loader.h"
#include "graphics/emitter_data.h"

namespace {

// The input read a byte at a time; past its end every byte reads 0.
class Bytes {
  public:
    Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }
    unsigned upTo(unsigned last) { return next() % (last + 1); }
    float fraction() { return static_cast<float>(next() << 8 | next()) / 65535.0f; }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

// A value the column accepts: one of its edges, zero, a tiny magnitude, or one spread
// logarithmically over the whole range, from 1e-45 up to the bound.
float valueWithin(Bytes& in, const ColumnBound& bound) {
    const unsigned kind = in.upTo(7);
    const bool negative = kind % 2 == 1;
    if (kind < 2)
        return negative ? bound.low : bound.high;
    if (kind == 2)
        return 0;
    const float top =
        std::fmin(std::fmax(std::fabs(bound.low), std::fabs(bound.high)), largestFloat);
    const float highestExponent = kind == 3 ? -20 : std::log10(top);
    const float magnitude = std::pow(10.0f, -45 + in.fraction() * (highestExponent + 45));
    return std::fmin(std::fmax(negative ? -magnitude : magnitude, bound.low), bound.high);
}

// A table of `rows` rows whose bounded columns take accepted values and whose index columns
// take what `index` gives for them.
template <typename Index> TableFile tableOf(Bytes& in, DataTable table, size_t rows, Index index) {
    TableFile data;
    const int columns = rulesOf(table).columns;
    for (size_t r = 0; r < rows; ++r) {
        std::vector<float> row(columns);
        for (int c = 0; c < columns; ++c) {
            const ColumnBound* bound = boundOf(table, c);
            row[c] = bound ? valueWithin(in, *bound) : index(c);
        }
        data.rows.push_back(row);
        data.rowLines.push_back(static_cast<int>(r) + 1);
    }
    return data;
}

constexpr int systems = 3;

struct Tables {
    TableFile stars, planets, wormholes;
    std::vector<float> player;
};

Tables makeTables(Bytes& in) {
    auto anyIndex = [](int) { return 0.0f; };
    WEAPONDATA = tableOf(in, DataTable::weapons, 3, anyIndex).rows;
    SHIPDATA = tableOf(in, DataTable::ships, 2, anyIndex).rows;
    Tables t;
    t.player = tableOf(in, DataTable::player, 1, anyIndex).rows[0];
    auto system = [&in](int) { return static_cast<float>(in.upTo(systems - 1)); };
    auto texture = [&in](int) { return static_cast<float>(in.upTo(20)); };
    t.stars = tableOf(in, DataTable::stars, 1 + in.upTo(2),
                      [&](int c) { return c == 0 ? system(c) : texture(c); });
    const size_t starRows = t.stars.rows.size();
    t.planets = tableOf(in, DataTable::planets, in.upTo(3), [&](int c) {
        return c == 0 ? static_cast<float>(in.upTo(static_cast<unsigned>(starRows) - 1))
                      : texture(c);
    });
    // Destinations go to system 0 or to a system a star or wormhole row names: the system of
    // the gate itself.
    t.wormholes = tableOf(in, DataTable::wormholes, in.upTo(2), [&](int c) {
        if (c == 7)
            return static_cast<float>(in.upTo(static_cast<unsigned>(emitters.size()) - 1));
        return c == 0 ? system(c) : 0.0f;
    });
    for (auto& row : t.wormholes.rows)
        if (in.next() % 2)
            row[4] = row[0];
    return t;
}

// The game itself refuses none of these tables.
void requireAccepted(const Tables& t) {
    Problems problems;
    TableFile weapons, ships, player;
    weapons.rows = WEAPONDATA;
    ships.rows = SHIPDATA;
    player.rows = {t.player};
    checkTable(DataTable::weapons, weapons, problems);
    checkTable(DataTable::ships, ships, problems);
    checkTable(DataTable::player, player, problems);
    checkTable(DataTable::stars, t.stars, problems);
    checkTable(DataTable::wormholes, t.wormholes, problems);
    checkUniverse(t.stars, t.planets, TableFile{}, {}, {}, 0, problems);
    for (const Problem& problem : problems)
        if (!isWarning(problem)) {
            std::fprintf(stderr, "%s\n", formatProblem(problem).c_str());
            require(false, "the generated tables are refused");
        }
}

bool finite(float v) {
    return std::isfinite(v);
}

bool finite(point p) {
    return finite(p.x) && finite(p.y);
}

// Every position, velocity, heading, angle, hit-point and timer value of every system.
void requireFinite(const Game& game) {
    const Player& p = *game.universe.player;
    require(finite(p.position) && finite(p.velocity), "player position or velocity");
    require(finite(p.angle) && finite(p.health), "player heading or health");
    require(finite(p.beamAim) && finite(p.beamEnd), "laser beam");
    for (const WorldState& world : game.universe.worlds) {
        for (const Ship& s : world.ships)
            require(finite(s.position) && finite(s.velocity) && finite(s.theta) && finite(s.health),
                    "enemy ship");
        for (const Projectile& shot : world.projectiles)
            require(finite(shot.position) && finite(shot.velocity) && finite(shot.theta) &&
                        finite(shot.damage),
                    "projectile");
        for (const Star& star : world.stars)
            for (const Planet& planet : star.planets)
                require(finite(planet.position) && finite(planet.velocity) &&
                            finite(planet.orbitAngle) && finite(planet.spinAngle) &&
                            finite(planet.landingAngle),
                        "planet");
        for (const TimerBase* timer : world.timers) {
            // typeid, not dynamic_cast, which costs more every step: nothing derives from the two.
            if (typeid(*timer) == typeid(TExplosion)) {
                const auto* e = static_cast<const TExplosion*>(timer);
                require(finite(e->position) && finite(e->size), "explosion");
            } else if (typeid(*timer) == typeid(TShockwave)) {
                require(finite(static_cast<const TShockwave*>(timer)->position), "shockwave");
            }
        }
    }
}

constexpr int frames = 200;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    silenceStandardOutput();
    // Two swirls for the gates; the flame and the swirls play no part in the simulation.
    emitters.assign(2, EmitterFile{});
    return 0;
}

// Any tables the game accepts, played with any held input for a few hundred frames of 1 to
// 100 ms, pauses among them, keep every value of every system a finite number.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes in(data, size);
    const Tables t = makeTables(in);
    requireAccepted(t);
    std::srand(in.next());

    unsigned now = 1000;
    Game game;
    game.clock = [&now] { return now; };
    const std::vector<float>& row = t.player;
    auto ship =
        std::make_unique<Player>(point{row[0], row[1]}, row[2], row[3], row[4], row[5], row[6]);
    game.universe.player = ship.get();
    game.universe.worlds.resize(1);
    addStars(game.universe, t.stars, t.planets);
    addWormholes(game.universe, t.wormholes.rows);
    game.loop.lastTicks = now;
    game.loop.lastSpawn = now;
    game.loop.spawnInterval = 1000.0f + in.next() * 100.0f;

    // Keys stay held until a frame changes them; past the input's end they stay as they are
    // and the frames are 20 ms.
    for (int i = 0; i < frames; ++i) {
        const uint8_t change = in.next();
        if (change & 1) {
            const uint8_t keys = in.next();
            game.input.keys =
                FlightKeys{(keys & 1) != 0, (keys & 2) != 0, (keys & 4) != 0, (keys & 8) != 0};
            game.input.fire = (keys & 16) != 0;
        }
        if (change & 2)
            ship->weapon = static_cast<int>(in.upTo(2));
        if (change & 4)
            game.paused = !game.paused;
        if (change & 8)
            game.loop.cursor = point{in.fraction() * 100, in.fraction() * 100};
        now += 1 + (in.next() + 19u) % 100;
        simulateFrame(game);
        requireFinite(game);
    }
    for (WorldState& world : game.universe.worlds)
        for (TimerBase* timer : world.timers)
            delete timer;
    return 0;
}
