#pragma once
#include <string>

#include "data/validation.h"

// Every sound file in dir reads and decodes as the game would read it; the game plays without a
// sound it cannot use, so a sound missing or refused is a warning.
void checkSounds(const std::string& dir, Problems& problems);
