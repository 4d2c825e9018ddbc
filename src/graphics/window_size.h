#pragma once

// The window size in pixels; the panels and projections are placed by it.
extern int w;
extern int h;
