#include "data/validation.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <system_error>

#include "core/data_file.h"
#include "graphics/sprite_decoder.h"
#include "graphics/textures.h"

namespace {

// Sample counts above this would only exhaust memory; layer counts above this would keep one
// frame drawing for ever.
constexpr float maxSamples = maxSampleCount;
constexpr float maxLayers = maxLayerCount;

std::string numberText(float v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

std::string inDir(const std::string& dir, const std::string& name) {
    return dir.empty() ? name : (std::filesystem::path(dir) / name).string();
}

int lineOf(const std::vector<int>& lines, size_t index, int fallback) {
    return index < lines.size() ? lines[index] : fallback;
}

// A whole-number column is truncated toward zero, so it names i when i - 1 < v < i + 1.
bool wholeInRange(float v, int first, int last) {
    return v > first - 1.0f && v < last + 1.0f;
}

struct RowCheck {
    const char* file;
    const TableFile& data;
    size_t row;
    Problems& problems;

    float operator[](size_t column) const { return data.rows[row][column]; }
    void add(const std::string& message) const {
        problems.push_back(Problem{file, lineOf(data.rowLines, row, 0),
                                   "row " + std::to_string(row) + ": " + message});
    }
    bool finite() const {
        for (float v : data.rows[row])
            if (!std::isfinite(v))
                return false;
        return true;
    }
};

void checkWorld(const RowCheck& row, const char* what, float v) {
    if (!wholeInRange(v, 0, maxWorldIndex))
        row.add(std::string(what) + " " + numberText(v) + " is outside 0.." +
                std::to_string(maxWorldIndex));
}

void checkTexture(const RowCheck& row, float v) {
    if (!wholeInRange(v, 0, textureCount - 1))
        row.add("texture index " + numberText(v) + " is outside 0.." +
                std::to_string(textureCount - 1));
}

void checkSwirl(const RowCheck& row, float v, const std::vector<EmitterFile>& emitters,
                size_t programCount) {
    if (!wholeInRange(v, 0, static_cast<int>(emitters.size()) - 1)) {
        // Name the missing file when the index could be one.
        const std::string file = wholeInRange(v, 0, maxWorldIndex)
                                     ? ": " + emitterFileName(static_cast<size_t>(v)) + " not found"
                                     : "";
        row.add("emitter index " + numberText(v) + " names no emitter file" + file +
                " (there are " + std::to_string(emitters.size()) + ")");
        return;
    }
    Problems entry;
    checkEmitterEntry(emitters, static_cast<size_t>(v), programCount, entry);
    if (!entry.empty())
        row.add("emitter " + numberText(std::trunc(v)) +
                " cannot be used: " + formatProblem(entry.front()));
}

// A system exists to be travelled to when a star or wormhole row names it; system 0 always does.
std::set<int> namedWorlds(const TableFile& stars, const TableFile& wormholes) {
    std::set<int> named{0};
    for (const TableFile* table : {&stars, &wormholes})
        for (const auto& row : table->rows)
            if (wholeInRange(row[0], 0, maxWorldIndex))
                named.insert(static_cast<int>(row[0]));
    return named;
}

void checkDestination(const RowCheck& row, const std::set<int>& named) {
    const float v = row[4];
    if (!wholeInRange(v, 0, maxWorldIndex))
        checkWorld(row, "destination system", v);
    else if (named.count(static_cast<int>(v)) == 0)
        row.add("destination system " + std::to_string(static_cast<int>(v)) +
                " has no star or wormhole in any table");
}

void checkLayers(const std::string& name, const ParameterSet& set, Problems& problems) {
    if (set[0].empty())
        problems.push_back(Problem{name, 0, "set 0 row 0 (layer count) is empty"});
    else if (!(set[0][0] <= maxLayers))
        problems.push_back(Problem{name, 0,
                                   "layer count " + numberText(set[0][0]) + "; at most " +
                                       std::to_string(maxLayerCount)});
}

// Only an exact 0 (flame) or 1 (swirl) selects a program layout.
void checkProgram(const std::string& name, const ParameterSet& set, size_t programCount,
                  Problems& problems) {
    if (set[11].empty()) {
        problems.push_back(Problem{name, 0, "set 0 row 11 (program index) is empty"});
        return;
    }
    const float k = set[11][0];
    if (k != 0.0f && k != 1.0f)
        problems.push_back(Problem{name, 0,
                                   "program index " + numberText(k) +
                                       " in row 11; only 0 (flame) and 1 (swirl) exist"});
    else if (static_cast<size_t>(k) >= programCount)
        problems.push_back(
            Problem{name, 0,
                    "program index " + numberText(k) + " names no loaded shader program (" +
                        std::to_string(programCount) + " loaded); it is built from " +
                        shaderFileName(static_cast<size_t>(k), ".vs") + " and " +
                        shaderFileName(static_cast<size_t>(k), ".fs")});
}

} // namespace

std::string formatProblem(const Problem& problem) {
    if (problem.line > 0)
        return problem.file + ":" + std::to_string(problem.line) + ": " + problem.message;
    return problem.file + ": " + problem.message;
}

bool printProblems(const Problems& problems) {
    for (const Problem& problem : problems)
        std::cout << formatProblem(problem) << std::endl;
    return problems.empty();
}

const TableRules& rulesOf(DataTable table) {
    static const TableRules rules[] = {
        {"weapondata.txt",
         4,
         3,
         "bullet, laser and shell",
         {"reload", "speed", "lifetime", "damage"}},
        {"shipdata.txt",
         5,
         2,
         "row 1 is the enemy that spawns",
         {"behaviour", "acceleration", "top speed", "hit points", "ram damage"}},
        {"playerdata.txt",
         7,
         1,
         "the player's ship: start x, start y, thrust, reverse, turn rate, health, radius",
         {"start x", "start y", "thrust", "reverse", "turn rate", "health", "radius"}},
        {"stardata.txt",
         7,
         0,
         "",
         {"system", "x", "y", "radius", "density", "extra value", "texture"}},
        {"planetdata.txt",
         9,
         0,
         "",
         {"star row", "radius", "density", "orbit radius", "orbit speed", "orbit angle",
          "spin speed", "spin angle", "texture"}},
        {"wormholedata.txt",
         8,
         0,
         "",
         {"system", "x", "y", "radius", "destination system", "destination x", "destination y",
          "emitter"}}};
    return rules[static_cast<int>(table)];
}

bool readTableFile(DataTable table, const std::string& dir, TableFile& data) {
    const TableRules& rules = rulesOf(table);
    const std::string path = inDir(dir, rules.file);
    if (!dataFileOpens(path))
        return false;
    std::ifstream in(path);
    if (!in)
        return false;
    readTable(in, rules.columns, data.rows, data.names, data.rowLines);
    return true;
}

void checkTable(DataTable table, const TableFile& data, Problems& problems) {
    const TableRules& rules = rulesOf(table);
    if (data.rows.size() < rules.rowsNeeded)
        problems.push_back(Problem{rules.file, 0,
                                   std::to_string(data.rows.size()) + " rows found, " +
                                       std::to_string(rules.rowsNeeded) + " needed (" + rules.need +
                                       ")"});
    // "nan" and "inf" read as numbers; they would spread through everything built from them.
    for (size_t r = 0; r < data.rows.size(); ++r)
        for (size_t c = 0; c < data.rows[r].size(); ++c)
            if (!std::isfinite(data.rows[r][c]))
                problems.push_back(Problem{rules.file, lineOf(data.rowLines, r, 0),
                                           "row " + std::to_string(r) + " column " +
                                               std::to_string(c) + " (" + rules.columnNames[c] +
                                               ") is not a finite number"});
}

void checkUniverse(const TableFile& stars, const TableFile& planets, const TableFile& wormholes,
                   const std::vector<EmitterFile>& emitters, size_t programCount,
                   Problems& problems) {
    // Rows holding a value that is not a number are refused by checkTable already.
    for (size_t i = 0; i < stars.rows.size(); ++i) {
        const RowCheck row{"stardata.txt", stars, i, problems};
        if (row.finite()) {
            checkWorld(row, "system", row[0]);
            checkTexture(row, row[6]);
        }
    }
    for (size_t i = 0; i < planets.rows.size(); ++i) {
        const RowCheck row{"planetdata.txt", planets, i, problems};
        if (row.finite())
            checkTexture(row, row[8]);
    }
    const std::set<int> named = namedWorlds(stars, wormholes);
    for (size_t i = 0; i < wormholes.rows.size(); ++i) {
        const RowCheck row{"wormholedata.txt", wormholes, i, problems};
        if (!row.finite())
            continue;
        checkWorld(row, "system", row[0]);
        checkDestination(row, named);
        checkSwirl(row, row[7], emitters, programCount);
    }
}

void checkParameterSet(const ParameterSet& set, const std::string& file, const SetSource& source,
                       Problems& problems) {
    auto lineOfRow = [&](size_t row) { return lineOf(source.rowLines, row, source.headerLine); };
    if (set.size() < 4) {
        problems.push_back(Problem{file, source.headerLine,
                                   "parameter set of " + std::to_string(set.size()) +
                                       " rows; every set needs at least four (row 3 is its "
                                       "sample count)"});
        return;
    }
    if (set[3].empty()) {
        problems.push_back(
            Problem{file, lineOfRow(3), "row 3 is empty; it must give the sample count"});
        return;
    }
    const float n = set[3][0];
    if (!(n >= 0.0f))
        problems.push_back(Problem{file, lineOfRow(3),
                                   "sample count " + numberText(n) + "; it must be 0 or more"});
    else if (n > maxSamples)
        problems.push_back(Problem{file, lineOfRow(3),
                                   "sample count " + numberText(n) + "; at most " +
                                       std::to_string(maxSampleCount)});
    for (size_t r = 0; r < set.size(); ++r) {
        const size_t size = set[r].size();
        if (size >= 10 && size < 100)
            problems.push_back(Problem{file, lineOfRow(r),
                                       "curve row of " + std::to_string(size) +
                                           " values; curve rows need at least 100"});
    }
}

void checkEmitterEntry(const std::vector<EmitterFile>& emitters, size_t index, size_t programCount,
                       Problems& problems) {
    const std::string name = emitterFileName(index);
    if (index >= emitters.size()) {
        problems.push_back(Problem{name, 0, "not found; no emitter file has that number"});
        return;
    }
    const EmitterFile& file = emitters[index];
    if (file.empty()) {
        problems.push_back(
            Problem{name, 0, "no parameter set; the file needs a '#' line and the rows after it"});
        return;
    }
    const ParameterSet& set = file[0];
    if (set.size() < 12) {
        problems.push_back(Problem{name, 0,
                                   "set 0 has " + std::to_string(set.size()) +
                                       " rows; an emitter needs at least 12 (row 0 layer "
                                       "count, row 11 program index)"});
        return;
    }
    checkLayers(name, set, problems);
    checkProgram(name, set, programCount, problems);
}

void checkFlameEntry(const std::vector<EmitterFile>& emitters, size_t programCount,
                     Problems& problems) {
    if (emitters.empty())
        problems.push_back(
            Problem{emitterFileName(0), 0, "missing; the player's engine flame needs it"});
    else
        checkEmitterEntry(emitters, 0, programCount, problems);
}

Problem missingFragmentShader(size_t pair) {
    return Problem{shaderFileName(pair, ".fs"), 0,
                   "missing; " + shaderFileName(pair, ".vs") + " needs its fragment shader"};
}

size_t countShaderPairs(const std::string& dir, Problems& problems) {
    size_t pairs = 0;
    while (dataFileOpens(inDir(dir, shaderFileName(pairs, ".vs")))) {
        if (!dataFileOpens(inDir(dir, shaderFileName(pairs, ".fs")))) {
            problems.push_back(missingFragmentShader(pairs));
            break;
        }
        ++pairs;
    }
    return pairs;
}

void checkSprites(const std::string& dir, Problems& problems) {
    for (const char* name : textureFiles) {
        const std::filesystem::path path = std::filesystem::path(dir) / name;
        std::error_code error;
        if (!std::filesystem::exists(path, error) && !error)
            continue;
        DecodedSprite sprite;
        std::string reason;
        if (!decodeSpriteFile(path.string(), spriteSideLimit, sprite, reason))
            problems.push_back(Problem{name, 0, "cannot be used as a sprite: " + reason});
    }
}

Problems checkDataDirectory(const std::string& dir) {
    Problems problems;
    const DataTable order[] = {DataTable::weapons, DataTable::ships,   DataTable::player,
                               DataTable::stars,   DataTable::planets, DataTable::wormholes};
    TableFile tables[6];
    bool universeRead = true;
    for (int t = 0; t < 6; ++t) {
        if (!readTableFile(order[t], dir, tables[t])) {
            problems.push_back(Problem{rulesOf(order[t]).file, 0, "cannot be opened"});
            universeRead = universeRead && t < 3;
            continue;
        }
        checkTable(order[t], tables[t], problems);
    }
    const std::vector<EmitterFile> emitterFiles = loadEmitterFiles(dir, problems);
    const size_t programs = countShaderPairs(dir, problems);
    checkFlameEntry(emitterFiles, programs, problems);
    if (universeRead)
        checkUniverse(tables[3], tables[4], tables[5], emitterFiles, programs, problems);
    checkSprites(dir, problems);
    return problems;
}
