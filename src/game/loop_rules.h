#pragma once
#include <list>
#include <string>

#include "core/geometry.h"
#include "game/command.h"

class Ship;

// The frame loop's own state, kept apart from SDL and OpenGL so the rules below can be checked
// without a window.
struct LoopState {
    unsigned lastTicks = 0; // this frame's time, the reference for the next frame's delta
    int frameDelta = 0;     // ms since the previous frame, never clamped
    float fpsTime = 0;      // ms summed since the frame rate was last computed
    float fpsFrames = 0;    // frames counted since then
    unsigned lastSpawn = 0; // time of the last enemy spawn
    float spawnInterval = 500;
    point spawnPoint{0, 0};
    point cursor{50, 50}; // percent of the view, origin at its bottom-left
    float mouseSensitivity = 0.15f;
    float viewHeight = 4000; // game units
    float aspect = 1280.0f / 1024.0f;
    float nearScale = 1;
    float farScale = 1;
    std::string fpsText;
    std::string shipsText;
    std::string projectilesText;
    std::string timersText;
    std::string healthText;
};

// The camera's projection volume.
struct Frustum {
    float left;
    float right;
    float bottom;
    float top;
    float nearPlane;
    float farPlane;
};

// Spawned enemies appear at least this far from the player.
constexpr float spawnClearance = 20000;

// Status lines are rebuilt every frame; they hold their capacity so this stays off the heap.
constexpr size_t statusCapacity = 64;
void reserveStatusText(LoopState& state);

// Frame timing: the delta since lastTicks and the frame-rate text, refreshed once more than a
// second of frames has been summed. The caller then reads the clock again into lastTicks.
void measureFrame(LoopState& state, unsigned now);
// While paused a frame takes at least this long: the rest of it is slept, so a paused game
// runs about fifteen frames a second and leaves the processor be.
constexpr unsigned pausedFrameMs = 66;
// What is left to sleep of a paused frame that has taken elapsedMs.
unsigned pausedRestMs(unsigned elapsedMs);
// The paused picture stands still, so a paused frame draws it only to fill both buffers after
// the pause begins, the window is exposed or a key or button is pressed, and then once a second
// for the frame rate shown.
constexpr int heldFramesFilling = 2;
constexpr unsigned heldRedrawMs = 1000;
bool heldFrameDue(int drawnSincePause, unsigned sinceLastDrawMs);

// One frame of ms milliseconds counted towards the frame-rate text.
void countFrame(LoopState& state, int ms);

// out = prefix followed by the value as toString writes it, reusing out's capacity.
void formatStatus(std::string& out, const char* prefix, float value);
// The four status lines under the frame rate's.
void formatStatusLines(LoopState& state, std::size_t ships, std::size_t projectiles,
                       std::size_t timers, float health);

// Compared as doubles, as the interval can be any float the keys make of it.
// Due once more than the interval has passed since the last spawn.
bool spawnDue(const LoopState& state);

// Draws spawn positions with draw (x first, then y) until one is at least spawnClearance from
// the player.
point pickSpawnPoint(point player, float (*draw)());

// One frame's spawn: when due, a new enemy of type 1 goes to the front of ships.
template <class ShipList>
bool spawnEnemy(LoopState& state, point player, ShipList& ships, float (*draw)() = randLoc) {
    if (!spawnDue(state))
        return false;
    state.lastSpawn = state.lastTicks;
    state.spawnPoint = pickSpawnPoint(player, draw);
    ships.emplace_front(state.spawnPoint, 1);
    return true;
}

// A moving frame's clock: its delta from the reading measured, its time now, and its spawn.
void startFrame(LoopState& state, unsigned measured, unsigned now, point player,
                std::list<Ship>& ships);

// A paused frame's clock: no delta, ms counted for the frame rate only.
void holdClock(LoopState& state, int ms);

enum class KeyEffect { none, quit, pause, sound, aids, controls, dismiss, gate };

// A press: spawn rate, clipping planes, zoom, the player's weapon; pause, sound, the flight aids,
// their gate, the list of keys and quit are left to the frame. Window events change nothing here.
KeyEffect applyAction(LoopState& state, Action action, int& weapon);

// Relative mouse motion; screen y grows downwards, the cursor's upwards. Clamped to 0..100.
void moveCursor(LoopState& state, int dx, int dy);

ViewRect viewRect(const LoopState& state, point player);
// The point of the plane under the cursor, the one the weapons aim at.
point cursorTarget(const LoopState& state, point player);

// The camera puts the plane z = 0 just beyond the near plane.
Frustum cameraFrustum(const LoopState& state);

// A rectangle of the plane z = 0 that surely holds all the camera shows of it: the view as seen
// at that plane's depth, with a little slack for rounding.
ViewRect drawnRect(const LoopState& state, point player);
