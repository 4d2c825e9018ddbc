#pragma once
#include <vector>

// One parameter set of an emitter file: rows of floats.
using ParameterSet = std::vector<std::vector<float>>;
// All parameter sets of one emitter file.
using EmitterFile = std::vector<ParameterSet>;

// [file][set][row][value], read and expanded before main runs.
extern std::vector<EmitterFile> emitters;
// OpenGL program names, entry K linked from shaderK.vs and shaderK.fs.
extern std::vector<unsigned int> shaders;

std::vector<EmitterFile> readEmitterData();
ParameterSet expandMatrix(const ParameterSet& set);
std::vector<EmitterFile> readAndExpandEmitterData();
char* readEmitter(const char* path);
std::vector<unsigned int> readShaders();
