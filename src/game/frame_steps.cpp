#include "game/frame_steps.h"

FrameSteps::FrameSteps(unsigned end, int delta)
    : end_(end), delta_(delta), count_(1), simulated_(delta) {
    if (delta <= maxStepMs)
        return;
    count_ = delta / maxStepMs + (delta % maxStepMs != 0 ? 1 : 0);
    if (count_ > maxStepsPerFrame) {
        count_ = maxStepsPerFrame;
        simulated_ = maxStepsPerFrame * maxStepMs;
    }
}

FrameSteps FrameSteps::none(unsigned end) {
    FrameSteps steps(end, 0);
    steps.count_ = 0;
    steps.simulated_ = 0;
    return steps;
}

Step FrameSteps::operator[](int i) const {
    if (count_ == 1)
        return Step{delta_, end_, true};
    const int base = simulated_ / count_;
    const int longer = simulated_ % count_;
    const int delta = base + (i < longer ? 1 : 0);
    // The milliseconds the steps after this one still cover.
    const int after = (count_ - 1 - i) * base + (longer > i + 1 ? longer - (i + 1) : 0);
    return Step{delta, end_ - static_cast<unsigned>(after), i == count_ - 1};
}
