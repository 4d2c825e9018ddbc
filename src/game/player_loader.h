#pragma once

class Player;

// The player's ship from the first row of playerdata.txt, or nullptr (after a message) when the
// file leaves nothing to build it from.
Player* initializePlayer();
