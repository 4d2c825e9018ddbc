#pragma once
// What the simulation wants heard, told without knowing how it is played: each update records
// the sounds it makes here, and the audio layer plays and clears them once the frame's steps
// have run. The list has a fixed size, so recording never allocates; a frame that makes more
// sounds than it holds loses the later ones.
#include <cstddef>

#include "core/geometry.h"

// The one-shot sounds; the engine and the laser are loops the audio layer reads from the ship.
enum class SoundKind {
    bulletShot,
    shellLaunch,
    shockwave,
    explosion,
    ram,
    landing,
    crashLanding,
    takeOff,
    wormholeJump,
    arrival,
};

struct SoundEvent {
    SoundKind kind;
    point position;
};

class SoundEvents {
  public:
    static constexpr size_t capacity = 64;

    void record(SoundKind kind, point position) {
        if (count_ < capacity)
            events_[count_++] = SoundEvent{kind, position};
    }
    void clear() { count_ = 0; }
    size_t size() const { return count_; }
    const SoundEvent* begin() const { return events_; }
    const SoundEvent* end() const { return events_ + count_; }

  private:
    SoundEvent events_[capacity];
    size_t count_ = 0;
};

// The sounds made since the audio layer last played them.
extern SoundEvents soundEvents;
