// Ellipse templates against the x87 build's table, the truth: they are defined in 80-bit extended precision,
// its `long double`. Written by `--write FILE` built on x86-64 with src/shapes/generators.cpp of cadd6d0.
#include <cstdio>
#include <fstream>
#include <string>

#include "shapes/generators.h"

int main(int argc, char** argv) {
    std::string want(1 << 18, 0), got;
    const size_t held = std::ifstream(argv[argc - 1], std::ios::binary).read(want.data(), 1 << 18).gcount();
    size_t wrong = 0;
    const auto put = [&](int x, int y, const char* what, auto... args) {
        got += {char(x), char(y)};
        if (argc == 2 && want.compare(got.size() - 2, 2, got, got.size() - 2, 2) && ++wrong <= 20)
            std::printf(what, args...), std::printf(" = (%d, %d), not as in the x87 build's table\n", x, y);
    };
    const int spread[] = {0, 1, 2, 3, 4, 12, 64, 100, 127, 128, 200, 201, 252, 255};
    const auto sinus = [&](int angle, bool all) {  // pairs of unequal sizes catch x and y mixed up
        for (int i = 0, n = all ? 256 : 14; i < n; ++i) {
            const int a = all ? i : spread[i], b = all ? (i + 5) % n : spread[(i + 5) % n];
            put(lp::Sinus(angle, a, b).x, lp::Sinus(angle, a, b).y, "Sinus(%d, %d, %d)", angle, a, b);
        }
    };
    for (int angle = -1080; angle <= 1080; ++angle) sinus(angle, angle % 30 == 0);  // 0, ±1/2, ±1: all sizes
    for (int k = -64; k <= 64; ++k)  // far angles, up to the ends of the 32-bit range
        for (int d : {0, 1, 30, 60, 90, 120, 150, 180}) sinus(k * 33554393 - k * 33554393 % 30 + d, false);
    for (int j = 0; j < 24; ++j) {  // every mode whole and half; the arc leaves points 128..255 as they were
        const int sx = j * 53 % 256, sy = 255 - j * 29 % 256, opt = 1 + j * 11, mode = j % 12 + 1;
        lp::Coords X{}, Y{};
        lp::GreateCucle(X, Y, sx, sy, opt, mode, j / 12);
        for (int i = 0; i < lp::kPointCount; ++i)
            put(X[i], Y[i], "GreateCucle(%d, %d, %d, %d, %d) point %d", sx, sy, opt, mode, j / 12, i);
    }
    if (argc == 3) return !(std::ofstream(argv[2], std::ios::binary) << got);
    std::printf("%zu of %zu placements differ; the table holds %zu\n", wrong, got.size() / 2, held / 2);
    return wrong > 0 || held != got.size();
}
