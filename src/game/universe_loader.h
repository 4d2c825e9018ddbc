#pragma once
#include <string>

#include "data/table_reader.h"

struct Universe;

// Loads stardata.txt, planetdata.txt and wormholedata.txt into the universe's star systems.
// False, with nothing added, when a table cannot be read or holds data the game cannot use.
bool initializeStars(Universe& universe);
// The star systems' stars, with the planets whose star row they are, and wormholes, from tables
// the checks have passed; the systems they name are created as needed.
void addStars(Universe& universe, const TableFile& stars, const TableFile& planets);
void addWormholes(Universe& universe, const Table& wormholes);
