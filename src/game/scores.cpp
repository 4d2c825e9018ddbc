#include "game/scores.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>

namespace {

const char* const header = "# orrisk survival: kills, seconds survived, date (best first)";

bool better(const Score& a, const Score& b) {
    if (a.kills != b.kills)
        return a.kills > b.kills;
    return a.seconds > b.seconds;
}

bool validDate(const std::string& date) {
    if (date.size() != 10 || date[4] != '-' || date[7] != '-')
        return false;
    for (size_t i = 0; i < date.size(); ++i)
        if (i != 4 && i != 7 && (date[i] < '0' || date[i] > '9'))
            return false;
    return true;
}

// One row: "kills seconds date" and nothing more.
bool parseRow(const std::string& line, Score& score) {
    std::istringstream in(line);
    long long kills = -1;
    double seconds = -1;
    std::string rest;
    if (!(in >> kills >> seconds >> score.date) || in >> rest)
        return false;
    if (kills < 0 || kills > 1000000000 || !std::isfinite(seconds) || seconds < 0 ||
        seconds > 1e9 || !validDate(score.date))
        return false;
    score.kills = static_cast<unsigned>(kills);
    score.seconds = static_cast<float>(seconds);
    return true;
}

// Parses the whole text; false at the first line that is neither a comment, blank nor a row.
bool parseTable(std::istream& in, ScoreTable& table) {
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        Score score;
        if (!parseRow(line, score))
            return false;
        addScore(table, score);
    }
    return !in.bad();
}

void setAside(const std::string& path) {
    const std::string aside = path + ".bad";
    if (std::rename(path.c_str(), aside.c_str()) == 0)
        std::fprintf(stderr, "orrisk: %s cannot be read as a score table; set aside as %s\n",
                     path.c_str(), aside.c_str());
    else
        std::fprintf(stderr, "orrisk: %s cannot be read as a score table, nor set aside: %s\n",
                     path.c_str(), std::strerror(errno));
}

// Makes every missing directory on the way to the file.
bool makeParents(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string dir = path.substr(0, slash);
        if (mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

} // namespace

std::string scoresPath() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/')
        return std::string(data) + "/orrisk/scores";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.local/share/orrisk/scores";
    return std::string();
}

ScoreTable loadScores(const std::string& path) {
    ScoreTable table;
    if (path.empty())
        return table;
    struct stat info;
    if (stat(path.c_str(), &info) != 0 && errno == ENOENT)
        return table;
    std::ifstream in(path);
    if (!in || !S_ISREG(info.st_mode) || !parseTable(in, table)) {
        table.clear();
        setAside(path);
    }
    return table;
}

void addScore(ScoreTable& table, const Score& run) {
    table.insert(std::upper_bound(table.begin(), table.end(), run, better), run);
    if (table.size() > scoresKept)
        table.resize(scoresKept);
}

bool saveScores(const std::string& path, const ScoreTable& table) {
    if (path.empty()) {
        std::fputs("orrisk: neither XDG_DATA_HOME nor HOME names a place for the scores\n", stderr);
        return false;
    }
    const std::string temporary = path + ".new" + std::to_string(getpid());
    bool written = makeParents(path);
    if (written) {
        std::FILE* out = std::fopen(temporary.c_str(), "w");
        written = out != nullptr;
        if (out) {
            std::fprintf(out, "%s\n", header);
            for (const Score& s : table)
                std::fprintf(out, "%u %.1f %s\n", s.kills, static_cast<double>(s.seconds),
                             s.date.c_str());
            written = std::fflush(out) == 0 && fsync(fileno(out)) == 0;
            written = std::fclose(out) == 0 && written;
        }
        written = written && std::rename(temporary.c_str(), path.c_str()) == 0;
    }
    if (!written) {
        std::fprintf(stderr, "orrisk: the scores cannot be written to %s: %s\n", path.c_str(),
                     std::strerror(errno));
        std::remove(temporary.c_str());
    }
    return written;
}

namespace {

std::string bestRunsDirectory(const std::string& scoresPath) {
    return scoresPath.substr(0, scoresPath.rfind('/') + 1) + "best-runs/";
}

const char* const replaySuffix = ".replay";

bool endsWith(const std::string& text, const char* suffix) {
    const std::size_t n = std::strlen(suffix);
    return text.size() >= n && text.compare(text.size() - n, n, suffix) == 0;
}

} // namespace

std::string bestRunReplayPath(const std::string& scoresPath, const Score& run) {
    char name[96];
    std::snprintf(name, sizeof name, "%s-%u-kills-%.1f-s%s", run.date.c_str(), run.kills,
                  static_cast<double>(run.seconds), replaySuffix);
    return bestRunsDirectory(scoresPath) + name;
}

void pruneBestRunReplays(const std::string& scoresPath, const ScoreTable& table) {
    const std::string directory = bestRunsDirectory(scoresPath);
    DIR* dir = opendir(directory.c_str());
    if (!dir)
        return;
    while (const dirent* entry = readdir(dir)) {
        const std::string path = directory + entry->d_name;
        if (!endsWith(path, replaySuffix))
            continue;
        const bool named = std::any_of(table.begin(), table.end(), [&](const Score& s) {
            return bestRunReplayPath(scoresPath, s) == path;
        });
        if (!named)
            std::remove(path.c_str());
    }
    closedir(dir);
}

std::string today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[16] = "1970-01-01";
    if (localtime_r(&now, &local))
        std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}
