#include "game/hud_reading.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>

#include "game/game.h"

void readHud(Game& game) {
    const Player& player = *game.universe.player;
    const WorldState& world = currentWorld(game);
    LoopState& loop = game.loop;
    HudReading& hud = game.hud;
    hud.cursor = cursorTarget(loop, player.position);
    formatStatusLines(loop, world.ships.size(), world.projectiles.size(), world.timers.size(),
                      player.getHealth());
    hud.gate = game.aidsShown ? chosenGate(game.gateChoice, game.universe) : nullptr;
    const char* destination = hud.gate ? leadsTo(game.universe, *hud.gate) : "";
    if (hud.gate) {
        hud.gateAids = readAids(player, *hud.gate);
        hud.gateMarker = gateMarker(hud.gateAids, loop.viewHeight);
    }
    if (game.aidsShown)
        predictPath(world, player, game.predictedPath);
    const float arrivalOpacity = jumpNoticeOpacity(game.jumpNotice, loop.lastTicks);

    HudLines& lines = hud.lines;
    clearHudLines(lines);
    const std::string* status[] = {&loop.fpsText, &loop.shipsText, &loop.projectilesText,
                                   &loop.timersText, &loop.healthText};
    std::copy(std::begin(status), std::end(status), lines.status);
    if (game.paused)
        lines.paused.assign("Paused");
    lines.arrivalOpacity = arrivalOpacity;
    if (arrivalOpacity > 0)
        lines.arrival.assign(game.jumpNotice.text);
    const Survival& s = game.survival;
    if (s.on)
        sayScore(lines, s.shownKills, s.shownSeconds);
    if (s.on && s.destroyed)
        sayDestroyed(lines, s.last.kills, s.last.seconds, s.best.front().kills,
                     s.best.front().seconds);
    if (game.aidsShown && !world.stars.empty())
        lines.systemName.assign(world.stars.front().name);
    if (game.aidsShown)
        saySpeed(lines, std::hypot(player.velocity.x, player.velocity.y));
    if (hud.gate)
        sayGate(lines, destination, hud.gateAids.gateDistance, hud.gateAids.closingSpeed);
}
