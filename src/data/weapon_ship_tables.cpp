#include "data/weapon_ship_tables.h"

#include <cmath>
#include <iostream>

Table WEAPONDATA;
Table SHIPDATA;

namespace {

// "nan" and "inf" read as numbers; they would spread through every shot or ship built from them.
bool allFinite(const char* fileName, const Table& table) {
    for (size_t row = 0; row < table.size(); ++row)
        for (size_t column = 0; column < table[row].size(); ++column)
            if (!std::isfinite(table[row][column])) {
                std::cout << fileName << ": row " << row << " column " << column
                          << " is not a finite number" << std::endl;
                return false;
            }
    return true;
}

// Later code reads these rows by index without checking, so a short table is refused here.
bool loadTable(const char* fileName, int columns, Table& table, size_t rowsNeeded,
               const char* need) {
    std::cout << "loading " << fileName << std::endl;
    if (!readData(fileName, columns, table))
        return false;
    if (table.size() < rowsNeeded) {
        std::cout << fileName << ": " << table.size() << " rows found, " << rowsNeeded
                  << " needed (" << need << ")" << std::endl;
        return false;
    }
    return allFinite(fileName, table);
}

} // namespace

bool initializeWeaponArray() {
    return loadTable("weapondata.txt", 4, WEAPONDATA, 3, "bullet, laser and shell");
}

bool initializeShipArray() {
    return loadTable("shipdata.txt", 5, SHIPDATA, 2, "row 1 is the enemy that spawns");
}
