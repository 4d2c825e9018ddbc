// The HUD's texts with survival and the flight aids on, drawn at four window sizes into a
// framebuffer of that size: the layout's boxes keep apart and inside the window, and every pixel
// each text draws falls inside its box.
#include <GL/glew.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "gl_context.h"
#include "graphics/font.h"
#include "graphics/window_size.h"
#include "hud/flight_aids.h"
#include "hud/hud_layout.h"
#include "hud/hud_lines.h"
#include "hud/hud_measure.h"
#include "hud/hud_text_drawing.h"

namespace {

const std::string fontFile = ORRISK_RUNTIME_DIR "/subatomic.tsoonami.ttf";
constexpr float outline = 1.5f;
constexpr unsigned char grey = 128;

Font& font() {
    static std::unique_ptr<Font> built;
    if (!built) {
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        built = std::make_unique<Font>(fontFile);
    }
    return *built;
}

bool insideWindow(const HudRect& r, float width, float height) {
    return r.left >= 0 && r.bottom >= 0 && r.right <= width && r.top <= height;
}

class HudLayoutTest : public testing::TestWithParam<std::pair<int, int>> {
  protected:
    void SetUp() override {
        std::tie(w, h) = GetParam();
        glGenFramebuffers(1, &framebuffer);
        glGenRenderbuffers(1, &colour);
        glBindRenderbuffer(GL_RENDERBUFFER, colour);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, w, h);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
        ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));
        glViewport(0, 0, w, h);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluOrtho2D(0, w, 0, h);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        glColor4f(1, 1, 1, 1);
        font().outline = outline;
        std::copy(std::begin(status), std::end(status), all.status);
        all.systemName = "Orin's Lamp";
        saySpeed(all, 12.34f);
        sayScore(all, 1234, 754);
        sayDestroyed(all, 1234, 754, 2345, 1900);
        all.arrival = "Orin's Lamp";
        all.arrivalOpacity = 1;
        all.paused = "Paused";
        layout = layoutHud(static_cast<float>(w), static_cast<float>(h), measureHud(font(), all),
                           true);
    }

    void TearDown() override {
        font().outline = 0;
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteRenderbuffers(1, &colour);
        glViewport(0, 0, glTestWidth, glTestHeight);
        w = glTestWidth;
        h = glTestHeight;
    }

    // The pixels draw changes on a grey window, as (x, y) from the bottom-left.
    std::vector<std::pair<int, int>> changedBy(const std::function<void()>& draw) {
        glClearColor(grey / 255.0f, grey / 255.0f, grey / 255.0f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        draw();
        std::vector<unsigned char> pixels(static_cast<size_t>(w) * h * 4);
        glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        std::vector<std::pair<int, int>> changed;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const unsigned char* p = &pixels[(static_cast<size_t>(y) * w + x) * 4];
                if (p[0] != grey || p[1] != grey || p[2] != grey)
                    changed.emplace_back(x, y);
            }
        return changed;
    }

    // Every pixel the text draws lies in box, it draws some, and it reaches the box's top and
    // bottom: the box is not taller than the text.
    void expectDrawnWithin(const char* name, const HudRect& box,
                           const std::function<void()>& draw) {
        const auto changed = changedBy(draw);
        EXPECT_GT(changed.size(), 50u) << name;
        float lowest = box.top;
        float highest = box.bottom;
        for (const auto& [x, y] : changed) {
            lowest = std::min(lowest, y + 0.5f);
            highest = std::max(highest, y + 0.5f);
        }
        EXPECT_LE(lowest - box.bottom, 2) << name << " at " << w << "x" << h;
        EXPECT_LE(box.top - highest, 2) << name << " at " << w << "x" << h;
        int outside = 0;
        for (const auto& [x, y] : changed)
            // A pixel is drawn when its centre lies in what is drawn.
            if (x + 0.5f < box.left || x + 0.5f > box.right || y + 0.5f < box.bottom ||
                y + 0.5f > box.top)
                ++outside;
        EXPECT_EQ(outside, 0) << name << " at " << w << "x" << h << ": box " << box.left << ","
                              << box.bottom << " to " << box.right << "," << box.top;
    }

    GLuint framebuffer = 0;
    GLuint colour = 0;
    const std::string lines[statusLineCount] = {"FPS: 181.818", "Ships: 1234", "Projectiles: 130",
                                                "Timers: 12", "Player HP: -15.5"};
    const StatusLines status = {&lines[0], &lines[1], &lines[2], &lines[3], &lines[4]};
    HudLines all;
    HudLayout layout;
};

TEST_P(HudLayoutTest, BoxesKeepApartAndInsideTheWindow) {
    const std::pair<const char*, HudRect> boxes[] = {
        {"radar", layout.radar},   {"map", layout.map},
        {"status", layout.status}, {"system name", layout.systemName}, {"speed", layout.speed},
        {"score", layout.score},   {"arrival", layout.arrival},
        {"paused", layout.paused}, {"destroyed", layout.destroyed}};
    for (const auto& [name, box] : boxes) {
        EXPECT_FALSE(box.empty()) << name;
        EXPECT_TRUE(insideWindow(box, static_cast<float>(w), static_cast<float>(h)))
            << name << " at " << w << "x" << h << ": " << box.left << "," << box.bottom << " to "
            << box.right << "," << box.top;
    }
    for (size_t i = 0; i < std::size(boxes); ++i)
        for (size_t k = i + 1; k < std::size(boxes); ++k)
            EXPECT_FALSE(overlaps(boxes[i].second, boxes[k].second))
                << boxes[i].first << " and " << boxes[k].first << " at " << w << "x" << h;
}

// Each text drawn alone, from what the HUD says with everything on.
TEST_P(HudLayoutTest, EachTextDrawsInsideItsBox) {
    auto alone = [&](const char* name, const HudRect& box, auto keep) {
        HudLines one;
        keep(one);
        expectDrawnWithin(name, box, [&] { drawHudTexts(font(), one, layout); });
    };
    alone("status", layout.status,
          [&](HudLines& one) { std::copy(std::begin(status), std::end(status), one.status); });
    alone("system name", layout.systemName, [&](HudLines& one) { one.systemName = all.systemName; });
    alone("speed", layout.speed, [&](HudLines& one) { one.speed = all.speed; });
    alone("score", layout.score, [&](HudLines& one) { one.score = all.score; });
    alone("arrival", layout.arrival, [&](HudLines& one) {
        one.arrival = all.arrival;
        one.arrivalOpacity = 1;
    });
    alone("paused", layout.paused, [&](HudLines& one) { one.paused = all.paused; });
    alone("destroyed", layout.destroyed, [&](HudLines& one) {
        std::copy(std::begin(all.destroyed), std::end(all.destroyed), one.destroyed);
    });
}

// The gate's label rises clear of the status lines; only the marker itself may reach them.
TEST_P(HudLayoutTest, GateDistanceKeepsClearOfTheStatusLines) {
    // Far to the lower left: the marker sits in the corner the status lines fill.
    constexpr float viewHeight = 4000;
    const float distance = std::hypot(90000.0f, 60000.0f);
    const AidReadings towards{{-90000 / distance, -60000 / distance}, distance, 0.84f, 1, 0};
    const point at = gateMarker(towards, viewHeight);
    const auto changed = changedBy([&] {
        HudLines gate;
        sayGate(gate, "Tallow", distance, 0.84f);
        drawGateMarker(font(), towards, at, gate, layout.status);
    });
    int labelPixelsOnStatus = 0;
    int abovePixels = 0;
    const HudRect& box = layout.status;
    for (const auto& [x, y] : changed) {
        // The triangle's corners lie 17.1 pixels from its centre.
        const bool marker = std::abs(x - at.x) <= 18 && std::abs(y - at.y) <= 18;
        const bool onStatus = x >= box.left && x < box.right && y >= box.bottom && y < box.top;
        labelPixelsOnStatus += onStatus && !marker;
        abovePixels += y >= box.top;
    }
    EXPECT_EQ(labelPixelsOnStatus, 0);
    EXPECT_GT(abovePixels, 50);
}

INSTANTIATE_TEST_SUITE_P(WindowSizes, HudLayoutTest,
                         testing::Values(std::make_pair(800, 600), std::make_pair(1024, 768),
                                         std::make_pair(1280, 1024), std::make_pair(1920, 1080)));

} // namespace
