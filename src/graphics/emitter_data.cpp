#include "graphics/emitter_data.h"

#include <GL/glew.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "core/data_file.h"
#include "core/geometry.h"
#include "data/validation.h"

// Declared before emitters: the initialiser of emitters records into it during static
// initialisation, so it must already exist.
std::vector<std::string> emitterFileProblems;
std::vector<std::string> shaderProblems;
EmitterSources emitterSources;
std::vector<EmitterFile> emitters = readAndExpandEmitterData();
std::vector<unsigned int> shaders;

std::vector<EmitterFile> readAndExpandEmitterData() {
    Problems problems;
    std::vector<EmitterFile> result = loadEmitterFiles("", problems, emitterSources, true);
    std::printf("# emitters:%zu\n", result.size());
    emitterFileProblems.clear();
    for (const Problem& problem : problems)
        emitterFileProblems.push_back(formatProblem(problem));
    return result;
}

char* readEmitter(const char* path) {
    FILE* file = openDataFile(path);
    if (!file) {
        std::fprintf(stderr, "Can't open file '%s' for reading\n", path);
        return nullptr;
    }
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    if (size < 0) {
        // Not a seekable file (a pipe): nothing that could be read as a source.
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

void printLog(const char* label, const char* log, GLsizei length) {
    if (length > 0)
        std::printf("%s%s\n", label, log);
}

// Compiles source in a fresh object, so the log printed is this source's own; false when the
// driver refuses the source.
bool compileStage(unsigned int object, char* source, const char* label) {
    const GLchar* text = source;
    glShaderSource(object, 1, &text, nullptr);
    glCompileShader(object);
    std::free(source);
    char log[1024];
    GLsizei length = 0;
    glGetShaderInfoLog(object, sizeof log, &length, log);
    printLog(label, log, length);
    GLint compiled = GL_FALSE;
    glGetShaderiv(object, GL_COMPILE_STATUS, &compiled);
    return compiled == GL_TRUE;
}

// Links pair k; a pair that does not compile is not linked, so only its compile log shows. The
// program keeps its place in the list either way, and problems says what start-up refuses.
unsigned int buildProgram(size_t k, char* vs, char* fs, std::vector<std::string>& problems) {
    const unsigned int vertex = glCreateShader(GL_VERTEX_SHADER);
    const unsigned int fragment = glCreateShader(GL_FRAGMENT_SHADER);
    const bool vertexCompiled = compileStage(vertex, vs, "Vertex info log ");
    const bool fragmentCompiled = compileStage(fragment, fs, "Fragment info log ");
    if (!vertexCompiled)
        problems.push_back(formatProblem(shaderDoesNotCompile(k, ".vs")));
    if (!fragmentCompiled)
        problems.push_back(formatProblem(shaderDoesNotCompile(k, ".fs")));

    const unsigned int program = glCreateProgram();
    glAttachShader(program, fragment);
    glAttachShader(program, vertex);
    // The objects go with the program; the next pair gets its own.
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    if (!vertexCompiled || !fragmentCompiled)
        return program;
    glLinkProgram(program);
    char log[1024];
    GLsizei length = 0;
    glGetProgramInfoLog(program, sizeof log, &length, log);
    printLog("Program info log ", log, length);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE)
        problems.push_back(formatProblem(shaderPairDoesNotLink(k)));
    return program;
}

} // namespace

const char* missingShaderEntryPoint() {
    const struct {
        bool present;
        const char* name;
    } entries[] = {
        {glCreateShader != nullptr, "glCreateShader"},
        {glShaderSource != nullptr, "glShaderSource"},
        {glCompileShader != nullptr, "glCompileShader"},
        {glGetShaderInfoLog != nullptr, "glGetShaderInfoLog"},
        {glGetShaderiv != nullptr, "glGetShaderiv"},
        {glDeleteShader != nullptr, "glDeleteShader"},
        {glCreateProgram != nullptr, "glCreateProgram"},
        {glAttachShader != nullptr, "glAttachShader"},
        {glLinkProgram != nullptr, "glLinkProgram"},
        {glGetProgramInfoLog != nullptr, "glGetProgramInfoLog"},
        {glGetProgramiv != nullptr, "glGetProgramiv"},
        {glUseProgram != nullptr, "glUseProgram"},
        {glGetUniformLocation != nullptr, "glGetUniformLocation"},
        {glUniform1f != nullptr, "glUniform1f"},
        {glUniform1i != nullptr, "glUniform1i"},
        {glActiveTexture != nullptr, "glActiveTexture"},
    };
    for (const auto& entry : entries)
        if (!entry.present)
            return entry.name;
    return nullptr;
}

std::vector<unsigned int> readShaders() {
    std::vector<unsigned int> result;
    std::vector<std::string> problems;
    char* vs = readEmitter("shader0.vs");
    char* fs = readEmitter("shader0.fs");
    size_t n = 1;
    while (vs) {
        if (!fs) {
            // GL must never see a null source: the pair ends the list, and start-up refuses it.
            problems.push_back(formatProblem(missingFragmentShader(n - 1)));
            std::free(vs);
            vs = nullptr;
            break;
        }
        std::printf("Reading shader %zu\n", n);
        result.push_back(buildProgram(n - 1, vs, fs, problems));
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
    Problems problems;
    checkEmitterEntry(emitters, emitterSources, index, shaders.size(), anyProgram, problems);
    return problems.empty() ? "" : formatProblem(problems.front());
}

// The refusals are the game's own lines, so they go to standard error.
bool particleDataUsable() {
    for (const std::string& problem : emitterFileProblems)
        std::fprintf(stderr, "%s\n", problem.c_str());
    for (const std::string& problem : shaderProblems)
        std::fprintf(stderr, "%s\n", problem.c_str());
    Problems flame;
    checkFlameEntry(emitters, emitterSources, shaders.size(), flame);
    for (const Problem& problem : flame)
        std::fprintf(stderr, "%s\n", formatProblem(problem).c_str());
    return emitterFileProblems.empty() && shaderProblems.empty() && flame.empty();
}
