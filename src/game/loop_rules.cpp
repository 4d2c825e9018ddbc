#include "game/loop_rules.h"

#include <cstdio>

#include "combat/ship.h"

void reserveStatusText(LoopState& state) {
    for (std::string* text : {&state.fpsText, &state.shipsText, &state.projectilesText,
                              &state.timersText, &state.healthText})
        text->reserve(statusCapacity);
}

void formatStatus(std::string& out, const char* prefix, float value) {
    // %.3g is what toString's three-digit stream writes; formatting in place avoids its string.
    char buffer[statusCapacity];
    std::snprintf(buffer, sizeof buffer, "%s%.3g", prefix, static_cast<double>(value));
    out.assign(buffer);
}

void formatStatusLines(LoopState& state, std::size_t ships, std::size_t projectiles,
                       std::size_t timers, float health) {
    formatStatus(state.projectilesText, "Projectiles: ", static_cast<float>(projectiles));
    formatStatus(state.timersText, "Timers: ", static_cast<float>(timers));
    formatStatus(state.healthText, "Player HP: ", health);
    formatStatus(state.shipsText, "Ships: ", static_cast<float>(ships));
}

void measureFrame(LoopState& state, unsigned now) {
    state.frameDelta = static_cast<int>(now - state.lastTicks);
    countFrame(state, state.frameDelta);
}

unsigned pausedRestMs(unsigned elapsedMs) {
    return elapsedMs < pausedFrameMs ? pausedFrameMs - elapsedMs : 0;
}

bool heldFrameDue(int drawnSincePause, unsigned sinceLastDrawMs) {
    return drawnSincePause < heldFramesFilling || sinceLastDrawMs >= heldRedrawMs;
}

void countFrame(LoopState& state, int ms) {
    state.fpsTime += static_cast<float>(ms);
    state.fpsFrames += 1;
    if (state.fpsTime > 1000) {
        formatStatus(state.fpsText, "FPS: ", state.fpsFrames / (state.fpsTime / 1000));
        state.fpsFrames = 0;
        state.fpsTime = 0;
    }
}

void startFrame(LoopState& state, unsigned measured, unsigned now, point player,
                std::list<Ship>& ships) {
    measureFrame(state, measured);
    state.lastTicks = now;
    spawnEnemy(state, player, ships);
}

void holdClock(LoopState& state, int ms) {
    state.frameDelta = 0;
    countFrame(state, ms);
}

bool spawnDue(const LoopState& state) {
    // The difference of tick counts, so spawning goes on when the count wraps after 49.7 days.
    return static_cast<double>(state.lastTicks - state.lastSpawn) >
           static_cast<double>(state.spawnInterval);
}

point pickSpawnPoint(point player, float (*draw)()) {
    point candidate;
    do {
        candidate.x = draw();
        candidate.y = draw();
    } while (pointDistance(candidate, player) < spawnClearance);
    return candidate;
}

KeyEffect applyAction(LoopState& state, Action action, int& weapon) {
    switch (action) {
    case Action::spawnSlower:
        state.spawnInterval *= 2;
        break;
    case Action::spawnFaster:
        state.spawnInterval /= 2;
        break;
    case Action::quit:
        return KeyEffect::quit;
    case Action::pause:
        return KeyEffect::pause;
    case Action::sound:
        return KeyEffect::sound;
    case Action::aids:
        return KeyEffect::aids;
    case Action::controls:
        return KeyEffect::controls;
    case Action::dismiss:
        return KeyEffect::dismiss;
    case Action::gate:
        return KeyEffect::gate;
    case Action::nearOut:
        state.nearScale *= 1.2f;
        break;
    case Action::nearIn:
        state.nearScale /= 1.2f;
        break;
    case Action::farOut:
        state.farScale *= 1.2f;
        break;
    case Action::farIn:
        state.farScale /= 1.2f;
        break;
    case Action::weapon1:
        weapon = 0;
        break;
    case Action::weapon2:
        weapon = 1;
        break;
    case Action::weapon3:
        weapon = 2;
        break;
    case Action::zoomIn:
        state.viewHeight /= 1.2f;
        break;
    case Action::zoomOut:
        state.viewHeight *= 1.2f;
        break;
    default:
        break;
    }
    return KeyEffect::none;
}

namespace {

float clampPercent(float v) {
    if (v < 0)
        return 0;
    if (v > 100)
        return 100;
    return v;
}

} // namespace

void moveCursor(LoopState& state, int dx, int dy) {
    state.cursor.x += dx * state.mouseSensitivity;
    state.cursor.y -= dy * state.mouseSensitivity;
    state.cursor.x = clampPercent(state.cursor.x);
    state.cursor.y = clampPercent(state.cursor.y);
}

ViewRect viewRect(const LoopState& state, point player) {
    const float halfHeight = state.viewHeight / 2;
    const float halfWidth = halfHeight * state.aspect;
    return ViewRect{player.x - halfWidth, player.x + halfWidth, player.y - halfHeight,
                    player.y + halfHeight};
}

point cursorTarget(const LoopState& state, point player) {
    const ViewRect v = viewRect(state, player);
    return mouseToGame(state.cursor, v.left, v.right, v.bottom, v.top);
}

Frustum cameraFrustum(const LoopState& state) {
    const float halfHeight = state.viewHeight / 2;
    const float halfWidth = halfHeight * state.aspect;
    return Frustum{-halfWidth,
                   halfWidth,
                   -halfHeight,
                   halfHeight,
                   state.nearScale * 10000,
                   state.farScale * 30000};
}

ViewRect drawnRect(const LoopState& state, point player) {
    const Frustum f = cameraFrustum(state);
    // The plane lies one unit beyond the near plane; the view widens with depth.
    constexpr float slack = 1.01f;
    const float widening = (f.nearPlane + 1) / f.nearPlane * slack;
    const float halfWidth = f.right * widening;
    const float halfHeight = f.top * widening;
    return ViewRect{player.x - halfWidth, player.x + halfWidth, player.y - halfHeight,
                    player.y + halfHeight};
}
