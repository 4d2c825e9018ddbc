#include "graphics/emitter_data.h"

#include <GL/glew.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "core/geometry.h"

// Declared before emitters: the initialiser of emitters records into it during static
// initialisation, so it must already exist.
std::vector<std::string> emitterFileProblems;
std::vector<std::string> shaderProblems;
std::vector<EmitterFile> emitters = readAndExpandEmitterData();
std::vector<unsigned int> shaders;

namespace {

std::string emitterFileName(size_t k) {
    return "emitterShade" + toString(static_cast<float>(k)) + ".txt";
}

std::string shaderFileName(size_t k, const char* extension) {
    return "shader" + toString(static_cast<float>(k)) + extension;
}

std::string numberText(float v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

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

std::string where(const std::string& fileName, int line) {
    if (line > 0)
        return fileName + " line " + std::to_string(line) + ": ";
    return fileName + ": ";
}

int rowLine(const SetSource& source, size_t row) {
    return row < source.rowLines.size() ? source.rowLines[row] : source.headerLine;
}

struct RawEmitterData {
    std::vector<EmitterFile> files;
    std::vector<std::vector<SetSource>> sources;
    std::vector<std::string> problems;
};

RawEmitterData readRawEmitterFiles() {
    RawEmitterData raw;
    size_t k = 0;
    std::string name = emitterFileName(k);
    std::ifstream in(name);
    while (in.is_open()) {
        std::printf("Processing %s\n", name.c_str());
        raw.sources.emplace_back();
        raw.files.push_back(parseEmitterFile(in, name, raw.sources.back(), raw.problems));
        in.close();
        in.clear();
        name = emitterFileName(++k);
        in.open(name);
    }
    return raw;
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

std::string programProblem(const std::vector<float>& row) {
    const float k = row[0];
    if (k != 0.0f && k != 1.0f)
        return "program index " + numberText(k) + " in row 11; only 0 (flame) and 1 (swirl) exist";
    if (static_cast<size_t>(k) >= shaders.size())
        return "program index " + numberText(k) + " names no loaded shader program (" +
               std::to_string(shaders.size()) + " loaded)";
    return "";
}

} // namespace

EmitterFile parseEmitterFile(std::istream& in, const std::string& fileName,
                             std::vector<SetSource>& sources, std::vector<std::string>& problems) {
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
            problems.push_back(where(fileName, number) +
                               "row before the first '#' line; every row belongs to the set that "
                               "a '#' line above it opens");
        } else {
            file.back().push_back(splitRow(line));
            sources.back().rowLines.push_back(number);
        }
    }
    return file;
}

std::string expansionProblem(const ParameterSet& set, const std::string& fileName,
                             const SetSource& source) {
    if (set.size() < 4)
        return where(fileName, source.headerLine) + "parameter set of " +
               std::to_string(set.size()) +
               " rows; every set needs at least four (row 3 is its sample count)";
    if (set[3].empty())
        return where(fileName, rowLine(source, 3)) +
               "row 3 is empty; it must give the sample count";
    const float n = set[3][0];
    if (!(n >= 0.0f))
        return where(fileName, rowLine(source, 3)) + "sample count " + numberText(n) +
               "; it must be 0 or more";
    if (n > maxSampleCount)
        return where(fileName, rowLine(source, 3)) + "sample count " + numberText(n) +
               "; at most " + std::to_string(maxSampleCount);
    for (size_t r = 0; r < set.size(); ++r) {
        const size_t size = set[r].size();
        if (size >= 10 && size < 100)
            return where(fileName, rowLine(source, r)) + "curve row of " + std::to_string(size) +
                   " values; curve rows need at least 100";
    }
    return "";
}

std::vector<EmitterFile> readEmitterData() {
    return readRawEmitterFiles().files;
}

ParameterSet expandMatrix(const ParameterSet& set) {
    if (!expansionProblem(set, "", SetSource{0, {}}).empty())
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

std::vector<EmitterFile> readAndExpandEmitterData() {
    RawEmitterData raw = readRawEmitterFiles();
    std::vector<EmitterFile> result;
    for (size_t f = 0; f < raw.files.size(); ++f) {
        result.emplace_back();
        for (size_t s = 0; s < raw.files[f].size(); ++s) {
            const ParameterSet& set = raw.files[f][s];
            // A set that cannot be expanded is kept as read; the start-up check refuses it.
            std::string problem = expansionProblem(set, emitterFileName(f), raw.sources[f][s]);
            if (problem.empty()) {
                result.back().push_back(expandMatrix(set));
            } else {
                raw.problems.push_back(std::move(problem));
                result.back().push_back(set);
            }
        }
    }
    std::printf("# emitters:%zu\n", result.size());
    emitterFileProblems = std::move(raw.problems);
    return result;
}

char* readEmitter(const char* path) {
    FILE* file = std::fopen(path, "r");
    if (!file) {
        std::fprintf(stderr, "Can't open file '%s' for reading\n", path);
        return nullptr;
    }
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    if (size < 0) {
        // Not a seekable file (a directory, a pipe): nothing that could be read as a source.
        std::fclose(file);
        std::fprintf(stderr, "Can't open file '%s' for reading\n", path);
        return nullptr;
    }
    std::printf("File '%s' is %ld long\n", path, size);
    std::fseek(file, 0, SEEK_SET);
    char* buffer = static_cast<char*>(std::malloc(static_cast<size_t>(size) + 1));
    if (!buffer) {
        std::fclose(file);
        std::fprintf(stderr, "Can't malloc space for '%s'\n", path);
        return nullptr;
    }
    const size_t got = std::fread(buffer, 1, static_cast<size_t>(size), file);
    buffer[got] = '\0';
    std::fclose(file);
    return buffer;
}

namespace {

void printShaderLog(unsigned int object, const char* label) {
    char log[1024];
    GLsizei length = 0;
    glGetShaderInfoLog(object, sizeof log, &length, log);
    if (length > 0)
        std::printf("%s%s\n", label, log);
}

unsigned int buildProgram(unsigned int vertex, unsigned int fragment, char* vs, char* fs) {
    const GLchar* vertexSource = vs;
    const GLchar* fragmentSource = fs;
    glShaderSource(vertex, 1, &vertexSource, nullptr);
    glShaderSource(fragment, 1, &fragmentSource, nullptr);
    glCompileShader(vertex);
    glCompileShader(fragment);
    std::free(vs);
    std::free(fs);
    printShaderLog(vertex, "Vertex info log ");
    printShaderLog(fragment, "Fragment info log ");

    const unsigned int program = glCreateProgram();
    glAttachShader(program, fragment);
    glAttachShader(program, vertex);
    glLinkProgram(program);
    char log[1024];
    GLsizei length = 0;
    glGetProgramInfoLog(program, sizeof log, &length, log);
    if (length > 0)
        std::printf("Program info log %s\n", log);
    return program;
}

} // namespace

std::vector<unsigned int> readShaders() {
    std::vector<unsigned int> result;
    std::vector<std::string> problems;
    const unsigned int vertex = glCreateShader(GL_VERTEX_SHADER);
    const unsigned int fragment = glCreateShader(GL_FRAGMENT_SHADER);
    char* vs = readEmitter("shader0.vs");
    char* fs = readEmitter("shader0.fs");
    size_t n = 1;
    while (vs) {
        if (!fs) {
            // GL must never see a null source: the pair ends the list, and start-up refuses it.
            problems.push_back(shaderFileName(n - 1, ".fs") + ": missing; " +
                               shaderFileName(n - 1, ".vs") + " needs its fragment shader");
            std::free(vs);
            vs = nullptr;
            break;
        }
        std::printf("Reading shader %zu\n", n);
        result.push_back(buildProgram(vertex, fragment, vs, fs));
        vs = readEmitter(shaderFileName(n, ".vs").c_str());
        fs = readEmitter(shaderFileName(n, ".fs").c_str());
        ++n;
    }
    std::free(fs);
    std::printf("Shaders read: %zu\n", result.size());
    shaderProblems = std::move(problems);
    return result;
}

std::string emitterEntryProblem(size_t index) {
    const std::string name = emitterFileName(index);
    if (index >= emitters.size())
        return name + ": not found; no emitter file has that number";
    const EmitterFile& file = emitters[index];
    if (file.empty())
        return name + ": no parameter set; the file needs a '#' line and the rows after it";
    const ParameterSet& set = file[0];
    if (set.size() < 12)
        return name + ": set 0 has " + std::to_string(set.size()) +
               " rows; an emitter needs at least 12 (row 0 layer count, row 11 program index)";
    if (set[0].empty())
        return name + ": set 0 row 0 (layer count) is empty";
    if (set[0][0] > maxLayerCount)
        return name + ": layer count " + numberText(set[0][0]) + "; at most " +
               std::to_string(maxLayerCount);
    if (set[11].empty())
        return name + ": set 0 row 11 (program index) is empty";
    const std::string program = programProblem(set[11]);
    return program.empty() ? "" : name + ": " + program;
}

bool particleDataUsable() {
    bool usable = emitterFileProblems.empty() && shaderProblems.empty();
    for (const std::string& problem : emitterFileProblems)
        std::printf("%s\n", problem.c_str());
    for (const std::string& problem : shaderProblems)
        std::printf("%s\n", problem.c_str());
    if (emitters.empty()) {
        std::printf("%s: missing; the player's engine flame needs it\n",
                    emitterFileName(0).c_str());
        return false;
    }
    const std::string flame = emitterEntryProblem(0);
    if (!flame.empty()) {
        std::printf("%s\n", flame.c_str());
        usable = false;
    }
    return usable;
}
