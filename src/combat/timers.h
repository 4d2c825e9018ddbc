#pragma once
#include "core/geometry.h"

struct WorldState;

// A timed effect owned by one world's timer list; runTimer runs it while due and deletes it
// after its end time.
class TimerBase {
  public:
    int startTime = 0; // 0: at once
    int endTime = 0;   // 0: never

    virtual void execute(int now, WorldState& world) = 0;
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
    // Half side of the ring at tick now.
    float halfSide(int now) const;
};

void standardExplosion(point position, WorldState& world, int now);
void standardExplosion(point position, WorldState& world);
void addTimer(TimerBase* timer, WorldState& world);
void runTimer(int now, WorldState& world);
