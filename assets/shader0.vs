#version 120
// Engine flame. Each layer quad (corners -1..1, z = layer fraction) becomes one particle that is
// born near the nozzle and streams away along +y, which the emitter turns to point behind the ship.
// Inputs: the layer fraction, the running time in seconds and the thrust (0 idle, 1 full).

uniform float time_0_X;
uniform float particleHCthrust;

varying vec2 corner;
varying vec4 tint;

// Fixed pseudo-random value in 0..1 for one layer; seed picks one of several per layer.
float hash(float layer, float seed) {
    return fract(sin(layer * 91.3458 + seed * 47.853) * 43758.5453);
}

void main() {
    float layer = gl_Vertex.z;
    float thrust = clamp(particleHCthrust, 0.0, 1.0);

    // Idle, a third of the particles keep a small pilot glow alive at the nozzle.
    float alive = step(layer, mix(0.33, 1.0, thrust));

    // Each particle repeats its own short life, offset so that births are spread evenly.
    float life = mix(0.28, 0.5, hash(layer, 1.0));
    float age = fract(time_0_X / life + hash(layer, 2.0));

    float reach = mix(70.0, 420.0, thrust) * mix(0.7, 1.25, hash(layer, 3.0));
    float along = 14.0 + reach * age * (1.0 - 0.35 * age);
    float side = hash(layer, 4.0) * 2.0 - 1.0;
    float spread = side * mix(8.0, 30.0, thrust) * (0.3 + 0.7 * age);
    float wobble = sin(time_0_X * 19.0 + layer * 57.0) * mix(1.5, 6.0, thrust) * age;
    float size = mix(18.0, 32.0, thrust) * (1.0 - 0.55 * age) * mix(0.75, 1.25, hash(layer, 5.0));

    vec2 centre = vec2(spread + wobble, along);
    gl_Position = gl_ModelViewProjectionMatrix * vec4(centre + gl_Vertex.xy * size * alive, 0.0, 1.0);
    corner = gl_Vertex.xy;

    // White-hot at birth, orange in the middle of its life, dull red as it dies.
    vec3 hot = vec3(1.0, 0.95, 0.75);
    vec3 warm = vec3(1.0, 0.5, 0.12);
    vec3 cool = vec3(0.65, 0.1, 0.04);
    vec3 colour = age < 0.35 ? mix(hot, warm, age / 0.35) : mix(warm, cool, (age - 0.35) / 0.65);
    float fade = (1.0 - age) * smoothstep(0.0, 0.06, age);
    tint = vec4(colour, fade * mix(0.3, 0.38, thrust));
}
