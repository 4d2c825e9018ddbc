#include "audio/sound_file.h"

#include <SDL/SDL.h>

#include <cstdio>
#include <cstring>

#include "core/data_file.h"

namespace {

uint32_t little32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t little16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

bool refuse(std::string& reason, const char* why) {
    reason = why;
    return false;
}

bool readFormatChunk(const uint8_t* body, size_t length, SoundFormat& format, std::string& reason) {
    if (length < 16)
        return refuse(reason, "format chunk too short");
    constexpr uint16_t pcm = 1;
    if (little16(body) != pcm)
        return refuse(reason, "not plain PCM");
    format.channels = little16(body + 2);
    format.rate = static_cast<int>(little32(body + 4));
    format.bits = little16(body + 14);
    if (format.channels < 1 || format.channels > 2)
        return refuse(reason, "neither mono nor stereo");
    if (format.rate < 8000 || format.rate > 48000)
        return refuse(reason, "sample rate outside 8000 to 48000 Hz");
    if (format.bits != 8 && format.bits != 16)
        return refuse(reason, "samples neither 8 nor 16 bits");
    return true;
}

} // namespace

bool readSoundHeader(const uint8_t* data, size_t size, SoundFormat& format, std::string& reason) {
    if (size > soundFileLimit)
        return refuse(reason, "file too large");
    if (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
        return refuse(reason, "not a RIFF WAVE file");
    bool formatSeen = false;
    size_t at = 12;
    // Chunks are walked in the order they come; the samples must follow the format.
    while (size - at >= 8) {
        const uint8_t* header = data + at;
        const size_t length = little32(header + 4);
        at += 8;
        if (length > size - at)
            return refuse(reason, "truncated: a chunk runs past the end of the file");
        if (std::memcmp(header, "fmt ", 4) == 0) {
            // The mixer reads the first format chunk and this the last: two could disagree on
            // the sample size, and the mixer would read past the samples.
            if (formatSeen)
                return refuse(reason, "two format chunks");
            if (!readFormatChunk(data + at, length, format, reason))
                return false;
            formatSeen = true;
        } else if (std::memcmp(header, "data", 4) == 0) {
            if (!formatSeen)
                return refuse(reason, "samples before the format chunk");
            const size_t frame = static_cast<size_t>(format.channels * format.bits / 8);
            if (length == 0 || length % frame != 0)
                return refuse(reason, "no whole samples");
            if (length / frame > static_cast<size_t>(format.rate) * soundSecondsLimit)
                return refuse(reason, "longer than 10 seconds");
            format.dataBytes = length;
            return true;
        }
        at += length + (length & 1);
        if (at > size)
            return refuse(reason, "truncated: a chunk runs past the end of the file");
    }
    return refuse(reason, formatSeen ? "no sample data" : "no format chunk");
}

bool readSoundFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& reason) {
    std::FILE* file = openDataFile(path);
    if (!file)
        return refuse(reason, "missing");
    // The size is asked before any memory is set aside for the contents.
    long length = -1;
    if (std::fseek(file, 0, SEEK_END) == 0)
        length = std::ftell(file);
    if (length < 0 || static_cast<unsigned long>(length) > soundFileLimit) {
        std::fclose(file);
        return refuse(reason, length < 0 ? "cannot be read" : "file too large");
    }
    std::rewind(file);
    bytes.resize(static_cast<size_t>(length));
    const size_t read = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    bytes.resize(read);
    if (read == 0)
        return refuse(reason, "empty");
    return true;
}

bool soundDecodes(const uint8_t* data, size_t size, std::string& reason) {
    SoundFormat format;
    if (!readSoundHeader(data, size, format, reason))
        return false;
    SDL_RWops* source = SDL_RWFromConstMem(data, static_cast<int>(size));
    SDL_AudioSpec decoded;
    Uint8* samples = nullptr;
    Uint32 length = 0;
    if (!source || !SDL_LoadWAV_RW(source, 1, &decoded, &samples, &length))
        return refuse(reason, "SDL cannot decode it");
    SDL_FreeWAV(samples);
    return true;
}
