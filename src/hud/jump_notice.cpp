#include "hud/jump_notice.h"

#include <GL/gl.h>

#include "bodies/world_state.h"
#include "graphics/font.h"
#include "graphics/window_size.h"

namespace {

constexpr float noticeScale = 24;
constexpr unsigned fadeTime = 500;
// The panels are 200 pixels square in the top corners.
constexpr float panelSize = 200;
constexpr float betweenPanelsDrop = 70;
constexpr float belowPanelsDrop = panelSize + 50;

// Full strength, then a fade over the last half second.
float opacityAt(const JumpNotice& notice, unsigned now) {
    if (notice.text.empty())
        return 0;
    const unsigned age = now - notice.shownAt;
    if (age >= jumpNoticeDuration)
        return 0;
    const unsigned left = jumpNoticeDuration - age;
    return left >= fadeTime ? 1.0f : static_cast<float>(left) / fadeTime;
}

} // namespace

void announceArrival(JumpNotice& notice, const WorldState& arrival, unsigned now) {
    notice.shownAt = now;
    if (arrival.stars.empty())
        notice.text.clear();
    else
        notice.text = arrival.stars.front().name;
}

void drawJumpNotice(const JumpNotice& notice, Font& font, unsigned now) {
    const float opacity = opacityAt(notice, now);
    if (opacity <= 0)
        return;
    const float width = font.textWidth(notice.text, noticeScale);
    // In a narrow window the name goes under the panels instead of between them.
    const bool fitsBetween = width + 2 * (panelSize + 10) <= w;
    const float y = h - (fitsBetween ? betweenPanelsDrop : belowPanelsDrop);
    glPushAttrib(GL_CURRENT_BIT | GL_TEXTURE_BIT);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4f(1, 1, 1, opacity);
    font.displayText(notice.text, (w - width) / 2, y, noticeScale);
    glPopAttrib();
}
