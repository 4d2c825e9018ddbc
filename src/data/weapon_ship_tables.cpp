#include "data/weapon_ship_tables.h"

#include <iostream>

#include "data/validation.h"

Table WEAPONDATA;
Table SHIPDATA;

namespace {

// Later code reads the tables by index without checking, so what they need is checked here.
bool loadTable(DataTable which, Table& table) {
    const TableRules& rules = rulesOf(which);
    std::cout << "loading " << rules.file << std::endl;
    TableFile data;
    Problems problems;
    if (!readData(rules.file, rules.columns, data)) {
        printProblems({unopenedTable(which)});
        return false;
    }
    checkTable(which, data, problems);
    if (!printProblems(problems))
        return false;
    table.insert(table.end(), data.rows.begin(), data.rows.end());
    return true;
}

} // namespace

bool initializeWeaponArray() {
    return loadTable(DataTable::weapons, WEAPONDATA);
}

bool initializeShipArray() {
    return loadTable(DataTable::ships, SHIPDATA);
}
