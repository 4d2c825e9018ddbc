#include "hud/gate_choice.h"

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

void chooseNextGate(GateChoice& choice, const Universe& universe) {
    if (!chosenGate(choice, universe))
        return;
    const int count = static_cast<int>(universe.worlds[choice.world].wormholes.size());
    choice.gate = (choice.gate + 1) % count;
}

void forgetGate(GateChoice& choice) {
    choice.world = -1;
}
