#pragma once
#include <string>
#include <vector>

#include "bodies/planet.h"
#include "core/geometry.h"

struct WorldState;
class Player;

class Star {
  public:
    point position;
    std::vector<Planet> planets;
    float radius;
    float density;
    float extraValue;
    int texture;
    std::string name;

    Star(point position, float radius, float density, float extraValue, int texture,
         std::string name);

    std::string getName() const { return name; }
    void addPlanet(Planet planet) { planets.push_back(planet); }
    float getRadius() const { return radius; }
    int getTexture() const { return texture; }
    void update(WorldState& world, Player* player, int dt);
    void draw();
};
