#include "audio/audio.h"

#include <SDL/SDL_mixer.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "audio/placement.h"
#include "audio/sound_file.h"

namespace {

// Channels 0 to 2 hold the loops, 3 to 5 the ship's own sounds; both are kept from the world's
// sounds, so a crowd of explosions never takes the ship's voice.
constexpr int firstShipChannel = 3;
constexpr int firstWorldChannel = 6;
constexpr int shipGroup = 1;
constexpr int worldGroup = 2;
constexpr int loopFadeMs = 40;
// A device buffer of 1024 frames: about 46 ms at this rate.
constexpr int mixRate = 22050;
constexpr int mixBufferFrames = 1024;
// The far ear keeps a fifth of a sound placed wholly to one side.
constexpr float farEarFloor = 0.2f;
// With n world sounds playing, the next one plays at (1 + n) to the power of minus this.
constexpr double crowdDamping = 0.75;

void scaleStereo(const unsigned char* from, unsigned char* to, size_t bytes, float left,
                 float right) {
    for (size_t i = 0; i + 4 <= bytes; i += 4) {
        Sint16 pair[2];
        std::memcpy(pair, from + i, sizeof pair);
        pair[0] = static_cast<Sint16>(std::lround(pair[0] * left));
        pair[1] = static_cast<Sint16>(std::lround(pair[1] * right));
        std::memcpy(to + i, pair, sizeof pair);
    }
}

// Opens the device with standard error pointed at /dev/null: a sound library that finds no sound
// card writes a page of its own complaints there, where the game says it once, in one line.
bool openDevice() {
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const int null = ::open("/dev/null", O_WRONLY);
    if (saved >= 0 && null >= 0)
        dup2(null, STDERR_FILENO);
    const bool opened = Mix_OpenAudio(mixRate, AUDIO_S16SYS, 2, mixBufferFrames) == 0;
    if (saved >= 0 && null >= 0)
        dup2(saved, STDERR_FILENO);
    for (int fd : {saved, null})
        if (fd >= 0)
            close(fd);
    return opened;
}

} // namespace

void Audio::open(const AudioOptions& options) {
    muted_ = options.muted;
    master_ = static_cast<float>(std::clamp(options.volume, 0, 100)) / 100;
    if (!openDevice()) {
        std::fprintf(stderr, "orrisk: playing without sound: %s\n", Mix_GetError());
        return;
    }
    opened_ = true;
    Mix_AllocateChannels(channelCount);
    Mix_ReserveChannels(firstWorldChannel);
    Mix_GroupChannels(firstShipChannel, firstWorldChannel - 1, shipGroup);
    Mix_GroupChannels(firstWorldChannel, channelCount - 1, worldGroup);
    loadSounds();
}

void Audio::loadSounds() {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < soundFileCount; ++i) {
        std::string reason;
        SoundFormat format;
        if (readSoundFile(soundFiles[i], bytes, reason) &&
            readSoundHeader(bytes.data(), bytes.size(), format, reason)) {
            SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
            chunks_[i] = source ? Mix_LoadWAV_RW(source, 1) : nullptr;
            if (!chunks_[i])
                reason = Mix_GetError();
        }
        if (!chunks_[i]) {
            std::fprintf(stderr, "orrisk: %s: %s; that sound is silent\n", soundFiles[i],
                         reason.c_str());
            continue;
        }
        if (i < oneShotSoundCount && placedInWorld(static_cast<SoundKind>(i)))
            makePannedCopies(i);
    }
}

void Audio::makePannedCopies(size_t sound) {
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    // A device that took another format than asked plays the sound from the middle.
    if (!Mix_QuerySpec(&rate, &format, &channels) || format != AUDIO_S16SYS || channels != 2)
        return;
    const Mix_Chunk& source = *chunks_[sound];
    for (int step = 0; step < panSteps; ++step) {
        const float pan = -1 + 2.0f * static_cast<float>(step) / (panSteps - 1);
        const float left = pan > 0 ? 1 - (1 - farEarFloor) * pan : 1;
        const float right = pan < 0 ? 1 + (1 - farEarFloor) * pan : 1;
        std::vector<unsigned char> samples(source.alen);
        scaleStereo(source.abuf, samples.data(), samples.size(), left, right);
        pannedSamples_.push_back(std::move(samples));
        panned_[sound][step] = Mix_QuickLoad_RAW(pannedSamples_.back().data(), source.alen);
    }
}

int Audio::volumeFor(float gain) const {
    return static_cast<int>(std::lround(MIX_MAX_VOLUME * master_ * std::clamp(gain, 0.0f, 1.0f)));
}

void Audio::playShipSound(size_t sound) {
    if (!chunks_[sound])
        return;
    int channel = Mix_GroupAvailable(shipGroup);
    if (channel < 0) {
        channel = Mix_GroupOldest(shipGroup);
        Mix_HaltChannel(channel);
    }
    Mix_Volume(channel, volumeFor(1));
    Mix_PlayChannel(channel, chunks_[sound], 0);
}

void Audio::playWorldSound(size_t sound, point listener, point source) {
    const Placement at = placeSound(listener, source);
    const int step = static_cast<int>(std::lround((at.pan + 1) / 2 * (panSteps - 1)));
    Mix_Chunk* chunk = panned_[sound][step] ? panned_[sound][step] : chunks_[sound];
    if (!chunk || at.gain <= 0)
        return;
    // A sound starting among others is quieter the more there are, so a crowd of explosions
    // stays below clipping with the ship's own sounds on top.
    int others = 0;
    for (int c = firstWorldChannel; c < channelCount; ++c)
        others += Mix_Playing(c) != 0;
    const float crowded = static_cast<float>(std::pow(1 + others, -crowdDamping));
    int channel = Mix_GroupAvailable(worldGroup);
    if (channel < 0) {
        // Every world channel is busy: the farthest sound gives way to a nearer one.
        channel = firstWorldChannel;
        for (int c = firstWorldChannel; c < channelCount; ++c)
            if (worldGain_[c] < worldGain_[channel])
                channel = c;
        if (worldGain_[channel] >= at.gain)
            return;
        Mix_HaltChannel(channel);
    }
    worldGain_[channel] = at.gain;
    Mix_Volume(channel, volumeFor(at.gain * crowded));
    Mix_PlayChannel(channel, chunk, 0);
}

void Audio::followLoop(LoopSound loop, bool wanted) {
    Mix_Chunk* chunk = chunks_[soundIndex(loop)];
    const int channel = static_cast<int>(loop);
    if (!chunk)
        return;
    const bool sounding = Mix_Playing(channel) && Mix_FadingChannel(channel) != MIX_FADING_OUT;
    if (wanted && !sounding) {
        Mix_HaltChannel(channel);
        Mix_Volume(channel, volumeFor(1));
        Mix_FadeInChannel(channel, chunk, -1, loopFadeMs);
    } else if (!wanted && sounding) {
        Mix_FadeOutChannel(channel, loopFadeMs);
    }
}

void Audio::play(SoundEvents& events, const Player& ship, FlightKeys keys) {
    if (opened_ && !muted_) {
        // One sound of a kind a frame, the nearest: many copies of one sound started together
        // add up in step and clip.
        const SoundEvent* nearest[oneShotSoundCount] = {};
        for (const SoundEvent& event : events) {
            const SoundEvent*& kept = nearest[soundIndex(event.kind)];
            if (!kept || pointDistance(ship.position, event.position) <
                             pointDistance(ship.position, kept->position))
                kept = &event;
        }
        for (size_t i = 0; i < oneShotSoundCount; ++i) {
            if (!nearest[i])
                continue;
            if (placedInWorld(nearest[i]->kind))
                playWorldSound(i, ship.position, nearest[i]->position);
            else
                playShipSound(i);
        }
        const bool flying = !ship.isLanded();
        followLoop(LoopSound::thrust, flying && ship.flameLevel > 0);
        followLoop(LoopSound::reverse, flying && keys.reverse && !keys.forward);
        followLoop(LoopSound::laser, ship.beamShown);
    }
    events.clear();
}

void Audio::setPaused(bool paused) {
    if (!opened_ || paused == paused_)
        return;
    paused_ = paused;
    if (paused)
        Mix_Pause(-1);
    else
        Mix_Resume(-1);
}

void Audio::toggle() {
    muted_ = !muted_;
    if (opened_ && muted_)
        Mix_HaltChannel(-1);
}
