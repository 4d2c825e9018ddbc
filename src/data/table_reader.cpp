#include "data/table_reader.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iostream>

#include "core/data_file.h"

namespace {

void addName(const std::string& token, unsigned k, int columns, NameTable& names) {
    const unsigned completeRows = k / columns;
    // A name before the first complete row has no row to belong to.
    if (completeRows == 0)
        return;
    while (names.size() < completeRows)
        names.emplace_back();
    std::string name = token.substr(1);
    for (char& c : name)
        if (c == '_')
            c = ' ';
    names[completeRows - 1].push_back(name);
}

// Skips white space up to the next token, counting the line ends passed.
void skipSpace(std::istream& in, int& line) {
    for (int c = in.peek(); c != EOF && std::isspace(c); c = in.peek()) {
        if (c == '\n')
            ++line;
        in.get();
    }
}

// Skips a comment's rest of line, counting its line end when there is one.
void skipComment(std::istream& in, int& line) {
    in.ignore(100000, '\n');
    if (in.eof())
        return;
    in.unget();
    if (in.get() == '\n')
        ++line;
}

} // namespace

void readTable(std::istream& in, int columns, TableFile& data) {
    unsigned k = 0;
    int line = 1;
    std::string token;
    for (skipSpace(in, line); in >> token; skipSpace(in, line)) {
        if (token[0] == '#') {
            skipComment(in, line);
        } else if (token[0] == '@') {
            addName(token, k, columns, data.names);
        } else {
            if (k % columns == 0) {
                data.rows.emplace_back(columns, 0.0f);
                data.rowLines.push_back(line);
            }
            // strtod is what atof applies, and it tells how much of the token it read.
            char* end = nullptr;
            const double value = std::strtod(token.c_str(), &end);
            const size_t used = static_cast<size_t>(end - token.c_str());
            if (used < token.size())
                data.oddNumbers.push_back(OddNumber{line, k, token, used});
            data.valueLines.push_back(line);
            data.rows.back()[k % columns] = static_cast<float>(value);
            ++k;
        }
    }
}

bool readData(const char* fileName, int columns, Table& rows) {
    NameTable names;
    return readData(fileName, columns, rows, names);
}

// The given tables are appended to, as the reader never clears what it is given.
bool readData(const char* fileName, int columns, Table& rows, NameTable& names) {
    TableFile data;
    data.rows.swap(rows);
    data.names.swap(names);
    const bool opened = readData(fileName, columns, data);
    rows.swap(data.rows);
    names.swap(data.names);
    return opened;
}

bool readData(const char* fileName, int columns, TableFile& data) {
    std::ifstream in;
    if (dataFileOpens(fileName))
        in.open(fileName);
    if (!in.is_open()) {
        std::cout << "Error opening file" << std::endl;
        return false;
    }
    std::cout << "Opening " << fileName << std::endl;
    readTable(in, columns, data);
    return true;
}
