#pragma once
// The sound files the game plays, read from the working directory at start-up. The first ones
// follow SoundKind's order; the loops come after them.
#include <cstddef>

#include "core/sound_events.h"

enum class LoopSound { thrust, reverse, laser };

constexpr size_t oneShotSoundCount = 10;
constexpr size_t loopSoundCount = 3;
constexpr size_t soundFileCount = oneShotSoundCount + loopSoundCount;

extern const char* const soundFiles[soundFileCount];

inline size_t soundIndex(SoundKind kind) {
    return static_cast<size_t>(kind);
}

inline size_t soundIndex(LoopSound loop) {
    return oneShotSoundCount + static_cast<size_t>(loop);
}

// Sounds that happen somewhere in the world: heard by distance and direction from the ship.
// Everything else is the ship's own and plays on channels kept for it.
inline bool placedInWorld(SoundKind kind) {
    return kind == SoundKind::shockwave || kind == SoundKind::explosion;
}
