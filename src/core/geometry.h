#pragma once
#include <string>

// A position or a vector in game units; a plain pair, arithmetic is written out by its users.
struct point {
    float x;
    float y;
};

// The playing field is the square from -fieldHalfSize to +fieldHalfSize on both axes.
constexpr float fieldHalfSize = 100000.0f;

// An angle that only ever grows is kept within one turn (radians or degrees), so that a float
// keeps its precision however long the game runs; within a turn it is returned unchanged.
float withinTurn(float radians);
float withinTurnDegrees(float degrees);

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
