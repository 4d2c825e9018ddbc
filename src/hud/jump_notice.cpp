#include "hud/jump_notice.h"

#include "bodies/world_state.h"

namespace {

constexpr unsigned fadeTime = 500;

} // namespace

float jumpNoticeOpacity(const JumpNotice& notice, unsigned now) {
    if (notice.text.empty())
        return 0;
    const unsigned age = now - notice.shownAt;
    if (age >= jumpNoticeDuration)
        return 0;
    const unsigned left = jumpNoticeDuration - age;
    return left >= fadeTime ? 1.0f : static_cast<float>(left) / fadeTime;
}

void announceArrival(JumpNotice& notice, const WorldState& arrival, unsigned now) {
    notice.shownAt = now;
    if (arrival.stars.empty())
        notice.text.clear();
    else
        notice.text = arrival.stars.front().name;
}
