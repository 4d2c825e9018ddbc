#pragma once
#include <cstddef>
#include <istream>
#include <string>
#include <vector>

// One parameter set of an emitter file: rows of floats.
using ParameterSet = std::vector<std::vector<float>>;
// All parameter sets of one emitter file.
using EmitterFile = std::vector<ParameterSet>;

// [file][set][row][value], read and expanded before main runs.
extern std::vector<EmitterFile> emitters;
// OpenGL program names, entry K linked from shaderK.vs and shaderK.fs.
extern std::vector<unsigned int> shaders;

// Problems found by the last readAndExpandEmitterData(), one line each, naming file and line.
extern std::vector<std::string> emitterFileProblems;
// Problems found by the last readShaders() (a shader pair missing its fragment file).
extern std::vector<std::string> shaderProblems;

struct Problem;

// Sample counts above this are refused: they would only exhaust memory.
constexpr int maxSampleCount = 100000;
// Layer counts above this are refused: one frame would never finish drawing.
constexpr int maxLayerCount = 100000;

// The file line of each part of a raw parameter set, for messages.
struct SetSource {
    int headerLine;
    std::vector<int> rowLines;
};
// [file][set]: where each set of the emitter files was read.
using EmitterSources = std::vector<std::vector<SetSource>>;
// The sources of emitters, filled with it.
extern EmitterSources emitterSources;

std::vector<EmitterFile> readEmitterData();
ParameterSet expandMatrix(const ParameterSet& set);
std::vector<EmitterFile> readAndExpandEmitterData();
char* readEmitter(const char* path);
// The first OpenGL 2.0 entry point the shaders need that the context lacks, or null.
const char* missingShaderEntryPoint();
std::vector<unsigned int> readShaders();

// "emitterShade" K ".txt", and "shader" K with the extension.
std::string emitterFileName(size_t k);
std::string shaderFileName(size_t k, const char* extension);

// Applies the line rules to one emitter file's text. Rows before the first '#' line belong to no
// set: they are dropped and reported in problems. sources gets one entry per set.
EmitterFile parseEmitterFile(std::istream& in, const std::string& fileName,
                             std::vector<SetSource>& sources, std::vector<Problem>& problems);
// Reads and expands the emitter files of dir (the working directory when empty), announcing each
// file only when asked; a set that cannot be expanded is kept as read and its problems recorded.
std::vector<EmitterFile> loadEmitterFiles(const std::string& dir, std::vector<Problem>& problems,
                                          EmitterSources& sources, bool announce = false);

// "" when emitters[index] can drive an Emitter, else what is wrong with it.
std::string emitterEntryProblem(size_t index);
// Prints one line per problem with the emitter files and shaders on standard error; false when
// the game cannot run.
bool particleDataUsable();
