"""The heads-up display in the real game: the radar and map panels in the top corners with the
player's blip at each centre, an enemy and a planet on the radar, a star on the map, and the five
status lines at the bottom left.

The panel sprites are replaced by flat colours and the backdrop by black, so every blip and every
text pixel can be told apart in a screenshot.
"""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Game, Image  # noqa: E402

W, H = 1280, 1024
RADAR_BG = (0, 0, 120)
MAP_BG = (0, 90, 90)
PLAYER = (0, 255, 0)
ENEMY = (255, 0, 0)
PLANET = (255, 0, 255)
STAR_DOT = (255, 51, 51)  # white dot tinted by the map's star colour (1, 0.2, 0.2)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)

# One star 60000 north of the start (off the radar, on the map 25.2 pixels above the centre) with
# a still planet 3000 north of the start (on the radar 24.75 pixels above the centre).
STARS = "0  0  60000  400  0.05  0  14  @North_Star\n"
PLANETS = "0  300  0.05  57000  0  270  0  0  10  @Near_Rock\n"
# Type 1 turns at once towards the player and flies at 10 units/ms, harmlessly: spawned anywhere
# in the field, enemies reach the radar within seconds even at a low frame rate.
SHIPS = "0  0  0  30  0\n1  5  10  30  0\n"


def flat_png(game, name, colour):
    Image(64, 64, bytes(colour) * 64 * 64).save_png(game.path(name))


def close(a, b, tolerance=3):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


def region(image, x0, y0, size):
    """Pixels of a square, with x and y from the top-left corner."""
    for y in range(y0, y0 + size):
        for x in range(x0, x0 + size):
            yield x, y, image.pixel(x, y)


def count(image, x0, y0, size, colour):
    return sum(1 for _, _, p in region(image, x0, y0, size) if close(p, colour))


def check_panels(image):
    # Backgrounds fill their 200-pixel corners and stop there.
    assert count(image, 0, 0, 200, RADAR_BG) > 0.85 * 200 * 200, "radar background"
    assert count(image, W - 200, 0, 200, MAP_BG) > 0.85 * 200 * 200, "map background"
    assert image.pixel(205, 100) != RADAR_BG and image.pixel(100, 205) != RADAR_BG
    assert image.pixel(W - 206, 100) != MAP_BG and image.pixel(W - 100, 205) != MAP_BG
    # The player at each panel's centre.
    assert close(image.pixel(100, 100), PLAYER), image.pixel(100, 100)
    assert close(image.pixel(W - 100, 100), PLAYER), image.pixel(W - 100, 100)
    # The planet on the radar although its star is out of range; the star on the map.
    assert close(image.pixel(100, 75), PLANET), image.pixel(100, 75)
    assert count(image, 0, 0, 200, (255, 255, 0)) == 0, "star drawn on the radar"
    assert close(image.pixel(W - 100, 75), STAR_DOT), image.pixel(W - 100, 75)


def white_extent(image, top, bottom):
    """Leftmost and rightmost white column in rows top..bottom of the left third, and count."""
    xs = [
        x
        for y in range(top, bottom)
        for x in range(0, W // 3)
        if close(image.pixel(x, y), WHITE, 40)
    ]
    return (min(xs), max(xs), len(xs)) if xs else (None, None, 0)


def check_status_text(image):
    # Baselines at 0, 30, ..., 120 pixels above the bottom; capitals rise about 28 pixels.
    for baseline in (0, 30, 60, 90, 120):
        top, bottom = H - baseline - 26, H - baseline - 4
        left, right, n = white_extent(image, top, bottom)
        assert n > 100, "no status line at baseline %d" % baseline
        assert left <= 6, "status line at %d starts at x %d" % (baseline, left)
    # "Player HP: 100": 14 characters of about 23 pixels each.
    _, right, _ = white_extent(image, H - 146, H - 124)
    assert 290 <= right <= 340, "health line ends at x %d" % right
    # Nothing white above the five lines on the left.
    assert white_extent(image, H - 400, H - 180)[2] == 0


def shows_hud(image):
    try:
        check_panels(image)
        check_status_text(image)
    except AssertionError:
        return False
    return True


def enemy_on_radar(game, timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        image = game.screenshot()
        if count(image, 0, 0, 200, ENEMY) > 0:
            return image
        game.key("equal")
    return None


def main():
    with Game() as game:
        game.write_file("stardata.txt", STARS)
        game.write_file("planetdata.txt", PLANETS)
        game.write_file("wormholedata.txt", "")
        game.write_file("shipdata.txt", SHIPS)
        flat_png(game, "radar.png", RADAR_BG)
        flat_png(game, "map.png", MAP_BG)
        flat_png(game, "playerRadar.png", PLAYER)
        flat_png(game, "enemyRadar.png", ENEMY)
        flat_png(game, "whiteDot.png", WHITE)
        flat_png(game, "mars.png", PLANET)
        flat_png(game, "bluestar.png", (255, 255, 0))
        flat_png(game, "dust.png", BLACK)
        # The ship at the origin, as the scene above is laid out round it.
        game.write_file("playerdata.txt", "0 0 0.0015 0.012 0.0035 100 50\n")
        game.start()
        game.wait_for_line("Done with that, now starting main loop", timeout=60)
        # The FPS line appears once a second of frames has been summed; a slow machine may take
        # longer to show the first frames.
        time.sleep(2)
        game.wait_frames(3)

        image = game.wait_for_screen(shows_hud, timeout=60)
        check_panels(image)
        check_status_text(image)

        assert enemy_on_radar(game, timeout=20) is not None, "no enemy came within radar range"

        game.key("q")
        assert game.wait_exit(timeout=10) == 0


if __name__ == "__main__":
    main()
