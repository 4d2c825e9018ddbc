#pragma once
#include "core/geometry.h"
#include "graphics/emitter.h"
#include "player/trail.h"

struct WorldState;

// The held flight keys of one frame.
struct FlightKeys {
    bool forward;   // W
    bool reverse;   // S
    bool turnLeft;  // A, counter-clockwise
    bool turnRight; // D, clockwise
};

class Player {
  public:
    point position;
    int weapon;
    int weaponOffset;
    bool warpReady;
    bool outsideWormholes;
    bool landed;
    int takeoffDelay;
    point velocity;
    float thrustPower;
    float reversePower;
    float turnRate;
    float angle;
    float health;
    float radius;
    unsigned nextShotTime; // the tick after which the next shot may go; 0: at once
    int takeoffCharge;
    float flameLevel;
    Emitter engineFlame;
    int world;
    Trail trail;
    // The laser beam fired in the last step, kept for drawing.
    bool beamShown = false;
    point beamAim{0, 0};
    point beamEnd{0, 0};

    Player(point position, float thrustPower, float reversePower, float turnRate, float health,
           float radius);

    int getWorld() const { return world; }
    void warpWorld(int w) { world = w; }
    float getRadius() const { return radius; }
    void setLanded() {
        landed = true;
        takeoffDelay = 300;
    }
    bool isLanded() const { return landed; }
    void setVelocity(point v) { velocity = v; }
    void addVelocity(point v) {
        velocity.x += v.x;
        velocity.y += v.y;
    }
    point getVelocity() const { return velocity; }
    void setAngle(float radians) { angle = radians; }
    float getAngle() const { return static_cast<float>(angle * 57.2958 - 90); }
    void takeDamage(float amount) { health -= amount; }
    float getHealth() const { return health; }

    void turnCW(int ms);
    void turnCCW(int ms);
    void forwardThrust(int ms);
    void reverseThrust(int ms);
    // One step of input and motion with the held keys given.
    void update(int ms, FlightKeys keys);
    // The engine flame's clock moves on with the ship's; drawn by drawTrail.
    void advanceFlame(int ms);
    void drawTrail();
    void draw();
    void drawBeam() const;
    void shoot(unsigned now, WorldState& world, point target, int ms);
    // The beam for one step: damages the nearest unshielded ship on it and returns where the
    // beam ends (that ship's centre, or the field's edge); drawBeam draws it.
    point fireLaser(WorldState& world, point target, int ms);
    // Bullet or shell n, once the ship has reloaded and the target is clear of the ship.
    void fireProjectile(int n, unsigned now, WorldState& world, point target);
};

// A ship in flight moves on by ms along its velocity and stops short at the field's edge.
void coast(point& position, point& velocity, int ms);

// Where a beam from `from` along d leaves the field; an axis along which d is 0 runs parallel to
// that pair of edges and does not limit the beam. `from` itself when d is zero.
point beamEdgePoint(point from, point d);
