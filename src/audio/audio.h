#pragma once
// The game's sound: opens the device through SDL_mixer, loads the sound files and plays what
// each frame's simulation recorded, with the engine and laser loops following the ship. Mixing
// runs on SDL's audio thread; nothing here allocates once start-up is over. Without a device
// the game plays silently, and a sound file the game cannot use leaves that sound silent.
#include <cstddef>
#include <vector>

#include "audio/sound_names.h"
#include "core/sound_events.h"
#include "player/player.h"

struct Mix_Chunk;

struct AudioOptions {
    bool muted = false;
    int volume = 100; // percent
};

class Audio {
  public:
    // Opens the device and reads the sound files from the working directory. Any failure is one
    // line on standard error; the game then goes on without sound.
    void open(const AudioOptions& options);
    // After a frame's steps: plays the recorded sounds as heard from the ship, empties the list,
    // and starts or stops the loops by what the ship does.
    void play(SoundEvents& events, const Player& ship, FlightKeys keys);
    // Pausing holds every sound where it is; resuming goes on from there.
    void setPaused(bool paused);
    // Sound off (every sound stops) or on again.
    void toggle();

  private:
    static constexpr int panSteps = 5;
    static constexpr int channelCount = 16;

    void loadSounds();
    void makePannedCopies(size_t sound);
    void playShipSound(size_t sound);
    void playWorldSound(size_t sound, point listener, point source);
    void followLoop(LoopSound loop, bool wanted);
    int volumeFor(float gain) const;

    bool opened_ = false;
    bool muted_ = false;
    bool paused_ = false;
    float master_ = 1;
    Mix_Chunk* chunks_[soundFileCount] = {};
    // Placed sounds in panSteps versions from left to right, made once at start-up.
    Mix_Chunk* panned_[soundFileCount][panSteps] = {};
    std::vector<std::vector<unsigned char>> pannedSamples_;
    // How loud each world channel's sound started, to drop the farthest when all are busy.
    float worldGain_[channelCount] = {};
};
