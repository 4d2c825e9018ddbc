// orrisk-sounds DIR: synthesises the game's sound effects into DIR as 16-bit mono WAV files, the
// same bytes on every run. Modders replace any of them with their own.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "effects.h"

namespace {

void put16(std::FILE* f, unsigned v) {
    const unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
    std::fwrite(b, 1, 2, f);
}

void put32(std::FILE* f, uint32_t v) {
    put16(f, v & 0xffff);
    put16(f, v >> 16);
}

bool writeWav(const std::string& path, const Wave& wave) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const uint32_t dataBytes = static_cast<uint32_t>(wave.size() * 2);
    std::fwrite("RIFF", 1, 4, f);
    put32(f, 36 + dataBytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    put32(f, 16);
    put16(f, 1); // PCM
    put16(f, 1); // mono
    put32(f, sampleRate);
    put32(f, sampleRate * 2);
    put16(f, 2);
    put16(f, 16);
    std::fwrite("data", 1, 4, f);
    put32(f, dataBytes);
    for (float v : wave) {
        const long s = std::lround(std::fmax(-1.0f, std::fmin(1.0f, v)) * 32767);
        put16(f, static_cast<unsigned>(s) & 0xffff);
    }
    return std::fclose(f) == 0;
}

struct Effect {
    const char* file;
    Wave (*make)();
};

const Effect effects[] = {
    {"shot.wav", bulletShot},
    {"shell.wav", shellLaunch},
    {"shockwave.wav", shockwaveBurst},
    {"explosion.wav", enemyExplosion},
    {"ram.wav", ramOnShip},
    {"landing.wav", landing},
    {"crash.wav", crashLanding},
    {"takeoff.wav", takeOff},
    {"jump.wav", wormholeJump},
    {"arrival.wav", arrival},
    {"thrust.wav", thrustLoop},
    {"reverse.wav", reverseLoop},
    {"laser.wav", laserLoop},
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: orrisk-sounds DIR\n", stderr);
        return 2;
    }
    for (const Effect& effect : effects) {
        const std::string path = std::string(argv[1]) + "/" + effect.file;
        if (!writeWav(path, effect.make())) {
            std::fprintf(stderr, "orrisk-sounds: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
