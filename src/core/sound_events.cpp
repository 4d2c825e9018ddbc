#include "core/sound_events.h"

SoundEvents soundEvents;
