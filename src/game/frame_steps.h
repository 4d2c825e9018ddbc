#pragma once

// The simulation never moves on by more than this in one step. Chasers steer once a step and a
// landed ship is carried once a step, so both stay as tight as the game was tuned for at 50
// frames a second and more, whatever the frame rate.
constexpr int maxStepMs = 20;
// A frame stalled for longer than this (a debugger, a stopped process) simulates only its last
// part, so that resuming never replays minutes of play in one frame.
constexpr int maxStepsPerFrame = 250;

// One step of the simulation: how far it moves on and the tick count it reaches.
struct Step {
    int delta;
    unsigned now;
    // The frame's last step, the one drawn: the frame's own lines are printed in it, so that any
    // GL error the drawing reports comes after the line of its pass.
    bool last;
};

// A frame of delta milliseconds that ends at tick `end`, cut into steps of at most maxStepMs
// that differ by at most a millisecond, the longer ones first; the last step ends at `end`.
// A frame within maxStepMs, or one whose delta is not positive, is a single step of delta.
class FrameSteps {
  public:
    FrameSteps(unsigned end, int delta);
    // A paused frame's: no step at all.
    static FrameSteps none(unsigned end);
    int count() const { return count_; }
    Step operator[](int i) const;

  private:
    unsigned end_;
    int delta_;
    int count_;
    int simulated_; // the milliseconds the steps cover
};
