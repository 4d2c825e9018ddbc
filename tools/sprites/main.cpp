// Writes the game's sprites, or its desktop icons, into a directory:
//   orrisk-sprites DIR           every sprite of the texture table
//   orrisk-sprites --icons DIR   orrisk-<N>.png for each icon size N
#include <cstdio>
#include <string>

#include "sprites.h"

namespace {

bool save(const Image& image, const std::string& path) {
    if (writeImage(image, path))
        return true;
    std::fprintf(stderr, "orrisk-sprites: cannot write %s\n", path.c_str());
    return false;
}

int writeSprites(const std::string& dir) {
    for (const SpriteFile& file : spriteFiles())
        if (!save(file.paint(), dir + "/" + file.name))
            return 1;
    return 0;
}

int writeIcons(const std::string& dir) {
    for (int size : iconSizes())
        if (!save(paintIcon(size), dir + "/orrisk-" + std::to_string(size) + ".png"))
            return 1;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string first = argc > 1 ? argv[1] : "";
    if (argc == 2 && first != "--icons")
        return writeSprites(first);
    if (argc == 3 && first == "--icons")
        return writeIcons(argv[2]);
    std::fprintf(stderr, "usage: orrisk-sprites DIR | orrisk-sprites --icons DIR\n");
    return 2;
}
