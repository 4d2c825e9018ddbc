#pragma once
#include <string>
#include <vector>

// One finished survival run.
struct Score {
    unsigned kills = 0;
    float seconds = 0;
    std::string date; // YYYY-MM-DD, the day the run ended

    bool operator==(const Score& other) const {
        return kills == other.kills && seconds == other.seconds && date == other.date;
    }
};

// The best runs, best first: more kills, then the longer run.
using ScoreTable = std::vector<Score>;
constexpr size_t scoresKept = 10;

// Where the table lives: $XDG_DATA_HOME/orrisk/scores, or ~/.local/share/orrisk/scores when
// XDG_DATA_HOME is unset or not absolute; "" when neither gives a place.
std::string scoresPath();

// The table in the file at path. A missing file is an empty table; one that cannot be read or
// does not parse is renamed aside (path + ".bad") with one line on standard error, and the
// table starts empty.
ScoreTable loadScores(const std::string& path);

// Puts the run into the table in its place, keeping the best scoresKept.
void addScore(ScoreTable& table, const Score& run);

// Writes the table to a temporary file beside path and renames it into place, so a failure
// mid-write leaves the old file whole; false, with one line on standard error, when it cannot.
bool saveScores(const std::string& path, const ScoreTable& table);

// Each best run keeps the replay of its session up to its end in a directory beside the table:
// best-runs/DATE-KILLS-kills-SECONDS-s.replay, named from what its row holds, so runs alike in
// all three share one file, either of which shows that score.
std::string bestRunReplayPath(const std::string& scoresPath, const Score& run);
// Removes the replays in best-runs/ that no row of the table names any more.
void pruneBestRunReplays(const std::string& scoresPath, const ScoreTable& table);

// Today's date as the table writes it.
std::string today();
