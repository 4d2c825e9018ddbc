#pragma once
// Sound files come from mods, so their bytes are untrusted: only plain PCM WAV is taken, its
// RIFF header is read here first, and the size and format it declares are checked against the
// file and against fixed limits before any decoder sees it or sets memory aside for it. SDL's
// own WAV reader then decodes what passed.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The largest sound file read, and the longest sound: effects are short.
constexpr size_t soundFileLimit = 2 * 1024 * 1024;
constexpr int soundSecondsLimit = 10;

// What the header of a WAV file declares.
struct SoundFormat {
    int channels = 0;
    int rate = 0;
    int bits = 0;
    size_t dataBytes = 0;
};

// Reads the RIFF header of data; false with reason set when it is not a PCM WAV within the limits
// whose sample data lies wholly inside the file.
bool readSoundHeader(const uint8_t* data, size_t size, SoundFormat& format, std::string& reason);

// The whole file, read only when its size is within soundFileLimit; false with reason otherwise.
bool readSoundFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& reason);

// The header check, then SDL's decoder over the bytes; false with reason when either refuses.
// The decoded samples are not kept: this tells whether the game could use the file.
bool soundDecodes(const uint8_t* data, size_t size, std::string& reason);
