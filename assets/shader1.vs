#version 120
// Wormhole swirl. Each layer quad (corners -1..1, z = layer fraction) becomes one particle that
// spirals from the rim into the centre along one of three arms while the whole vortex turns.
// Inputs: the layer fraction, the running time in seconds and the wormhole's radius in game units.

uniform float time_0_X;
uniform float particleSystemHeight;

varying vec2 corner;
varying vec4 tint;

// Fixed pseudo-random value in 0..1 for one layer; seed picks one of several per layer.
float hash(float layer, float seed) {
    return fract(sin(layer * 91.3458 + seed * 47.853) * 43758.5453);
}

const float turn = 6.2831853;

void main() {
    float layer = gl_Vertex.z;
    float radius = max(particleSystemHeight, 1.0);
    // The clock is a tick count that can run for hours: keep the angles small.
    float time = mod(time_0_X, 600.0);

    float life = mix(2.6, 4.2, hash(layer, 1.0));
    float age = fract(time / life + hash(layer, 2.0));
    // 1 at the rim, 0 at the eye; particles speed up as they fall in.
    float fall = pow(1.0 - age, 0.75);
    float orbit = radius * (0.1 + 0.95 * fall) * mix(0.94, 1.06, hash(layer, 3.0));
    float arm = floor(hash(layer, 4.0) * 3.0) / 3.0 * turn;
    float angle = arm + 1.4 * turn * (1.0 - fall) + time * 0.45 + (hash(layer, 5.0) - 0.5) * 0.25;
    vec2 centre = orbit * vec2(cos(angle), sin(angle));
    float size = radius * mix(0.05, 0.1, hash(layer, 6.0)) * (0.55 + 0.45 * fall);
    vec3 rim = vec3(0.45, 0.7, 1.0);
    vec3 core = vec3(0.75, 0.4, 1.0);
    vec3 colour = mix(core, rim, fall);
    float alpha = pow(sin(3.14159265 * age), 0.7) * 0.5;

    // The first few layers are no particles but the steady glow of the eye.
    if (layer < 0.04) {
        centre = vec2(0.0);
        size = radius * (0.35 + 0.05 * sin(time * 2.0 + layer * 150.0));
        colour = vec3(0.6, 0.6, 1.0);
        alpha = 0.12;
    }

    gl_Position = gl_ModelViewProjectionMatrix * vec4(centre + gl_Vertex.xy * size, 0.0, 1.0);
    corner = gl_Vertex.xy;
    tint = vec4(colour, alpha);
}
