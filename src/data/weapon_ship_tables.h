#pragma once
#include "data/table_reader.h"

// Row = weapon number; columns: reload ms, muzzle speed, lifetime ms, damage.
extern Table WEAPONDATA;
// Row = enemy ship type; columns: behaviour, acceleration, top speed, hit points, ram damage.
extern Table SHIPDATA;

bool initializeWeaponArray();
bool initializeShipArray();
