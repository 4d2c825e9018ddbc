#include "hud/jump_notice.h"

#include <GL/gl.h>

#include "bodies/world_state.h"
#include "graphics/font.h"
#include "graphics/window_size.h"
#include "hud/status_lines.h"

namespace {

constexpr float noticeScale = 24;
constexpr unsigned fadeTime = 500;

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

bool jumpNoticeShown(const JumpNotice& notice, unsigned now) {
    return opacityAt(notice, now) > 0;
}

TextExtent measureJumpNotice(const JumpNotice& notice, const Font& font) {
    return measureText(font, notice.text, noticeScale);
}

void drawJumpNotice(const JumpNotice& notice, Font& font, unsigned now, float y) {
    const float opacity = opacityAt(notice, now);
    if (opacity <= 0)
        return;
    const float width = font.textWidth(notice.text, noticeScale);
    glPushAttrib(GL_CURRENT_BIT | GL_TEXTURE_BIT);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4f(1, 1, 1, opacity);
    font.displayText(notice.text, (w - width) / 2, y, noticeScale);
    glPopAttrib();
}
