#pragma once

#include <cstdint>

namespace scene::input {

// What an input device reports for one step: translation and rotation demands (0 when idle),
// the hat angle in degrees (-1 when centred) and the button bits.
struct InputState {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double rx = 0.0;
    double ry = 0.0;
    double rz = 0.0;
    double hat = -1.0;
    uint32_t buttons = 0;

    // The six demands by index: x, y, z, rx, ry, rz.
    double& Demand(int axis);
    double Demand(int axis) const;
    // Whether any of the six demands asks for motion.
    bool AsksForMotion() const;
};

enum InputAxis : int { kAxisX = 0, kAxisY, kAxisZ, kAxisRx, kAxisRy, kAxisRz, kAxisCount };

}  // namespace scene::input
