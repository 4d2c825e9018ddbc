#include "data/player_loader.h"

#include <cmath>
#include <iostream>

#include "data/table_reader.h"
#include "player/player.h"

namespace {

constexpr const char* playerFile = "playerdata.txt";
constexpr int playerColumns = 7;
const char* const columnNames[playerColumns] = {"start x",   "start y", "thrust", "reverse",
                                                "turn rate", "health",  "radius"};

// The ship is built from the first row alone; without one there is nothing to fly, and a value
// that is not a finite number would spread through every position it touches.
bool usableRow(const Table& rows) {
    if (rows.empty()) {
        std::cout << playerFile << ": no player row found (" << playerColumns
                  << " numbers needed: start x, start y, thrust, reverse, turn rate, health, "
                     "radius)"
                  << std::endl;
        return false;
    }
    for (int column = 0; column < playerColumns; ++column) {
        if (!std::isfinite(rows[0][column])) {
            std::cout << playerFile << ": " << columnNames[column] << " (column " << column
                      << " of the first row) is not a finite number" << std::endl;
            return false;
        }
    }
    return true;
}

} // namespace

Player* initializePlayer() {
    std::cout << "Loading player data" << std::endl;
    Table rows;
    if (!readData(playerFile, playerColumns, rows))
        std::cout << "playerdata read failure" << std::endl;
    if (!usableRow(rows))
        return nullptr;
    const std::vector<float>& row = rows[0];
    return new Player(point{row[0], row[1]}, row[2], row[3], row[4], row[5], row[6]);
}
