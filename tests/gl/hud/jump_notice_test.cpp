// The arrival notice drawn with the game's font into the real framebuffer and read back.
#include <GL/glew.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "bodies/world_state.h"
#include "gl_context.h"
#include "graphics/font.h"
#include "graphics/window_size.h"
#include "hud/jump_notice.h"

namespace {

// What was drawn: its extent in pixels from the window's top-left corner and its brightest red.
struct Drawn {
    int left = glTestWidth, right = -1, top = glTestHeight, bottom = -1, brightest = 0;
    bool empty() const { return right < 0; }
};

class JumpNoticeTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        testing::internal::CaptureStdout();
        font = std::make_unique<Font>(ORRISK_RUNTIME_DIR "/subatomic.tsoonami.ttf");
        testing::internal::GetCapturedStdout();
    }
    static void TearDownTestSuite() { font.reset(); }

    void SetUp() override {
        arrival.stars.push_back(Star({0, 0}, 1000, 1, 0, 14, "Tallow"));
        glClearColor(0, 0, 0, 0);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        glColor4f(0, 1, 0.2f, 1);
    }
    void TearDown() override {
        w = glTestWidth;
        h = glTestHeight;
        glViewport(0, 0, glTestWidth, glTestHeight);
    }

    // The frame's status-line projection for a window of width x height pixels.
    static Drawn draw(const JumpNotice& notice, unsigned now, int width = glTestWidth,
                      int height = glTestHeight) {
        w = width;
        h = height;
        glViewport(0, 0, width, height);
        glClear(GL_COLOR_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluOrtho2D(0, width, 0, height);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        drawJumpNotice(notice, *font, now);

        std::vector<unsigned char> red(static_cast<size_t>(width) * height);
        glReadPixels(0, 0, width, height, GL_RED, GL_UNSIGNED_BYTE, red.data());
        Drawn d;
        for (int row = 0; row < height; ++row)
            for (int col = 0; col < width; ++col)
                if (const int r = red[static_cast<size_t>(row) * width + col]; r > 0) {
                    const int y = height - 1 - row;
                    d.left = std::min(d.left, col);
                    d.right = std::max(d.right, col);
                    d.top = std::min(d.top, y);
                    d.bottom = std::max(d.bottom, y);
                    d.brightest = std::max(d.brightest, r);
                }
        return d;
    }

    static std::unique_ptr<Font> font;
    WorldState arrival;
    JumpNotice notice;
};

std::unique_ptr<Font> JumpNoticeTest::font;

TEST_F(JumpNoticeTest, TheStarsNameShowsBetweenThePanelsForThreeSeconds) {
    EXPECT_TRUE(draw(notice, 5000).empty());
    announceArrival(notice, arrival, 1000);
    const Drawn shown = draw(notice, 1100);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.brightest, 255);
    EXPECT_NEAR((shown.left + shown.right) / 2.0, glTestWidth / 2.0, 3);
    EXPECT_NEAR(shown.right - shown.left, font->textWidth("Tallow", 24), 6);
    // Clear of the 200-pixel panels in the top corners and of the status lines at the bottom.
    EXPECT_GT(shown.left, 200);
    EXPECT_LT(shown.right, glTestWidth - 200);
    EXPECT_GT(shown.top, 0);
    EXPECT_LT(shown.bottom, 200);

    // Fading in its last half second, then gone; the colour and texture mode are left alone.
    const Drawn fading = draw(notice, 3750);
    EXPECT_GT(fading.brightest, 100);
    EXPECT_LT(fading.brightest, 160);
    EXPECT_TRUE(draw(notice, 4000).empty());
    std::array<float, 4> colour;
    glGetFloatv(GL_CURRENT_COLOR, colour.data());
    EXPECT_FLOAT_EQ(colour[1], 1);
    int mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_REPLACE);
}

TEST_F(JumpNoticeTest, ANarrowWindowShowsItUnderThePanelsAndAStarlessSystemShowsNothing) {
    announceArrival(notice, arrival, 1000);
    const Drawn narrow = draw(notice, 1100, 480, 600);
    ASSERT_FALSE(narrow.empty());
    EXPECT_GT(narrow.top, 200);
    EXPECT_NEAR((narrow.left + narrow.right) / 2.0, 240, 3);

    announceArrival(notice, WorldState(), 1200);
    EXPECT_TRUE(draw(notice, 1300).empty());
}

} // namespace
