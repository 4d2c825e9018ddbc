#pragma once
#include <string>

// A position or a vector in game units; a plain pair, arithmetic is written out by its users.
struct point {
    float x;
    float y;
};

// A rectangle of the plane, such as the part of the world in view, in game units.
struct ViewRect {
    float left;
    float right;
    float bottom;
    float top;
};

// Whether a sprite centred at centre and reaching reach from it in every direction can touch
// the rectangle; a sprite that cannot is not worth sending to OpenGL.
bool mayTouch(const ViewRect& rect, point centre, float reach);
// How far a square sprite of the given half side reaches, turned any way: half its diagonal.
constexpr float turnedReach(float halfSide) {
    return halfSide * 1.4143f;
}

// The playing field is the square from -fieldHalfSize to +fieldHalfSize on both axes.
constexpr float fieldHalfSize = 100000.0f;

// A growing angle is the plain sum of its steps, as long as a float of its size still resolves
// the step it took; once it does not, whole turns come off it (radians or degrees), so that a
// game running for days keeps moving by its steps. `sum` is the angle after the step.
float radiansAfterStep(float sum, double step);
float degreesAfterStep(float sum, double step);

float square(float v);
std::string toString(float v);
bool intersectCircleLine(point a, point b, point c, float r);
// The zero vector has no direction: it normalises to (0, 0) instead of NaN.
point normalize(point v);
float pointDistance(point a, point b);
float randLoc();
// The spawn coordinate that a given rand() value produces.
float randLocFrom(int n);
point gameToPixel(point p);
float gameToPixel(int v);
int pixelToGame(int v);
int pixelToGame(float v);
point mouseToGame(point m, float left, float right, float bottom, float top);
