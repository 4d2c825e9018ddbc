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

// Problems found by the last readAndExpandEmitterData(), one message each, naming file and line.
extern std::vector<std::string> emitterFileProblems;
// Problems found by the last readShaders() (a shader pair missing its fragment file).
extern std::vector<std::string> shaderProblems;

// Sample counts above this are refused: they would only exhaust memory.
constexpr int maxSampleCount = 100000;
// Layer counts above this are refused: one frame would never finish drawing.
constexpr int maxLayerCount = 100000;

// The file line of each part of a raw parameter set, for messages.
struct SetSource {
    int headerLine;
    std::vector<int> rowLines;
};

std::vector<EmitterFile> readEmitterData();
ParameterSet expandMatrix(const ParameterSet& set);
std::vector<EmitterFile> readAndExpandEmitterData();
char* readEmitter(const char* path);
std::vector<unsigned int> readShaders();

// Applies the line rules to one emitter file's text. Rows before the first '#' line belong to no
// set: they are dropped and reported in problems. sources gets one entry per set.
EmitterFile parseEmitterFile(std::istream& in, const std::string& fileName,
                             std::vector<SetSource>& sources, std::vector<std::string>& problems);
// Why a parameter set cannot be expanded ("" when it can), with the file and line of the cause.
std::string expansionProblem(const ParameterSet& set, const std::string& fileName,
                             const SetSource& source);

// "" when emitters[index] can drive an Emitter, else what is wrong with it.
std::string emitterEntryProblem(size_t index);
// Prints one line per problem with the emitter files and shaders; false when the game cannot run.
bool particleDataUsable();
