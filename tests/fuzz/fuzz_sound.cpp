#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "audio/sound_file.h"
#include "fuzz_support.h"

// The mixer converts what it loads to the device's format, so a device is opened once, on SDL's
// dummy driver, and every input goes the game's whole way: header check, then the mixer's load.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_AUDIO) != 0 || Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 1024) != 0)
        std::abort();
    return 0;
}

// Any bytes as a sound file: refused with a reason, or within the limits and playable.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SoundFormat format;
    std::string reason;
    if (!readSoundHeader(data, size, format, reason)) {
        require(!reason.empty(), "a refusal without a reason");
        return 0;
    }
    require(size <= soundFileLimit, "a file above the size limit");
    require(format.dataBytes > 0 && format.dataBytes < size, "samples outside the file");
    require(format.dataBytes <= static_cast<size_t>(format.rate) * soundSecondsLimit * 4,
            "samples beyond the length limit");
    if (Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(data, static_cast<int>(size)), 1))
        Mix_FreeChunk(chunk);
    soundDecodes(data, size, reason);
    return 0;
}
