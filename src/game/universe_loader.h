#pragma once
#include <string>

#include "data/table_reader.h"

struct Universe;

// Loads stardata.txt, planetdata.txt and wormholedata.txt into the universe's star systems.
// False, with nothing added, when a table cannot be read or holds data the game cannot use.
bool initializeStars(Universe& universe);
