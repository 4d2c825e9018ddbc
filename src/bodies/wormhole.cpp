#include "bodies/wormhole.h"

#include "bodies/world_state.h"
#include "core/sound_events.h"
#include "player/player.h"

Wormhole::Wormhole(int world, point position, float radius, int destinationWorld, point destination,
                   int emitterIndex)
    : world(world), position(position), radius(radius), destinationWorld(destinationWorld),
      destination(destination), swirl(emitters[emitterIndex]) {
    swirl.position = position;
    swirl.angle = 0;
}

bool Wormhole::update(Universe& universe) {
    Player& player = *universe.player;
    if (pointDistance(player.position, position) > radius)
        return false;
    player.outsideWormholes = false;
    // The ship jumps once per visit: it must spend a whole frame outside every wormhole first.
    if (!player.warpReady)
        return false;
    player.warpReady = false;
    soundEvents.record(SoundKind::wormholeJump, player.position);
    player.warpWorld(destinationWorld);
    player.position = destination;
    soundEvents.record(SoundKind::arrival, destination);
    universe.worlds[world].projectiles.clear();
    return true;
}

void Wormhole::draw(int now) {
    swirl.updateValue(radius, 2);
    const int kept = swirl.elapsed;
    swirl.advance(now);
    swirl.draw();
    swirl.elapsed = kept;
}
