#version 120
// Engine flame particle: the flame sprite's soft blob, tinted by the particle's age.

uniform sampler2D Flame;

varying vec2 corner;
varying vec4 tint;

void main() {
    vec4 shape = texture2D(Flame, corner * 0.5 + 0.5);
    // The round falloff keeps square quad edges from ever showing, whatever the sprite holds.
    float falloff = 1.0 - smoothstep(0.5, 1.0, length(corner));
    float density = dot(shape.rgb, vec3(1.0 / 3.0)) * shape.a * falloff;
    gl_FragColor = vec4(tint.rgb, tint.a * density);
}
