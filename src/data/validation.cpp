#include "data/validation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

#include "core/data_file.h"
#include "graphics/font.h"
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

// A row may span lines; a value is reported on the line it was written on.
int valueLine(const TableFile& data, size_t row, size_t column) {
    return lineOf(data.valueLines, row * data.rows[row].size() + column,
                  lineOf(data.rowLines, row, 0));
}

struct RowCheck {
    const char* file;
    const TableFile& data;
    size_t row;
    Problems& problems;

    float operator[](size_t column) const { return data.rows[row][column]; }
    void add(size_t column, const std::string& message,
             Severity severity = Severity::problem) const {
        problems.push_back(Problem{file, valueLine(data, row, column),
                                   "row " + std::to_string(row) + ": " + message, severity});
    }
};

// A value that is not a finite number is reported by checkValues alone, so the other checks
// look at the finite ones.
void checkWorld(const RowCheck& row, size_t column, const char* what) {
    const float v = row[column];
    if (std::isfinite(v) && !wholeInRange(v, 0, maxWorldIndex))
        row.add(column, std::string(what) + " " + numberText(v) + " is outside 0.." +
                            std::to_string(maxWorldIndex));
}

void checkTexture(const RowCheck& row, size_t column) {
    const float v = row[column];
    if (std::isfinite(v) && !wholeInRange(v, 0, textureCount - 1))
        row.add(column, "texture index " + numberText(v) + " is outside 0.." +
                            std::to_string(textureCount - 1));
}

// Files are read in order up to the first missing one, which is the file to name: a later one
// may well exist.
std::string unreadEmitterFile(float v, size_t read) {
    if (!wholeInRange(v, 0, maxWorldIndex))
        return "";
    const std::string missing = emitterFileName(read);
    if (static_cast<size_t>(v) == read)
        return ": " + missing + " not found";
    return ": " + missing + " not found, and the files after it are not read";
}

void checkSwirl(const RowCheck& row, size_t column, const std::vector<EmitterFile>& emitters,
                const EmitterSources& sources, size_t programCount) {
    const float v = row[column];
    if (!std::isfinite(v))
        return;
    if (!wholeInRange(v, 0, static_cast<int>(emitters.size()) - 1)) {
        row.add(column, "emitter index " + numberText(v) + " names no emitter file" +
                            unreadEmitterFile(v, emitters.size()) + " (there are " +
                            std::to_string(emitters.size()) + ")");
        return;
    }
    Problems entry;
    checkEmitterEntry(emitters, sources, static_cast<size_t>(v), programCount, swirlProgram, entry);
    if (!entry.empty())
        row.add(column, "emitter " + numberText(std::trunc(v)) +
                            " cannot be used: " + formatProblem(entry.front()));
}

// The universe grows to the highest system a star or wormhole row names; every system up to it
// exists, empty or not. System 0 always does.
int highestWorld(const TableFile& stars, const TableFile& wormholes) {
    int highest = 0;
    for (const TableFile* table : {&stars, &wormholes})
        for (const auto& row : table->rows)
            if (wholeInRange(row[0], 0, maxWorldIndex))
                highest = std::max(highest, static_cast<int>(row[0]));
    return highest;
}

void checkDestination(const RowCheck& row, size_t column, int highest) {
    const float v = row[column];
    if (!std::isfinite(v) || !wholeInRange(v, 0, maxWorldIndex))
        checkWorld(row, column, "destination system");
    else if (static_cast<int>(v) > highest)
        row.add(column, "destination system " + std::to_string(static_cast<int>(v)) +
                            " is beyond the highest system the tables create, " +
                            std::to_string(highest));
}

// The loader builds a planet for star row i when column 0 equals i exactly.
bool belongsToStar(float v, size_t starRows) {
    return v >= 0 && v < static_cast<float>(starRows) && v == std::floor(v);
}

// A finite value, or infinity in a column whose bound is infinite, or anything in a column
// nothing reads.
bool acceptsNonFinite(const ColumnBound* bound, float v) {
    if (std::isfinite(v))
        return true;
    if (bound == nullptr)
        return false;
    return bound->readByNothing || v == bound->low || v == bound->high;
}

std::string boundText(const ColumnBound& bound) {
    if (bound.low == -largestFloat)
        return "at most " + numberText(bound.high);
    return "within " + numberText(bound.low) + ".." + numberText(bound.high);
}

// Every value of row r is a finite number within its column's bound: "nan", "inf" and a typed
// 1e30 where the arithmetic cannot take it would spread through everything built from them.
// Within the bound the game plays the value as written; outside the usual span it is warned of.
void checkValues(DataTable table, const TableFile& data, size_t r, Problems& problems) {
    const TableRules& rules = rulesOf(table);
    for (size_t c = 0; c < data.rows[r].size(); ++c) {
        const float v = data.rows[r][c];
        const ColumnBound* bound = boundOf(table, c);
        std::string wrong;
        Severity severity = Severity::problem;
        if (!acceptsNonFinite(bound, v))
            wrong = "is not a finite number";
        else if (bound == nullptr || !std::isfinite(v))
            continue;
        else if (v < bound->low || v > bound->high)
            wrong = "is " + numberText(v) + "; it must be " + boundText(*bound) + " (" +
                    bound->why + ")";
        else if (bound->slip != nullptr && (v < bound->usualLow || v > bound->usualHigh)) {
            wrong = "is " + numberText(v) + ": " + bound->slip;
            severity = Severity::warning;
        } else
            continue;
        problems.push_back(Problem{rules.file, valueLine(data, r, c),
                                   "row " + std::to_string(r) + " column " + std::to_string(c) +
                                       " (" + rules.columnNames[c] + ") " + wrong,
                                   severity});
    }
}

std::string placeOf(const TableRules& rules, size_t index) {
    const size_t column = index % static_cast<size_t>(rules.columns);
    return "row " + std::to_string(index / rules.columns) + " column " + std::to_string(column) +
           " (" + rules.columnNames[column] + ")";
}

// What the reader makes of a token that is not wholly a number: its leading number, or 0 for a
// word, which takes a value's place and moves every later value on by one.
std::string oddNumberWarning(const TableRules& rules, const OddNumber& odd) {
    const std::string quoted = "'" + odd.token + "'";
    if (odd.used > 0)
        return quoted + " is read as " + odd.token.substr(0, odd.used) + " in " +
               placeOf(rules, odd.index) + "; the '" + odd.token.substr(odd.used) +
               "' after it is ignored";
    const std::string shift = "; every value after it moves one column on";
    if (odd.index % rules.columns == 0)
        return "stray word " + quoted + " between rows is read as 0, starting " +
               placeOf(rules, odd.index) + shift;
    return quoted + " is not a number: it is read as 0 in " + placeOf(rules, odd.index) + shift;
}

void checkPlanets(const TableFile& planets, size_t starRows, Problems& problems) {
    const TableRules& rules = rulesOf(DataTable::planets);
    for (size_t i = 0; i < planets.rows.size(); ++i) {
        const RowCheck row{rules.file, planets, i, problems};
        if (!belongsToStar(row[0], starRows)) {
            row.add(0,
                    "star row " + numberText(row[0]) + " does not exist (" +
                        std::to_string(starRows) + " star rows); the game leaves this planet out",
                    Severity::warning);
            continue;
        }
        checkValues(DataTable::planets, planets, i, problems);
        checkTexture(row, 8);
    }
}

void checkLayers(const std::string& name, const ParameterSet& set, Problems& problems) {
    if (set[0].empty())
        problems.push_back(Problem{name, 0, "set 0 row 0 (layer count) is empty"});
    else if (!(set[0][0] <= maxLayers))
        problems.push_back(Problem{name, 0,
                                   "layer count " + numberText(set[0][0]) + "; at most " +
                                       std::to_string(maxLayerCount)});
}

const char* ownerOf(int program) {
    return program == flameProgram ? "the engine flame" : "a wormhole's swirl";
}

// Only an exact 0 (flame) or 1 (swirl) selects a program layout, and the owner sets the uniform
// of its own layout: the other program's would be set with the wrong type every frame.
void checkProgram(const std::string& name, const ParameterSet& set, int line, size_t programCount,
                  int neededProgram, Problems& problems) {
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
    else if (neededProgram != anyProgram && k != static_cast<float>(neededProgram))
        problems.push_back(Problem{name, line,
                                   "program index " + numberText(k) + " in row 11 is " +
                                       ownerOf(static_cast<int>(k)) + "'s; " +
                                       ownerOf(neededProgram) + " needs program " +
                                       std::to_string(neededProgram)});
}

} // namespace

std::string formatProblem(const Problem& problem) {
    const std::string message = (isWarning(problem) ? "warning: " : "") + problem.message;
    if (problem.line > 0)
        return problem.file + ":" + std::to_string(problem.line) + ": " + message;
    return problem.file + ": " + message;
}

bool isWarning(const Problem& problem) {
    return problem.severity == Severity::warning;
}

bool printProblems(const Problems& problems) {
    bool none = true;
    for (const Problem& problem : problems) {
        if (isWarning(problem))
            continue;
        std::cerr << formatProblem(problem) << std::endl;
        none = false;
    }
    return none;
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

Problem unopenedTable(DataTable table) {
    return Problem{rulesOf(table).file, 0, "cannot be opened"};
}

bool readTableFile(DataTable table, const std::string& dir, TableFile& data) {
    const TableRules& rules = rulesOf(table);
    const std::string path = inDir(dir, rules.file);
    if (!dataFileOpens(path))
        return false;
    std::ifstream in(path);
    if (!in)
        return false;
    readTable(in, rules.columns, data);
    return true;
}

void checkTable(DataTable table, const TableFile& data, Problems& problems) {
    const TableRules& rules = rulesOf(table);
    for (const OddNumber& odd : data.oddNumbers)
        problems.push_back(
            Problem{rules.file, odd.line, oddNumberWarning(rules, odd), Severity::warning});
    if (data.rows.size() < rules.rowsNeeded)
        problems.push_back(Problem{rules.file, 0,
                                   std::to_string(data.rows.size()) + " rows found, " +
                                       std::to_string(rules.rowsNeeded) + " needed (" + rules.need +
                                       ")"});
    // Planet rows are checked with the stars they belong to.
    if (table == DataTable::planets)
        return;
    for (size_t r = 0; r < data.rows.size(); ++r)
        checkValues(table, data, r, problems);
}

void checkUniverse(const TableFile& stars, const TableFile& planets, const TableFile& wormholes,
                   const std::vector<EmitterFile>& emitters, const EmitterSources& sources,
                   size_t programCount, Problems& problems) {
    for (size_t i = 0; i < stars.rows.size(); ++i) {
        const RowCheck row{"stardata.txt", stars, i, problems};
        checkWorld(row, 0, "system");
        checkTexture(row, 6);
    }
    checkPlanets(planets, stars.rows.size(), problems);
    const int highest = highestWorld(stars, wormholes);
    for (size_t i = 0; i < wormholes.rows.size(); ++i) {
        const RowCheck row{"wormholedata.txt", wormholes, i, problems};
        checkWorld(row, 0, "system");
        checkDestination(row, 4, highest);
        checkSwirl(row, 7, emitters, sources, programCount);
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

void checkEmitterEntry(const std::vector<EmitterFile>& emitters, const EmitterSources& sources,
                       size_t index, size_t programCount, int neededProgram, Problems& problems) {
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
    const bool hasLines = index < sources.size() && !sources[index].empty();
    const int line = hasLines ? lineOf(sources[index][0].rowLines, 11, 0) : 0;
    checkProgram(name, set, line, programCount, neededProgram, problems);
}

void checkFlameEntry(const std::vector<EmitterFile>& emitters, const EmitterSources& sources,
                     size_t programCount, Problems& problems) {
    if (emitters.empty())
        problems.push_back(
            Problem{emitterFileName(0), 0, "missing; the player's engine flame needs it"});
    else
        checkEmitterEntry(emitters, sources, 0, programCount, flameProgram, problems);
}

Problem missingFragmentShader(size_t pair) {
    return Problem{shaderFileName(pair, ".fs"), 0,
                   "missing; " + shaderFileName(pair, ".vs") + " needs its fragment shader"};
}

Problem shaderDoesNotCompile(size_t pair, const char* extension) {
    const bool vertex = std::string(extension) == ".vs";
    return Problem{shaderFileName(pair, extension), 0,
                   std::string("does not compile as a ") + (vertex ? "vertex" : "fragment") +
                       " shader"};
}

Problem shaderPairDoesNotLink(size_t pair) {
    return Problem{shaderFileName(pair, ".vs"), 0,
                   "does not link with " + shaderFileName(pair, ".fs") + " into program " +
                       std::to_string(pair)};
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
    const std::string without = "; the game runs with a plain square in its place";
    for (const char* name : textureFiles) {
        const std::filesystem::path path = std::filesystem::path(dir) / name;
        std::error_code error;
        if (!std::filesystem::exists(path, error) && !error) {
            problems.push_back(Problem{name, 0, "missing" + without, Severity::warning});
            continue;
        }
        DecodedSprite sprite;
        std::string reason;
        if (!decodeSpriteFile(path.string(), spriteSideLimit, sprite, reason))
            problems.push_back(Problem{name, 0, "cannot be used as a sprite: " + reason + without,
                                       Severity::warning});
    }
}

void checkFont(const std::string& dir, Problems& problems) {
    const std::string failure = fontFailure(inDir(dir, fontFileName));
    if (!failure.empty())
        problems.push_back(Problem{
            fontFileName, 0, "the game prints \"" + failure + "\" and runs without status text",
            Severity::warning});
}

Problems checkDataDirectory(const std::string& dir) {
    Problems problems;
    const DataTable order[] = {DataTable::weapons, DataTable::ships,   DataTable::player,
                               DataTable::stars,   DataTable::planets, DataTable::wormholes};
    TableFile tables[6];
    bool universeRead = true;
    for (int t = 0; t < 6; ++t) {
        if (!readTableFile(order[t], dir, tables[t])) {
            problems.push_back(unopenedTable(order[t]));
            universeRead = universeRead && t < 3;
            continue;
        }
        checkTable(order[t], tables[t], problems);
    }
    EmitterSources sources;
    const std::vector<EmitterFile> emitterFiles = loadEmitterFiles(dir, problems, sources);
    const size_t programs = countShaderPairs(dir, problems);
    checkFlameEntry(emitterFiles, sources, programs, problems);
    if (universeRead)
        checkUniverse(tables[3], tables[4], tables[5], emitterFiles, sources, programs, problems);
    checkSprites(dir, problems);
    checkFont(dir, problems);
    return problems;
}
