"""The generated sprites in the running game: the dust backdrop fills the field, the cursor
crosshair follows the mouse, and near the field's corner the white boundary and the red one below
it appear where the camera puts them, with nothing but black beyond."""

import sys
import unittest

from harness import Game

WIDTH, HEIGHT = 1280, 1024
PIXELS_PER_UNIT = HEIGHT / 4000  # the initial view is 4000 game units tall
# The player 1000 units inside the top-right corner, at rest.
PLAYER = "99000 99000 0.0015 0.012 0.0035 100 50\n"
# Relative mouse motion and the cursor it gives: 0.15 percent of the view per unit of motion.
MOUSE_DX, MOUSE_DY = -200, 150
CURSOR_X = round((50 + MOUSE_DX * 0.15) / 100 * WIDTH)
CURSOR_Y = round((1 - (50 - MOUSE_DY * 0.15) / 100) * HEIGHT)


def brightness(pixel):
    return max(pixel)


def pixels_in(image, x0, y0, x1, y1):
    return [image.pixel(x, y) for y in range(y0, y1) for x in range(x0, x1)]


def is_white(p):
    return min(p) > 180


def is_red(p):
    return p[0] > 150 and p[1] < 60 and p[2] < 60


class SpritesInTheScene(unittest.TestCase):
    def test_backdrop_cursor_and_boundary_at_the_corner(self):
        with Game() as game:
            game.write_file("playerdata.txt", PLAYER)
            game.start()
            game.wait_for_line("Done with that, now starting main loop", timeout=60)
            before = game.settled_screenshot("before.png")
            game.mouse_move_relative(MOUSE_DX, MOUSE_DY)
            after = game.settled_screenshot("after.png")
            game.key("q")
            self.assertEqual(game.wait_exit(timeout=15), 0)
            self.assertEqual([l for l in game.lines() if l.startswith("SOIL")], [])

        # The white square's corner 1000 units right of and above the player, the red one at
        # about half that distance (camera distances 10001 and 20001).
        white_x = round(WIDTH / 2 + 1000 * PIXELS_PER_UNIT)
        white_y = round(HEIGHT / 2 - 1000 * PIXELS_PER_UNIT)
        red_x = round(WIDTH / 2 + 1000 * 10001 / 20001 * PIXELS_PER_UNIT)
        red_y = round(HEIGHT / 2 - 1000 * 10001 / 20001 * PIXELS_PER_UNIT)
        column = lambda x, test: sum(
            1 for y in range(white_y + 20, 800) for dx in (-1, 0, 1) if test(after.pixel(x + dx, y)))
        row = lambda y, test: sum(
            1 for x in range(250, white_x - 20) for dy in (-1, 0, 1) if test(after.pixel(x, y + dy)))
        self.assertGreater(column(white_x, is_white), 400, "white edge line missing")
        self.assertGreater(row(white_y, is_white), 400, "white edge line missing")
        self.assertGreater(column(red_x, is_red), 300, "red lower square missing")
        self.assertGreater(row(red_y, is_red), 300, "red lower square missing")

        # Beyond the field there is no backdrop; inside it the dust shows stars on black.
        outside = pixels_in(after, white_x + 10, white_y + 10, WIDTH, HEIGHT) + pixels_in(
            after, 300, 210, WIDTH - 210, white_y - 10)
        self.assertLess(sum(1 for p in outside if brightness(p) > 30), len(outside) // 200)
        inside = pixels_in(after, 10, white_y + 10, red_x - 10, 850)
        stars = sum(1 for p in inside if brightness(p) > 120)
        self.assertGreater(stars, 30, "no stars in the backdrop")
        self.assertLess(sum(brightness(p) for p in inside) / len(inside), 40)

        # The cursor moved from the player to where the mouse sent it.
        changed = [
            (x, y)
            for y in range(CURSOR_Y - 12, CURSOR_Y + 13)
            for x in range(CURSOR_X - 12, CURSOR_X + 13)
            if brightness(after.pixel(x, y)) - brightness(before.pixel(x, y)) > 60
        ]
        self.assertGreater(len(changed), 25, "no crosshair where the cursor went")
        # The crosshair is symmetric, so its drawn pixels centre on the cursor.
        mean_x = sum(x for x, _ in changed) / len(changed)
        mean_y = sum(y for _, y in changed) / len(changed)
        self.assertAlmostEqual(mean_x, CURSOR_X, delta=1.5)
        self.assertAlmostEqual(mean_y, CURSOR_Y, delta=1.5)


if __name__ == "__main__":
    sys.exit(0 if unittest.main(exit=False).result.wasSuccessful() else 1)
