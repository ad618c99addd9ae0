#include "RandomDraw.h"

std::mt19937& randomLookGenerator() {
    static std::mt19937 generator{std::random_device{}()};
    return generator;
}

RandomCells drawRandomCells(std::mt19937& generator, int filterCells, int frameCells, int lightCells) {
    const auto draw = [&generator](int cells) { return cells > 0 ? int(generator() % unsigned(cells)) : -1; };
    RandomCells cells;
    cells.filter = draw(filterCells);
    cells.frame = draw(frameCells);
    cells.light = draw(lightCells);
    return cells;
}
