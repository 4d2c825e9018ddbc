#include "graphics/emitter.h"

#include <GL/glew.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "core/report_error.h"
#include "core/seeds.h"
#include "graphics/textures.h"

namespace {

// The uniform names in the order their locations are kept, and which of them is the sampler.
struct UniformLayout {
    const char* names[3];
    int sampler;
};

const UniformLayout layouts[2] = {
    {{"time_0_X", "particleHCthrust", "Flame"}, 2},
    {{"time_0_X", "Flame", "particleSystemHeight"}, 1},
};

// A value of set 0 truncated toward zero, or fallback when absent or outside int range.
int setZeroValue(const EmitterFile& params, size_t row, int fallback) {
    if (params.empty() || params[0].size() <= row || params[0][row].empty())
        return fallback;
    const float v = std::trunc(params[0][row][0]);
    if (!(v >= -1e9f && v <= 1e9f))
        return fallback;
    return static_cast<int>(v);
}

} // namespace

Emitter::Emitter(EmitterFile sets)
    : angle(0), position{0, 0}, params(std::move(sets)), uniformLocations(), elapsed(0) {
    std::printf("Emitter construct\n");
    std::srand(takeSeed());
    reportError();
    std::printf("shader size: %zu\n", shaders.size());

    // Only an exact 0 or 1 selects a layout; anything else leaves the emitter without a program.
    if (params.empty() || params[0].size() < 12 || params[0][11].empty())
        return;
    const float k = params[0][11][0];
    if (k != 0.0f && k != 1.0f)
        return;
    const size_t index = static_cast<size_t>(k);
    // Without glewInit the entry points are null; without readShaders there is no program.
    if (index >= shaders.size() || !glUseProgram)
        return;
    const UniformLayout& layout = layouts[index];
    glUseProgram(shaders[index]);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, textures[texFlame]);
    for (const char* name : layout.names)
        uniformLocations.push_back(glGetUniformLocation(shaders[index], name));
    glUniform1i(uniformLocations[layout.sampler], 0);
    reportError();
    glUseProgram(0);
}

int Emitter::programIndex() const {
    const int index = setZeroValue(params, 11, -1);
    return index < 0 ? -1 : index;
}

int Emitter::layerCount() const {
    const int n = setZeroValue(params, 0, 0);
    if (n < 0)
        return 0;
    return n > maxLayerCount ? maxLayerCount : n;
}

bool Emitter::hasProgram() const {
    const int index = programIndex();
    return uniformLocations.size() == 3 && (index == 0 || index == 1) &&
           static_cast<size_t>(index) < shaders.size();
}

void Emitter::updateValue(const float& value, const int& index) {
    if (!hasProgram() || index < 0 || index >= static_cast<int>(uniformLocations.size()))
        return;
    glUseProgram(shaders[programIndex()]);
    glUniform1f(uniformLocations[index], value);
    glUseProgram(0);
}

void Emitter::update(int dt, point at, float degrees, bool flag) {
    position = at;
    angle = degrees;
    update(dt, flag);
}

void Emitter::update(int dt, bool /*flag*/) {
    advance(dt);
    draw();
}

void Emitter::advance(int dt) {
    // Unsigned sum: a clock fed tick counts wraps instead of overflowing.
    elapsed = static_cast<int>(static_cast<unsigned>(elapsed) + static_cast<unsigned>(dt));
}

void Emitter::draw() const {
    reportError();
    if (!hasProgram())
        return;
    glUseProgram(shaders[programIndex()]);
    glBindTexture(GL_TEXTURE_2D, textures[texFlame]);
    glUniform1f(uniformLocations[0], static_cast<float>(static_cast<unsigned>(elapsed)) / 1000.0f);

    glPushMatrix();
    glTranslatef(position.x, position.y, 0);
    glRotatef(angle, 0, 0, 1);
    glTranslatef(0, 20, 0);
    const int n = layerCount();
    glBegin(GL_QUADS);
    for (int i = 0; i < n; ++i) {
        const float z = static_cast<float>(i) / static_cast<float>(n);
        glVertex3f(-1, -1, z);
        glVertex3f(-1, 1, z);
        glVertex3f(1, 1, z);
        glVertex3f(1, -1, z);
    }
    glEnd();
    glPopMatrix();
    reportError();
    glUseProgram(0);
}
