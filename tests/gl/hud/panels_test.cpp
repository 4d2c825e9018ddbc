// The radar and map panels drawn into the real framebuffer and read back pixel by pixel. Each
// sprite slot they use is replaced by a flat colour so that every blip is recognisable.
#include <GL/glew.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <iterator>
#include <vector>

#include "bodies/world_state.h"
#include "data/weapon_ship_tables.h"
#include "gl_context.h"
#include "graphics/emitter_data.h"
#include "graphics/textures.h"
#include "hud/panels.h"
#include "player/player.h"

namespace {

using Colour = std::array<int, 3>;

const Colour black{0, 0, 0};
const Colour radarBackground{0, 0, 128};
const Colour mapBackground{0, 64, 64};
const Colour playerBlip{0, 255, 0};
const Colour enemyBlip{255, 0, 0};
const Colour starSprite{255, 255, 0};
const Colour planetSprite{255, 0, 255};
const Colour white{255, 255, 255};
const Colour starDot{255, 51, 51};
const Colour planetDot{0, 255, 51};
const Colour wormholeDot{191, 89, 255};

constexpr int starSlot = texBlueStar;
constexpr int planetSlot = texMars;
constexpr int replacedSlots[] = {texRadar,    texMap,   texPlayerRadar, texEnemyRadar,
                                 texWhiteDot, starSlot, planetSlot};

// Window pixels measured from the top-left corner, as the panels are placed.
struct Pixel {
    int x;
    int y;
};
constexpr Pixel radarCentre{100, 100};
constexpr Pixel mapCentre{glTestWidth - 100, 100};

unsigned int flatTexture(const Colour& c) {
    std::vector<unsigned char> texels;
    for (int i = 0; i < 16; ++i)
        texels.insert(texels.end(),
                      {static_cast<unsigned char>(c[0]), static_cast<unsigned char>(c[1]),
                       static_cast<unsigned char>(c[2]), 255});
    unsigned int name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

Colour pixelAt(Pixel p) {
    unsigned char rgb[3] = {};
    glReadPixels(p.x, glTestHeight - 1 - p.y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return {rgb[0], rgb[1], rgb[2]};
}

bool near(const Colour& a, const Colour& b) {
    for (int i = 0; i < 3; ++i)
        if (std::abs(a[i] - b[i]) > 3)
            return false;
    return true;
}

// Pixels of one colour in a square of the window; x and y from the top-left corner.
std::vector<Pixel> pixelsOf(const Colour& c, Pixel from, int size) {
    std::vector<unsigned char> rgb(size * size * 3);
    glReadPixels(from.x, glTestHeight - from.y - size, size, size, GL_RGB, GL_UNSIGNED_BYTE,
                 rgb.data());
    std::vector<Pixel> found;
    for (int row = 0; row < size; ++row)
        for (int col = 0; col < size; ++col) {
            const unsigned char* p = &rgb[(row * size + col) * 3];
            if (near({p[0], p[1], p[2]}, c))
                found.push_back({from.x + col, from.y + size - 1 - row});
        }
    return found;
}

// The centre of the pixels of one colour, in pixels from the top-left corner.
std::array<float, 2> centreOf(const std::vector<Pixel>& pixels) {
    float x = 0, y = 0;
    for (const Pixel& p : pixels) {
        x += p.x + 0.5f;
        y += p.y + 0.5f;
    }
    return {x / pixels.size(), y / pixels.size()};
}

std::array<float, 16> matrix(GLenum which) {
    std::array<float, 16> m;
    glGetFloatv(which, m.data());
    return m;
}

int integer(GLenum which) {
    int value = -1;
    glGetIntegerv(which, &value);
    return value;
}

class PanelsTest : public testing::Test {
  protected:
    void SetUp() override {
        std::copy(std::begin(textures), std::end(textures), savedTextures);
        savedShipData = SHIPDATA;
        savedEmitters = emitters;
        emitters = {EmitterFile{}};
        textures[texRadar] = flatTexture(radarBackground);
        textures[texMap] = flatTexture(mapBackground);
        textures[texPlayerRadar] = flatTexture(playerBlip);
        textures[texEnemyRadar] = flatTexture(enemyBlip);
        textures[texWhiteDot] = flatTexture(white);
        textures[starSlot] = flatTexture(starSprite);
        textures[planetSlot] = flatTexture(planetSprite);
        // Row 1 is the type that spawns; these ships sit still.
        SHIPDATA = {{0, 0, 0, 10, 1}, {0, 0, 0, 10, 1}};

        // As the game sets it; the read-backs below are tightly packed RGB rows.
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        glColor4f(1, 1, 1, 1);
    }

    void TearDown() override {
        for (int slot : replacedSlots)
            glDeleteTextures(1, &textures[slot]);
        std::copy(std::begin(savedTextures), std::end(savedTextures), textures);
        SHIPDATA = savedShipData;
        emitters = savedEmitters;
    }

    // The projections the main loop sets before each panel.
    static void radarProjection() { panelProjection(0, glTestWidth); }
    static void mapProjection() { panelProjection(-glTestWidth, 0); }
    static void panelProjection(double left, double right) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluOrtho2D(left, right, -glTestHeight, 0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    void drawRadar() {
        radarProjection();
        topLeftUI(world, &player);
    }
    void drawMap() {
        mapProjection();
        topRightUI(world, &player);
    }

    // Positions relative to the player, so that the panels' translation is exercised.
    point offset(float dx, float dy) const {
        return {player.position.x + dx, player.position.y + dy};
    }
    void addShip(float dx, float dy) { world.ships.push_back(Ship(offset(dx, dy), 1)); }
    Star& addStar(float dx, float dy, float radius) {
        world.stars.push_back(Star(offset(dx, dy), radius, 1, 0, starSlot, "Sol"));
        return world.stars.back();
    }
    void addWormhole(float dx, float dy) {
        world.wormholes.push_back(Wormhole(0, offset(dx, dy), 400, 1, {0, 0}, 0));
    }
    static void addPlanet(Star& star, point at, float radius) {
        Planet planet(radius, 1, 1000, 0, 0, 0, 0, planetSlot, "Terra");
        planet.position = at;
        star.addPlanet(planet);
    }

    unsigned int savedTextures[textureCount];
    Table savedShipData;
    std::vector<EmitterFile> savedEmitters;
    WorldState world;
    Player player{{30000, -42000}, 1, 1, 1, 100, 50};
};

TEST_F(PanelsTest, EmptyRadarShowsBackgroundAndThePlayerAtItsCentre) {
    drawRadar();
    EXPECT_EQ(pixelAt(radarCentre), playerBlip);
    EXPECT_EQ(pixelAt({2, 2}), radarBackground);
    EXPECT_EQ(pixelAt({197, 197}), radarBackground);
    EXPECT_EQ(pixelAt({205, 100}), black);
    EXPECT_EQ(pixelAt({100, 205}), black);
    // 500 game units each side at 0.00825 pixels per unit: about 8 pixels wide.
    const std::vector<Pixel> blip = pixelsOf(playerBlip, {0, 0}, 200);
    EXPECT_GE(blip.size(), 49u);
    EXPECT_LE(blip.size(), 100u);
    EXPECT_NEAR(centreOf(blip)[0], 100, 0.6);
    EXPECT_NEAR(centreOf(blip)[1], 100, 0.6);
}

TEST_F(PanelsTest, RadarShowsEnemiesStrictlyCloserThanItsRange) {
    addShip(9999, 0);
    addShip(0, 10000);
    addShip(0, -5000);
    drawRadar();

    // The one at 9999 lands 82.49 pixels right of the centre.
    const std::vector<Pixel> right = pixelsOf(enemyBlip, {150, 80}, 50);
    ASSERT_FALSE(right.empty());
    EXPECT_NEAR(centreOf(right)[0], 100 + 82.49f, 0.6);
    EXPECT_NEAR(centreOf(right)[1], 100, 0.6);
    // Game y grows upwards; the one 5000 below shows 41.25 pixels below the centre.
    const std::vector<Pixel> below = pixelsOf(enemyBlip, {80, 120}, 40);
    ASSERT_FALSE(below.empty());
    EXPECT_NEAR(centreOf(below)[1], 100 + 41.25f, 0.6);
    // Exactly at the range: nothing above the centre.
    EXPECT_TRUE(pixelsOf(enemyBlip, {80, 0}, 40).empty());
    EXPECT_EQ(pixelsOf(enemyBlip, {0, 0}, 200).size(), right.size() + below.size());
}

TEST_F(PanelsTest, RadarDrawsEnemiesAndBodiesOverThePlayer) {
    addShip(0, 0);
    drawRadar();
    EXPECT_EQ(pixelAt(radarCentre), enemyBlip);

    world.ships.clear();
    glClear(GL_COLOR_BUFFER_BIT);
    addStar(0, 0, 300);
    drawRadar();
    EXPECT_EQ(pixelAt(radarCentre), starSprite);
}

TEST_F(PanelsTest, RadarShowsBodiesInRangeWhateverTheirStar) {
    Star& far = addStar(15000, 0, 300);
    addPlanet(far, offset(0, -5000), 400);
    addPlanet(far, offset(0, 10000), 400);
    Star& close = addStar(-5000, 0, 600);
    addPlanet(close, offset(-20000, 0), 400);
    drawRadar();

    EXPECT_EQ(pixelAt({100, 141}), planetSprite);
    EXPECT_EQ(pixelAt({59, 100}), starSprite);
    // Sprites keep their game-unit size: a radius of 600 is about 10 pixels across.
    const std::vector<Pixel> star = pixelsOf(starSprite, {0, 0}, 200);
    EXPECT_GE(star.size(), 81u);
    EXPECT_LE(star.size(), 121u);
    EXPECT_TRUE(pixelsOf(planetSprite, {80, 0}, 40).empty());
    EXPECT_TRUE(pixelsOf(planetSprite, {0, 80}, 40).empty());
    EXPECT_TRUE(pixelsOf(starSprite, {160, 80}, 40).empty());
}

TEST_F(PanelsTest, MapShowsTintedDotsWithinRangeAndThePlayerOnTop) {
    Star& star = addStar(100000, 0, 3000);
    addPlanet(star, offset(0, -50000), 500);
    Star& far = addStar(0, 200000, 3000);
    addPlanet(far, offset(-100000, 0), 500);
    addStar(0, 0, 3000);
    // The radar's planets leave GL_REPLACE behind; the map must tint its dots all the same.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    drawMap();

    EXPECT_EQ(pixelAt({2, 2}), black);
    EXPECT_EQ(pixelAt({glTestWidth - 198, 2}), mapBackground);
    EXPECT_EQ(pixelAt({glTestWidth - 2, 197}), mapBackground);
    // The player's blip keeps its own colour over the star at its position.
    EXPECT_EQ(pixelAt(mapCentre), playerBlip);
    EXPECT_TRUE(near(pixelAt({mapCentre.x + 42, 100}), starDot));
    EXPECT_TRUE(near(pixelAt({mapCentre.x, 121}), planetDot));
    EXPECT_TRUE(near(pixelAt({mapCentre.x - 42, 100}), planetDot));
    // The star exactly at the map's range is left out.
    EXPECT_TRUE(pixelsOf(starDot, {mapCentre.x - 20, 0}, 40).empty());
    // Star and player dots are 8.4 pixels wide, planets 6.72.
    const std::vector<Pixel> starPixels = pixelsOf(starDot, {mapCentre.x + 20, 80}, 40);
    EXPECT_GE(starPixels.size(), 64u);
    EXPECT_LE(starPixels.size(), 81u);
    const std::vector<Pixel> planetPixels = pixelsOf(planetDot, {mapCentre.x - 20, 101}, 40);
    EXPECT_GE(planetPixels.size(), 36u);
    EXPECT_LE(planetPixels.size(), 49u);
}

TEST_F(PanelsTest, WormholesAreVioletDotsOnTheMapAndOnTheRadarInRange) {
    addWormhole(5000, 0);
    addWormhole(0, -150000);
    addWormhole(-200000, 0);
    drawRadar();
    // Only the first is in the radar's range: 41.25 pixels right of the centre, blip-sized.
    const std::vector<Pixel> radar = pixelsOf(wormholeDot, {0, 0}, 200);
    EXPECT_GE(radar.size(), 49u);
    EXPECT_NEAR(centreOf(radar)[0], 100 + 41.25f, 0.6);
    EXPECT_NEAR(centreOf(radar)[1], 100, 0.6);

    glClear(GL_COLOR_BUFFER_BIT);
    drawMap();
    // 150000 below at 0.00042 pixels per unit; the one at the map's range is left out.
    const std::vector<Pixel> map = pixelsOf(wormholeDot, {mapCentre.x - 20, 140}, 40);
    ASSERT_FALSE(map.empty());
    EXPECT_TRUE(pixelsOf(wormholeDot, {mapCentre.x - 100, 80}, 40).empty());
    EXPECT_NEAR(centreOf(map)[0], mapCentre.x, 0.6);
    EXPECT_NEAR(centreOf(map)[1], 100 + 63, 0.6);
}

TEST_F(PanelsTest, PanelsRestoreTheProjectionAndLeaveTheMapsState) {
    Star& star = addStar(5000, 0, 500);
    addPlanet(star, offset(0, 5000), 300);
    addShip(1000, 1000);
    addWormhole(-3000, 0);
    for (bool map : {false, true}) {
        SCOPED_TRACE(map ? "map" : "radar");
        map ? mapProjection() : radarProjection();
        glPushMatrix();
        glTranslatef(1, 2, 0);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        const std::array<float, 16> projection = matrix(GL_PROJECTION_MATRIX);
        const std::array<float, 16> modelview = matrix(GL_MODELVIEW_MATRIX);
        const int projectionDepth = integer(GL_PROJECTION_STACK_DEPTH);
        const int modelviewDepth = integer(GL_MODELVIEW_STACK_DEPTH);

        map ? topRightUI(world, &player) : topLeftUI(world, &player);

        EXPECT_EQ(integer(GL_MATRIX_MODE), GL_MODELVIEW);
        EXPECT_EQ(matrix(GL_PROJECTION_MATRIX), projection);
        EXPECT_EQ(matrix(GL_MODELVIEW_MATRIX), modelview);
        EXPECT_EQ(integer(GL_PROJECTION_STACK_DEPTH), projectionDepth);
        EXPECT_EQ(integer(GL_MODELVIEW_STACK_DEPTH), modelviewDepth);
        EXPECT_EQ(integer(GL_BLEND_SRC), GL_SRC_ALPHA);
        EXPECT_EQ(integer(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
        // Planet sprites on the radar and the player's blip on the map both set GL_REPLACE.
        int envMode = 0;
        glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &envMode);
        EXPECT_EQ(envMode, GL_REPLACE);
        glPopMatrix();
    }
    // The current colour is that of the last dot drawn, the planet's.
    std::array<float, 4> colour;
    glGetFloatv(GL_CURRENT_COLOR, colour.data());
    EXPECT_FLOAT_EQ(colour[0], 0);
    EXPECT_FLOAT_EQ(colour[1], 1);
    EXPECT_FLOAT_EQ(colour[2], 0.2f);
}

} // namespace
