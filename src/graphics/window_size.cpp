#include "graphics/window_size.h"

int w = 1280;
int h = 1024;
