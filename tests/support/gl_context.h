#pragma once
// The GL test window; every GL test draws into it and reads it back with glReadPixels.
constexpr int glTestWidth = 1280;
constexpr int glTestHeight = 1024;
