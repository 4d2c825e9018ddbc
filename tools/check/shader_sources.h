#pragma once
#include <cstddef>
#include <string>

#include "data/validation.h"

// Compiles and links the first pairs shader pairs of dir the way a GLSL driver does, without a
// display: a pair the game's driver would refuse gets the game's line, then one line per error.
void checkShaderSources(const std::string& dir, size_t pairs, Problems& problems);
