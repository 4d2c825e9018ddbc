#pragma once
#include <istream>
#include <string>
#include <vector>

// A numeric table: rows of floats, each row as wide as the table's column count.
using Table = std::vector<std::vector<float>>;
// The names attached to each row index, in file order.
using NameTable = std::vector<std::vector<std::string>>;

bool readData(const char* fileName, int columns, Table& rows);
bool readData(const char* fileName, int columns, Table& rows, NameTable& names);
// As the four-argument form; rowLines also gets the line (from 1) on which each row starts.
bool readData(const char* fileName, int columns, Table& rows, NameTable& names,
              std::vector<int>& rowLines);

// The token rules of readData applied to an open stream, printing nothing.
void readTable(std::istream& in, int columns, Table& rows, NameTable& names,
               std::vector<int>& rowLines);
