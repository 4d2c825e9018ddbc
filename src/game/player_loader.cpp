#include "game/player_loader.h"

#include <iostream>

#include "data/validation.h"
#include "player/player.h"

Player* initializePlayer() {
    std::cout << "Loading player data" << std::endl;
    const TableRules& rules = rulesOf(DataTable::player);
    TableFile data;
    // The ship is built from the first row alone; without one there is nothing to fly.
    Problems problems;
    if (readData(rules.file, rules.columns, data)) {
        checkTable(DataTable::player, data, problems);
    } else {
        std::cout << "playerdata read failure" << std::endl;
        problems.push_back(unopenedTable(DataTable::player));
    }
    if (!printProblems(problems))
        return nullptr;
    const std::vector<float>& row = data.rows[0];
    return new Player(point{row[0], row[1]}, row[2], row[3], row[4], row[5], row[6]);
}
