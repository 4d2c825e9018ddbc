#include "game/universe_loader.h"

#include <iostream>

#include "bodies/planet.h"
#include "bodies/star.h"
#include "bodies/world_state.h"
#include "bodies/wormhole.h"
#include "data/validation.h"
#include "graphics/emitter_data.h"

namespace {

std::string firstName(const NameTable& names, size_t row, const char* fallback) {
    if (row < names.size() && !names[row].empty())
        return names[row][0];
    return std::string(fallback) + " " + std::to_string(row);
}

void growTo(Universe& universe, int world) {
    if (static_cast<size_t>(world) + 1 > universe.worlds.size())
        universe.worlds.resize(world + 1);
}

} // namespace

void addStars(Universe& universe, const TableFile& starTable, const TableFile& planetTable) {
    const Table& stars = starTable.rows;
    const NameTable& starNames = starTable.names;
    const Table& planets = planetTable.rows;
    const NameTable& planetNames = planetTable.names;
    for (size_t i = 0; i < stars.size(); ++i) {
        const auto& row = stars[i];
        Star star(point{row[1], row[2]}, row[3], row[4], row[5], static_cast<int>(row[6]),
                  firstName(starNames, i, "Star"));
        for (size_t j = 0; j < planets.size(); ++j) {
            const auto& p = planets[j];
            if (p[0] != static_cast<float>(i))
                continue;
            Planet planet(p[1], p[2], p[3], p[4], p[5], p[6], p[7], static_cast<int>(p[8]),
                          firstName(planetNames, j, "Planet"));
            star.addPlanet(planet);
            std::cout << "Adding " << planet.getName() << " to " << star.getName() << std::endl;
        }
        const int world = static_cast<int>(row[0]);
        growTo(universe, world);
        universe.worlds[world].stars.push_back(star);
    }
}

namespace {

// Reads one table, printing its failure line when the file cannot be opened.
bool read(DataTable which, TableFile& data, const char* failure) {
    const TableRules& rules = rulesOf(which);
    if (readData(rules.file, rules.columns, data))
        return true;
    std::cout << failure << std::endl;
    printProblems({unopenedTable(which)});
    return false;
}

} // namespace

void addWormholes(Universe& universe, const Table& wormholes) {
    for (const auto& row : wormholes) {
        const int world = static_cast<int>(row[0]);
        growTo(universe, world);
        universe.worlds[world].wormholes.push_back(
            Wormhole(world, point{row[1], row[2]}, row[3], static_cast<int>(row[4]),
                     point{row[5], row[6]}, static_cast<int>(row[7])));
    }
}

bool initializeStars(Universe& universe) {
    std::cout << "Loading star and planet data" << std::endl;
    TableFile stars, planets, wormholes;
    if (!read(DataTable::stars, stars, "Stardata read failure") ||
        !read(DataTable::planets, planets, "planetdata read failure") ||
        !read(DataTable::wormholes, wormholes, "wormhole read failure"))
        return false;
    Problems problems;
    checkTable(DataTable::stars, stars, problems);
    checkTable(DataTable::wormholes, wormholes, problems);
    checkUniverse(stars, planets, wormholes, emitters, emitterSources, shaders.size(), problems);
    if (!printProblems(problems))
        return false;
    addStars(universe, stars, planets);
    std::cout << "Now loading wormholes" << std::endl;
    addWormholes(universe, wormholes.rows);
    return true;
}
