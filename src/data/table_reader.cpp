#include "data/table_reader.h"

#include <cstdlib>
#include <fstream>
#include <iostream>

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

} // namespace

bool readData(const char* fileName, int columns, Table& rows) {
    NameTable names;
    return readData(fileName, columns, rows, names);
}

bool readData(const char* fileName, int columns, Table& rows, NameTable& names) {
    std::ifstream in(fileName);
    if (!in) {
        std::cout << "Error opening file" << std::endl;
        return false;
    }
    std::cout << "Opening " << fileName << std::endl;
    unsigned k = 0;
    std::string token;
    while (in >> token) {
        if (token[0] == '#') {
            in.ignore(100000, '\n');
        } else if (token[0] == '@') {
            addName(token, k, columns, names);
        } else {
            if (k % columns == 0)
                rows.emplace_back(columns, 0.0f);
            rows.back()[k % columns] = static_cast<float>(std::atof(token.c_str()));
            ++k;
        }
    }
    return true;
}
