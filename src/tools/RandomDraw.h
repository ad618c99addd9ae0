#pragma once

#include <random>

// The cells of a random look, one per list; -1 where the list holds no cell.
struct RandomCells {
    int filter = -1;
    int frame = -1;
    int light = -1;

    friend bool operator==(const RandomCells&, const RandomCells&) = default;
};

// The generator of random looks: seeded once per run from the system's entropy source, so two
// presses within the same second still give two different looks.
std::mt19937& randomLookGenerator();

// Draws the filter cell, then the frame cell, then the light cell, each modulo the cells its
// list holds.
RandomCells drawRandomCells(std::mt19937& generator, int filterCells, int frameCells, int lightCells);
