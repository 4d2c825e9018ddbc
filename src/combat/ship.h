#pragma once
#include "core/geometry.h"

struct WorldState;
class Player;

// The behaviour of the enemies that chase the player to ram it.
constexpr int chaserBehaviour = 1;

// An enemy ship: it chases, flees from or circles the player and rams it.
class Ship {
  public:
    point position;
    float theta;
    int ai;
    point velocity;
    float acceleration;
    float maxSpeed;
    float health;
    float ramDamage;

    Ship(point position, int type);

    float getTheta() const { return theta; }
    void addVelocity(point v) {
        velocity.x += v.x;
        velocity.y += v.y;
    }
    bool takeDamage(float amount) {
        health -= amount;
        return health > 0;
    }
    void calcTheta();
    bool update(int ms, WorldState& world, Player* player);
    // One steering step toward or away from the player, d being the length of toPlayer.
    void steer(point toPlayer, float d);
    // A chaser's step in survival: for the player, or round the reach of a star or planet that
    // lies in the way.
    void steerRoundBodies(const WorldState& world, point playerPosition);
    // Scales the velocity down to maxSpeed; a negative maxSpeed sets no limit.
    void limitSpeed();
};
