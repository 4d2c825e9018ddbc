#include "audio/sound_names.h"

const char* const soundFiles[soundFileCount] = {
    "shot.wav",    "shell.wav",   "shockwave.wav", "explosion.wav", "ram.wav",
    "landing.wav", "crash.wav",   "takeoff.wav",   "jump.wav",      "arrival.wav",
    "thrust.wav",  "reverse.wav", "laser.wav",
};
