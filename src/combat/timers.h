#pragma once
#include <functional>

#include "core/geometry.h"

struct WorldState;

// A timed effect owned by one world's timer list; runTimer lets it act while due and deletes it
// after its end time, and drawTimers draws the ones runTimer let act.
class TimerBase {
  public:
    int startTime = 0; // 0: at once
    int endTime = 0;   // 0: never

    // What the effect does to the world at tick now; no drawing.
    virtual void execute(int now, WorldState& world) = 0;
    virtual void draw(int /*now*/) const {}
    virtual ~TimerBase() = default;
};

class TExplosion : public TimerBase {
  public:
    int createdTime;
    int duration;
    point position;
    float size;

    TExplosion(int createdTime, int duration, point position);
    void execute(int now, WorldState& world) override;
    void draw(int now) const override;
    // Half side of the sprite at tick now.
    float halfSide(int now) const;
};

class TShockwave : public TimerBase {
  public:
    int reach;
    int createdTime;
    int duration;
    point position;
    int rotation;
    int lastHitTime;

    TShockwave(int reach, int createdTime, int duration, point position);
    void execute(int now, WorldState& world) override;
    void draw(int now) const override;
    // Half side of the ring at tick now.
    float halfSide(int now) const;
};

// The clock that effects made without a stated time read: SDL's tick count until the frame loop
// hands it the time of the step it simulates.
extern std::function<unsigned()> effectClock;

void standardExplosion(point position, WorldState& world, int now);
void standardExplosion(point position, WorldState& world);
void addTimer(TimerBase* timer, WorldState& world);
void runTimer(int now, WorldState& world);
// Draws, in list order, every timer the last runTimer at the same tick let act.
void drawTimers(int now, const WorldState& world);
