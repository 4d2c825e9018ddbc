#pragma once
#include <functional>

#include "core/geometry.h"

struct WorldState;

// Times are tick counts, which pass 2^31 after 24.8 days and wrap after 49.7: they are only ever
// compared through their difference, which is right across both points.
inline int ticksAfter(unsigned later, unsigned earlier) {
    return static_cast<int>(later - earlier);
}

// A timed effect owned by one world's timer list; runTimer lets it act while due and deletes it
// after its end time, and drawTimers draws the ones runTimer let act.
class TimerBase {
  public:
    unsigned startTime = 0; // 0: at once
    unsigned endTime = 0;   // 0: never

    // What the effect does to the world at tick now; no drawing.
    virtual void execute(unsigned now, WorldState& world) = 0;
    virtual void draw(unsigned /*now*/) const {}
    // The same, left out when the effect lies wholly outside view; the state its drawing leaves
    // for the passes after it is left either way.
    virtual void drawIn(unsigned now, const ViewRect& /*view*/) const { draw(now); }
    virtual ~TimerBase() = default;
};

class TExplosion : public TimerBase {
  public:
    unsigned createdTime;
    int duration;
    point position;
    float size;

    TExplosion(unsigned createdTime, int duration, point position);
    void execute(unsigned now, WorldState& world) override;
    void draw(unsigned now) const override;
    void drawIn(unsigned now, const ViewRect& view) const override;
    // Half side of the sprite at tick now.
    float halfSide(unsigned now) const;
};

class TShockwave : public TimerBase {
  public:
    int reach;
    unsigned createdTime;
    int duration;
    point position;
    int rotation;
    unsigned lastHitTime;

    TShockwave(int reach, unsigned createdTime, int duration, point position);
    void execute(unsigned now, WorldState& world) override;
    void draw(unsigned now) const override;
    void drawIn(unsigned now, const ViewRect& view) const override;
    // Half side of the ring at tick now.
    float halfSide(unsigned now) const;
};

// The clock that effects made without a stated time read: SDL's tick count until the frame loop
// hands it the time of the step it simulates.
extern std::function<unsigned()> effectClock;

void standardExplosion(point position, WorldState& world, unsigned now);
void standardExplosion(point position, WorldState& world);
void addTimer(TimerBase* timer, WorldState& world);
void runTimer(unsigned now, WorldState& world);
// Draws, in list order, every timer the last runTimer at the same tick let act, leaving out
// those wholly outside view.
void drawTimers(unsigned now, const WorldState& world, const ViewRect& view);
