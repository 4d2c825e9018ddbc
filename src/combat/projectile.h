#pragma once
#include "core/geometry.h"

struct WorldState;
class ShipPositions;

// A shot in flight: a bullet (type 0) or a shockwave shell (type 2).
class Projectile {
  public:
    // Half the side of a shot's square sprite.
    static constexpr float spriteHalfSize = 20;
    int type;
    float theta;
    bool bounces;
    point position;
    int life;
    point velocity;
    float damage;

    Projectile(point position, float dx, float dy, float speed, WorldState& world, int type,
               bool bounces, int life, float vx, float vy);

    void calcTheta();
    void addVelocity(point v) {
        velocity.x += v.x;
        velocity.y += v.y;
    }
    bool update(int ms, WorldState& world, unsigned now);
    // The same, with the world's ships gathered once for the whole projectile pass.
    bool update(int ms, WorldState& world, unsigned now, const ShipPositions& ships);
    bool handleCollision(point previous, WorldState& world, unsigned now);
    bool handleCollision(point previous, WorldState& world, unsigned now, int hitRadius);
    bool handleCollision(point previous, const ShipPositions& ships, int hitRadius);
    // Bullets and shells have a sprite; other kinds are not drawn.
    static constexpr int noSprite = -1;
    int spriteSlot() const;
    // The sprite, its texture bound by the caller, so that shots alike bind it once.
    void drawQuad() const;

  private:
};
