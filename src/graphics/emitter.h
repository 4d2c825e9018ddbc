#pragma once
#include <vector>

#include "core/geometry.h"
#include "graphics/emitter_data.h"

// A shader-driven particle effect: the CPU keeps only time, placement and uniform locations.
class Emitter {
  public:
    float angle;
    point position;
    EmitterFile params;
    std::vector<int> uniformLocations;
    int elapsed;

    explicit Emitter(EmitterFile params);

    // Index into shaders named by set 0, row 11; -1 when the sets do not name one.
    int programIndex() const;
    // Layer count from set 0, row 0; 0 when the sets do not give one.
    int layerCount() const;
    // True when the constructor found the program and its uniforms; otherwise the emitter only
    // keeps time and never touches GL programs.
    bool hasProgram() const;

    void updateValue(const float& value, const int& index);
    // advance, then draw at the given placement.
    void update(int dt, point position, float angle, bool flag);
    void update(int dt, bool flag);
    // The effect's own clock moves on by dt milliseconds; no drawing.
    void advance(int dt);
    void draw() const;
};
