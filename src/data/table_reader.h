#pragma once
#include <string>
#include <vector>

// A numeric table: rows of floats, each row as wide as the table's column count.
using Table = std::vector<std::vector<float>>;
// The names attached to each row index, in file order.
using NameTable = std::vector<std::vector<std::string>>;

bool readData(const char* fileName, int columns, Table& rows);
bool readData(const char* fileName, int columns, Table& rows, NameTable& names);
