#pragma once
#include <cstddef>
#include <istream>
#include <string>
#include <vector>

// A numeric table: rows of floats, each row as wide as the table's column count.
using Table = std::vector<std::vector<float>>;
// The names attached to each row index, in file order.
using NameTable = std::vector<std::vector<std::string>>;

// A number token of which atof reads only the first used characters (none for a word).
struct OddNumber {
    int line;
    size_t index; // the number's place in the file, counted from 0
    std::string token;
    size_t used;
};

// A table file as read, with where each of its numbers came from.
struct TableFile {
    Table rows;
    NameTable names;
    std::vector<int> rowLines;   // the line (from 1) on which each row starts
    std::vector<int> valueLines; // the line of each number, in file order
    std::vector<OddNumber> oddNumbers;
};

bool readData(const char* fileName, int columns, Table& rows);
bool readData(const char* fileName, int columns, Table& rows, NameTable& names);
// As the four-argument form, into an empty TableFile.
bool readData(const char* fileName, int columns, TableFile& data);

// The token rules of readData applied to an open stream, printing nothing.
void readTable(std::istream& in, int columns, TableFile& data);
