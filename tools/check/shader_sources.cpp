#include "shader_sources.h"

#include <glslang/Public/ResourceLimits.h>
#include <glslang/Public/ShaderLang.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>

#include "core/data_file.h"

namespace {

// A source without a #version line is GLSL 1.10, as the game's driver reads it.
constexpr int defaultVersion = 110;

bool readSource(const std::string& path, std::string& text) {
    std::FILE* file = openDataFile(path);
    if (!file)
        return false;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, got);
    std::fclose(file);
    return true;
}

bool startsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

// glslang's "ERROR: 0:13: message" lines become "file:13: message", with their indented detail
// lines folded in; the closing count of errors says nothing new and is left out. A linker error
// about the fragment stage belongs to the fragment file.
void addErrors(const std::string& file, const std::string& fragmentFile, const char* log,
               Problems& problems) {
    std::istringstream lines(log);
    std::string line;
    const std::string error = "ERROR: ";
    bool inError = false;
    while (std::getline(lines, line)) {
        const size_t text = line.find_first_not_of(' ');
        if (inError && text > 0) {
            if (text != std::string::npos)
                problems.back().message += " " + line.substr(text);
            continue;
        }
        inError = startsWith(line, error) && line.find("compilation errors.") == std::string::npos;
        if (!inError)
            continue;
        line.erase(0, error.size());
        int number = 0;
        int consumed = 0;
        if (std::sscanf(line.c_str(), "%*d:%d: %n", &number, &consumed) == 1 && consumed > 0)
            line.erase(0, static_cast<size_t>(consumed));
        problems.push_back(Problem{startsWith(line, "Linking fragment stage") ? fragmentFile : file,
                                   number, line});
    }
}

// The driver refuses a source that holds nothing but preprocessor lines and comments when it
// compiles it; glslang only finds the missing main function when it links.
bool holdsCode(glslang::TShader& shader) {
    std::string output;
    glslang::TShader::ForbidIncluder includer;
    if (!shader.preprocess(GetDefaultResources(), defaultVersion, ENoProfile, false, false,
                           EShMsgDefault, &output, includer))
        return true;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t first = line.find_first_not_of(" \t\r");
        if (first != std::string::npos && line[first] != '#')
            return true;
    }
    return false;
}

bool compileStage(glslang::TShader& shader, const std::string& path, const std::string& file,
                  const char* extension, size_t pair, Problems& problems) {
    std::string text;
    if (!readSource(path, text)) {
        problems.push_back(Problem{file, 0, "cannot be opened"});
        return false;
    }
    const char* source = text.c_str();
    shader.setStrings(&source, 1);
    if (!holdsCode(shader)) {
        problems.push_back(shaderDoesNotCompile(pair, extension));
        problems.push_back(Problem{file, 0, "holds no code; it needs at least a main function"});
        return false;
    }
    const bool compiled = shader.parse(GetDefaultResources(), defaultVersion, ENoProfile, false,
                                       false, EShMsgDefault);
    if (!compiled) {
        problems.push_back(shaderDoesNotCompile(pair, extension));
        addErrors(file, file, shader.getInfoLog(), problems);
    }
    return compiled;
}

// The names a stage's reflection lists, built-ins left out. Each stage is reflected in a program
// of its own, as the first and last stage there, so that its inputs and outputs are the
// program's and no other stage's.
std::set<std::string> reflectedNames(glslang::TShader& shader, bool outputs, int options) {
    std::set<std::string> names;
    glslang::TProgram program;
    program.addShader(&shader);
    if (!program.link(EShMsgDefault) ||
        !program.buildReflection(EShReflectionIntermediateIO | options))
        return names;
    const int count = outputs ? program.getNumPipeOutputs() : program.getNumPipeInputs();
    for (int i = 0; i < count; ++i) {
        const std::string& name =
            outputs ? program.getPipeOutput(i).name : program.getPipeInput(i).name;
        if (!startsWith(name, "gl_"))
            names.insert(name);
    }
    return names;
}

// glslang links each stage on its own; the driver also refuses a varying that the fragment
// shader reads and the vertex shader does not declare. The vertex stage's outputs count whether
// or not its code writes them; the fragment stage's inputs only where its code reads them.
void checkVaryings(glslang::TShader& vertex, glslang::TShader& fragment, size_t pair,
                   Problems& problems) {
    const std::set<std::string> written =
        reflectedNames(vertex, true, EShReflectionAllIOVariables);
    const std::set<std::string> read = reflectedNames(fragment, false, EShReflectionDefault);
    bool first = true;
    for (const std::string& name : read) {
        if (written.count(name))
            continue;
        if (first)
            problems.push_back(shaderPairDoesNotLink(pair));
        first = false;
        problems.push_back(Problem{shaderFileName(pair, ".fs"), 0,
                                   "reads the varying " + name + ", which " +
                                       shaderFileName(pair, ".vs") + " does not declare"});
    }
}

void checkPair(const std::string& dir, size_t pair, Problems& problems) {
    glslang::TShader vertex(EShLangVertex);
    glslang::TShader fragment(EShLangFragment);
    const std::string vs = shaderFileName(pair, ".vs");
    const std::string fs = shaderFileName(pair, ".fs");
    const bool vertexCompiled =
        compileStage(vertex, (std::filesystem::path(dir) / vs).string(), vs, ".vs", pair, problems);
    const bool fragmentCompiled = compileStage(fragment, (std::filesystem::path(dir) / fs).string(),
                                               fs, ".fs", pair, problems);
    if (!vertexCompiled || !fragmentCompiled)
        return;
    glslang::TProgram program;
    program.addShader(&vertex);
    program.addShader(&fragment);
    if (!program.link(EShMsgDefault)) {
        problems.push_back(shaderPairDoesNotLink(pair));
        addErrors(vs, fs, program.getInfoLog(), problems);
        return;
    }
    checkVaryings(vertex, fragment, pair, problems);
}

} // namespace

void checkShaderSources(const std::string& dir, size_t pairs, Problems& problems) {
    glslang::InitializeProcess();
    for (size_t pair = 0; pair < pairs; ++pair)
        checkPair(dir, pair, problems);
    glslang::FinalizeProcess();
}
