#pragma once
// The one place that knows what data the game can use. The loaders call these rules at their
// point of start-up; orrisk-check runs them all on a directory.
#include <cstddef>
#include <string>
#include <vector>

#include "data/column_bounds.h"
#include "data/table_reader.h"
#include "graphics/emitter_data.h"

// A problem stops the game; a warning is data the game reads, but differently than a person
// would, which only orrisk-check reports.
enum class Severity { problem, warning };

// One thing wrong with a data file; line is 0 when the problem has no line of its own.
struct Problem {
    std::string file;
    int line;
    std::string message;
    Severity severity = Severity::problem;
};
using Problems = std::vector<Problem>;

// "file:line: message", or "file: message" when there is no line; a warning's message starts
// with "warning: ".
std::string formatProblem(const Problem& problem);
// Prints each problem, not the warnings, as one line on standard error (standard output holds
// only the game's own progress lines); true when there were none.
bool printProblems(const Problems& problems);
bool isWarning(const Problem& problem);

// The highest star system number a table may name; beyond it a typo would allocate millions
// of empty systems.
constexpr int maxWorldIndex = 999;

struct TableRules {
    const char* file;
    int columns;
    size_t rowsNeeded;
    const char* need; // why those rows are needed
    std::vector<const char*> columnNames;
};
const TableRules& rulesOf(DataTable table);
// The line for a table whose file cannot be opened, as orrisk-check and the game print it.
Problem unopenedTable(DataTable table);

// Reads the table's file from dir (the working directory when empty) without printing; false
// when it cannot be opened.
bool readTableFile(DataTable table, const std::string& dir, TableFile& data);

// The rows the game reads by index exist, and every value is a finite number within its column's
// bound, or an infinity or nan the column takes (planet rows: see checkUniverse); a value outside
// its column's usual span is a warning.
void checkTable(DataTable table, const TableFile& data, Problems& problems);
// Every index of the three universe tables names something that exists: a star system within
// range (a wormhole's destination at most the highest system the tables create), a texture slot,
// an emitter file that can drive a wormhole's swirl with programCount shader programs. Planet
// rows that belong to no star are never built: they are only warned about, and every value of
// the others is a finite number within its column's range.
void checkUniverse(const TableFile& stars, const TableFile& planets, const TableFile& wormholes,
                   const std::vector<EmitterFile>& emitters, const EmitterSources& sources,
                   size_t programCount, Problems& problems);

// Whether a raw parameter set can be expanded (enough rows, a usable sample count, curve rows of
// at least 100 values); source gives the file lines of the set's parts.
void checkParameterSet(const ParameterSet& set, const std::string& file, const SetSource& source,
                       Problems& problems);
// The program each owner of an emitter drives: its uniform layout is that program's.
constexpr int flameProgram = 0;
constexpr int swirlProgram = 1;
constexpr int anyProgram = -1;

// Whether expanded emitter entry index can drive an Emitter when programCount programs exist,
// and names program neededProgram unless that is anyProgram; sources give the lines.
void checkEmitterEntry(const std::vector<EmitterFile>& emitters, const EmitterSources& sources,
                       size_t index, size_t programCount, int neededProgram, Problems& problems);
// The player's engine flame needs emitter file 0, naming the flame's program.
void checkFlameEntry(const std::vector<EmitterFile>& emitters, const EmitterSources& sources,
                     size_t programCount, Problems& problems);
// The problem of shader pair k whose vertex file exists without its fragment file.
Problem missingFragmentShader(size_t pair);
// The problem of shader pair k's file with extension (".vs" or ".fs") that does not compile.
Problem shaderDoesNotCompile(size_t pair, const char* extension);
// The problem of shader pair k whose two files compile but do not link into a program.
Problem shaderPairDoesNotLink(size_t pair);
// The number of shader pairs the game would build from dir, checking each pair is complete.
size_t countShaderPairs(const std::string& dir, Problems& problems);

// Every sprite file in dir decodes as the game would decode it; the game runs without one, so a
// sprite missing or refused is a warning.
void checkSprites(const std::string& dir, Problems& problems);
// The font gives every glyph; the game runs without status text when it does not (a warning).
void checkFont(const std::string& dir, Problems& problems);

// Every problem of every data file in dir, as the game would meet them. Prints nothing.
Problems checkDataDirectory(const std::string& dir);
