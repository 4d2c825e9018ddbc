#pragma once

struct Universe;
struct WorldState;
class Wormhole;

// The gate the flight aids point at. It stays chosen until the player picks another (G); on
// arrival in a system, and after any jump, the first choice is the gate leading on round the ring
// of systems.
struct GateChoice {
    int world = -1; // the system the choice belongs to; -1: none made yet
    int gate = 0;   // index into that system's wormholes
};

// The gate of system `index` (of systemCount) that leads to the next system round the ring, the
// last system leading to the first; the first gate when none does.
int ringGate(const WorldState& world, int index, int systemCount);

// The chosen gate of the ship's system, chosen afresh when the choice belongs to another system;
// null when the system has no gate.
const Wormhole* chosenGate(GateChoice& choice, const Universe& universe);

// G: the next gate of the ship's system, after the last the first; null when it has none.
const Wormhole* chooseNextGate(GateChoice& choice, const Universe& universe);

// The name of system `index`: its first star's, or "system N" when it has none. Kept in a buffer
// that the next call overwrites.
const char* systemName(const WorldState& world, int index);

// The name of the system a gate leads to.
const char* leadsTo(const Universe& universe, const Wormhole& gate);

// A jump: the next look chooses the ring gate again, even in the same system.
void forgetGate(GateChoice& choice);
