#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "graphics/sprite_decoder.h"

// Any bytes as a sprite file: recognised or refused with a reason, and a decoded picture within
// the size limits with exactly the pixels it declares.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DecodedSprite sprite;
    std::string reason;
    if (!decodeSprite(data, size, spriteSideLimit, sprite, reason)) {
        require(!reason.empty(), "a refusal without a reason");
        return 0;
    }
    require(sprite.width >= 1 && sprite.width <= spriteSideLimit, "width outside the limit");
    require(sprite.height >= 1 && sprite.height <= spriteSideLimit, "height outside the limit");
    require(sprite.channels >= 1 && sprite.channels <= 4, "channel count");
    require(sprite.pixels.size() == static_cast<size_t>(sprite.width) * sprite.height *
                                        static_cast<size_t>(sprite.channels),
            "pixels not matching the declared size");
    return 0;
}
