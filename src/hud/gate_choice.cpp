#include "hud/gate_choice.h"

#include <cstdio>
#include <vector>

#include "bodies/world_state.h"
#include "player/player.h"

int ringGate(const WorldState& world, int index, int systemCount) {
    const int next = (index + 1) % systemCount;
    for (size_t i = 0; i < world.wormholes.size(); ++i)
        if (world.wormholes[i].destinationWorld == next)
            return static_cast<int>(i);
    return 0;
}

const Wormhole* chosenGate(GateChoice& choice, const Universe& universe) {
    const int here = universe.player->getWorld();
    const WorldState& world = universe.worlds[here];
    if (world.wormholes.empty())
        return nullptr;
    if (choice.world != here) {
        choice.world = here;
        choice.gate = ringGate(world, here, static_cast<int>(universe.worlds.size()));
    }
    return &world.wormholes[choice.gate];
}

const Wormhole* chooseNextGate(GateChoice& choice, const Universe& universe) {
    if (!chosenGate(choice, universe))
        return nullptr;
    const std::vector<Wormhole>& gates = universe.worlds[choice.world].wormholes;
    choice.gate = (choice.gate + 1) % static_cast<int>(gates.size());
    return &gates[choice.gate];
}

const char* systemName(const WorldState& world, int index) {
    static char unnamed[32];
    if (!world.stars.empty())
        return world.stars.front().name.c_str();
    std::snprintf(unnamed, sizeof unnamed, "system %d", index);
    return unnamed;
}

const char* leadsTo(const Universe& universe, const Wormhole& gate) {
    return systemName(universe.worlds[gate.destinationWorld], gate.destinationWorld);
}

void forgetGate(GateChoice& choice) {
    choice.world = -1;
}
