#include "data/universe_loader.h"

#include <cmath>
#include <iostream>
#include <set>

#include "bodies/planet.h"
#include "bodies/star.h"
#include "bodies/wormhole.h"
#include "core/world_state.h"
#include "graphics/emitter_data.h"
#include "graphics/textures.h"

namespace {

constexpr int starColumns = 7;
constexpr int planetColumns = 9;
constexpr int wormholeColumns = 8;

std::string rowLabel(const char* file, size_t row) {
    return std::string(file) + ", row " + std::to_string(row) + ": ";
}

// Whole-number columns are truncated toward zero, so -0.5 still reads as 0.
bool belowZero(float v) {
    return v <= -1.0f;
}

std::string nonFiniteProblem(const char* file, const Table& rows) {
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            if (!std::isfinite(rows[r][c]))
                return rowLabel(file, r) + "column " + std::to_string(c) + " is not a number";
    return "";
}

std::string worldProblem(const char* file, size_t row, const char* what, float v) {
    if (belowZero(v))
        return rowLabel(file, row) + what + " " + std::to_string(static_cast<int>(v)) +
               " is negative";
    if (v >= maxWorldIndex + 1)
        return rowLabel(file, row) + what + " " + std::to_string(static_cast<long long>(v)) +
               " is beyond the last allowed system " + std::to_string(maxWorldIndex);
    return "";
}

std::string textureProblem(const char* file, size_t row, float v) {
    if (belowZero(v) || v >= textureCount)
        return rowLabel(file, row) + "texture index " + std::to_string(static_cast<long long>(v)) +
               " is outside 0.." + std::to_string(textureCount - 1);
    return "";
}

std::string emitterProblem(size_t row, float v) {
    const char* file = "wormholedata.txt";
    if (belowZero(v) || v >= emitters.size())
        return rowLabel(file, row) + "emitter index " + std::to_string(static_cast<long long>(v)) +
               " names no emitter file (there are " + std::to_string(emitters.size()) + ")";
    const std::string problem = emitterEntryProblem(static_cast<size_t>(v));
    if (!problem.empty())
        return rowLabel(file, row) + "emitter " + std::to_string(static_cast<int>(v)) +
               " cannot be used: " + problem;
    return "";
}

std::string starProblem(const Table& stars) {
    for (size_t i = 0; i < stars.size(); ++i) {
        std::string problem = worldProblem("stardata.txt", i, "system", stars[i][0]);
        if (problem.empty())
            problem = textureProblem("stardata.txt", i, stars[i][6]);
        if (!problem.empty())
            return problem;
    }
    return "";
}

std::string planetProblem(const Table& planets) {
    for (size_t i = 0; i < planets.size(); ++i) {
        const std::string problem = textureProblem("planetdata.txt", i, planets[i][8]);
        if (!problem.empty())
            return problem;
    }
    return "";
}

// A system exists to be travelled to when a star or wormhole row names it; system 0 always does.
std::set<int> namedWorlds(const Table& stars, const Table& wormholes) {
    std::set<int> named{0};
    for (const auto& row : stars)
        named.insert(static_cast<int>(row[0]));
    for (const auto& row : wormholes)
        named.insert(static_cast<int>(row[0]));
    return named;
}

std::string wormholeProblem(const Table& wormholes, const std::set<int>& named) {
    const char* file = "wormholedata.txt";
    for (size_t i = 0; i < wormholes.size(); ++i) {
        const auto& row = wormholes[i];
        std::string problem = worldProblem(file, i, "system", row[0]);
        if (problem.empty())
            problem = worldProblem(file, i, "destination system", row[4]);
        if (problem.empty() && named.count(static_cast<int>(row[4])) == 0)
            problem = rowLabel(file, i) + "destination system " +
                      std::to_string(static_cast<int>(row[4])) +
                      " has no star or wormhole in any table";
        if (problem.empty())
            problem = emitterProblem(i, row[7]);
        if (!problem.empty())
            return problem;
    }
    return "";
}

std::string firstName(const NameTable& names, size_t row, const char* fallback) {
    if (row < names.size() && !names[row].empty())
        return names[row][0];
    return std::string(fallback) + " " + std::to_string(row);
}

void growTo(Universe& universe, int world) {
    if (static_cast<size_t>(world) + 1 > universe.worlds.size())
        universe.worlds.resize(world + 1);
}

void addStars(Universe& universe, const Table& stars, const NameTable& starNames,
              const Table& planets, const NameTable& planetNames) {
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

void addWormholes(Universe& universe, const Table& wormholes) {
    for (const auto& row : wormholes) {
        const int world = static_cast<int>(row[0]);
        growTo(universe, world);
        universe.worlds[world].wormholes.push_back(
            Wormhole(world, point{row[1], row[2]}, row[3], static_cast<int>(row[4]),
                     point{row[5], row[6]}, static_cast<int>(row[7])));
    }
}

} // namespace

std::string universeTablesProblem(const Table& stars, const Table& planets,
                                  const Table& wormholes) {
    std::string problem = nonFiniteProblem("stardata.txt", stars);
    if (problem.empty())
        problem = nonFiniteProblem("planetdata.txt", planets);
    if (problem.empty())
        problem = nonFiniteProblem("wormholedata.txt", wormholes);
    if (problem.empty())
        problem = starProblem(stars);
    if (problem.empty())
        problem = planetProblem(planets);
    if (problem.empty())
        problem = wormholeProblem(wormholes, namedWorlds(stars, wormholes));
    return problem;
}

bool initializeStars(Universe& universe) {
    std::cout << "Loading star and planet data" << std::endl;
    Table stars, planets, wormholes;
    NameTable starNames, planetNames;
    if (!readData("stardata.txt", starColumns, stars, starNames)) {
        std::cout << "Stardata read failure" << std::endl;
        return false;
    }
    if (!readData("planetdata.txt", planetColumns, planets, planetNames)) {
        std::cout << "planetdata read failure" << std::endl;
        return false;
    }
    if (!readData("wormholedata.txt", wormholeColumns, wormholes)) {
        std::cout << "wormhole read failure" << std::endl;
        return false;
    }
    const std::string problem = universeTablesProblem(stars, planets, wormholes);
    if (!problem.empty()) {
        std::cout << problem << std::endl;
        return false;
    }
    addStars(universe, stars, starNames, planets, planetNames);
    std::cout << "Now loading wormholes" << std::endl;
    addWormholes(universe, wormholes);
    return true;
}
