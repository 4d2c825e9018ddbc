#pragma once
#include <string>

#include "core/geometry.h"

struct WorldState;
class Player;

// A planet on a circular orbit round its star; the player lands on it and is carried by it.
class Planet {
  public:
    point position;
    float landingAngle;
    float radius;
    float density;
    float orbitRadius;
    float orbitSpeed;
    float orbitAngle;
    float spinSpeed;
    float spinAngle;
    int texture;
    point velocity;
    std::string name;

    Planet(float radius, float density, float orbitRadius, float orbitSpeedDegrees,
           float orbitAngleDegrees, float spinSpeed, float spinAngle, int texture,
           std::string name);

    std::string getName() const { return name; }
    float getRadius() const { return radius; }
    void draw();
    void update(WorldState& world, Player* player, int dt, point starPosition);

  private:
    // The player is carried when landed close by, lands or crashes when touching, else is pulled.
    void affectPlayer(WorldState& world, Player& player, int dt);
    void carry(Player& player, int dt);
    void touch(WorldState& world, Player& player);
};

// One step along an orbit: orbitAngle moves on by dt ms and the planet's new centre is returned.
point orbitStep(float& orbitAngle, float orbitSpeed, float orbitRadius, point starPosition, int dt);
// Whether a ship of shipRadius at shipPosition is down on the planet (it lands or crashes).
bool touchesShip(point planetPosition, float planetRadius, point shipPosition, float shipRadius);
