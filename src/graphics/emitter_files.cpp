#include "graphics/emitter_data.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <utility>

#include "core/data_file.h"
#include "core/geometry.h"
#include "data/validation.h"

std::string emitterFileName(size_t k) {
    return "emitterShade" + toString(static_cast<float>(k)) + ".txt";
}

std::string shaderFileName(size_t k, const char* extension) {
    return "shader" + toString(static_cast<float>(k)) + extension;
}

namespace {

// Values separated by single spaces; an empty text between two spaces reads as 0.
std::vector<float> splitRow(const std::string& line) {
    std::vector<float> row;
    size_t start = 0;
    for (;;) {
        const size_t space = line.find(' ', start);
        if (space == std::string::npos) {
            row.push_back(static_cast<float>(std::atof(line.substr(start).c_str())));
            return row;
        }
        row.push_back(static_cast<float>(std::atof(line.substr(start, space - start).c_str())));
        start = space + 1;
        if (start >= line.size())
            return row;
    }
}

// A directory in an emitter file's place ends the list like a missing file.
void openEmitterFile(std::ifstream& in, const std::string& dir, const std::string& name) {
    const std::string path = dir.empty() ? name : dir + "/" + name;
    if (dataFileOpens(path))
        in.open(path);
}

struct RawEmitterData {
    std::vector<EmitterFile> files;
    std::vector<std::vector<SetSource>> sources;
    Problems problems;
};

RawEmitterData readRawEmitterFiles(const std::string& dir, bool announce) {
    RawEmitterData raw;
    size_t k = 0;
    std::string name = emitterFileName(k);
    std::ifstream in;
    openEmitterFile(in, dir, name);
    while (in.is_open()) {
        if (announce)
            std::printf("Processing %s\n", name.c_str());
        raw.sources.emplace_back();
        raw.files.push_back(parseEmitterFile(in, name, raw.sources.back(), raw.problems));
        in.close();
        in.clear();
        name = emitterFileName(++k);
        openEmitterFile(in, dir, name);
    }
    return raw;
}

bool expandable(const ParameterSet& set) {
    Problems problems;
    checkParameterSet(set, "", SetSource{0, {}}, problems);
    return problems.empty();
}

// A set that cannot be expanded is kept as read; the start-up check refuses it.
std::vector<EmitterFile> expandAll(RawEmitterData& raw) {
    std::vector<EmitterFile> result;
    for (size_t f = 0; f < raw.files.size(); ++f) {
        result.emplace_back();
        for (size_t s = 0; s < raw.files[f].size(); ++s) {
            const ParameterSet& set = raw.files[f][s];
            const size_t before = raw.problems.size();
            checkParameterSet(set, emitterFileName(f), raw.sources[f][s], raw.problems);
            result.back().push_back(raw.problems.size() == before ? expandMatrix(set) : set);
        }
    }
    return result;
}

float resample(const std::vector<float>& row, size_t leading, int k, int n) {
    const float t = static_cast<float>(static_cast<double>(k) / n * 99);
    const int i = static_cast<int>(std::floor(t));
    const float f = t - static_cast<float>(i);
    const float a = row[leading + i];
    const float b = row[leading + i + 1];
    const float d = (b - a) * f;
    return a + d;
}

bool isScaledRow(size_t r) {
    return r == 4 || r == 5 || r == 9;
}

} // namespace

EmitterFile parseEmitterFile(std::istream& in, const std::string& fileName,
                             std::vector<SetSource>& sources, std::vector<Problem>& problems) {
    EmitterFile file;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '#') {
            file.emplace_back();
            sources.push_back(SetSource{number, {}});
        } else if (line.size() < 2) {
            continue;
        } else if (file.empty()) {
            problems.push_back(Problem{fileName, number,
                                       "row before the first '#' line; every row belongs to the "
                                       "set that a '#' line above it opens"});
        } else {
            file.back().push_back(splitRow(line));
            sources.back().rowLines.push_back(number);
        }
    }
    return file;
}

std::vector<EmitterFile> readEmitterData() {
    return readRawEmitterFiles("", true).files;
}

std::vector<EmitterFile> loadEmitterFiles(const std::string& dir, std::vector<Problem>& problems,
                                          EmitterSources& sources, bool announce) {
    RawEmitterData raw = readRawEmitterFiles(dir, announce);
    std::vector<EmitterFile> result = expandAll(raw);
    problems.insert(problems.end(), raw.problems.begin(), raw.problems.end());
    sources = std::move(raw.sources);
    return result;
}

ParameterSet expandMatrix(const ParameterSet& set) {
    if (!expandable(set))
        return set;
    const int n = static_cast<int>(set[3][0]);
    ParameterSet result;
    for (size_t r = 0; r < set.size(); ++r) {
        const std::vector<float>& row = set[r];
        if (row.size() < 10) {
            result.push_back(row);
            continue;
        }
        const size_t leading = row.size() - 100;
        std::vector<float> expanded(row.begin(), row.begin() + leading);
        for (int k = 0; k < n; ++k) {
            float value = resample(row, leading, k, n);
            if (isScaledRow(r))
                value = row[0] * value;
            expanded.push_back(value);
        }
        result.push_back(std::move(expanded));
    }
    return result;
}
