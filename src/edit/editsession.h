#pragma once

#include <QString>

#include <cstdint>

// What the colour command remembers between uses while the program runs:
// the channels of the colour last chosen. Nothing of it is saved.
class EditSession {
public:
    // The colour being chosen: it carries into the colour dialog and back.
    std::int16_t mR = 0, mG = 0, mB = 0;
};
