#pragma once

struct Universe;

bool initializeStars(Universe& universe);
