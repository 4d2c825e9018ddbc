#pragma once
#include <string>

#include "data/table_reader.h"

struct Universe;

// Loads stardata.txt, planetdata.txt and wormholedata.txt into the universe's star systems.
// False, with nothing added, when a table cannot be read or holds data the game cannot use.
bool initializeStars(Universe& universe);

// The highest star system number a table may name; beyond it a typo would allocate millions
// of empty systems.
constexpr int maxWorldIndex = 999;

// The first reason the three tables cannot be used, as one line naming the file and the row;
// "" when they are usable. Needs no OpenGL.
std::string universeTablesProblem(const Table& stars, const Table& planets, const Table& wormholes);
