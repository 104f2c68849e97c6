// yvo-make-marble OUT.png [--size N] [--seed S]
// Draws the main window's background: a dark green marble with lighter green veins. The same size
// and seed always give the same picture.

#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>

namespace {

// A hash of a lattice point, uniform in [0, 1).
double lattice(int x, int y, std::uint64_t seed) {
    std::uint64_t h = seed ^ (std::uint64_t(std::uint32_t(x)) << 32 | std::uint32_t(y));
    h += 0x9E3779B97F4A7C15ULL; // splitmix64
    h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ULL;
    h = (h ^ (h >> 27)) * 0x94D049BB133111EBULL;
    h ^= h >> 31;
    return double(h >> 11) / double(1ULL << 53);
}

double smooth(double t) {
    return t * t * (3.0 - 2.0 * t);
}

// Value noise: lattice values blended smoothly between the four corners of each cell.
double noise(double x, double y, std::uint64_t seed) {
    const int ix = int(std::floor(x));
    const int iy = int(std::floor(y));
    const double fx = smooth(x - ix);
    const double fy = smooth(y - iy);
    const double top = std::lerp(lattice(ix, iy, seed), lattice(ix + 1, iy, seed), fx);
    const double bottom = std::lerp(lattice(ix, iy + 1, seed), lattice(ix + 1, iy + 1, seed), fx);
    return std::lerp(top, bottom, fy);
}

// Several octaves of noise, each twice as fine and half as strong: the swirl of the stone.
double turbulence(double x, double y, std::uint64_t seed) {
    double sum = 0.0;
    double scale = 1.0;
    double weight = 0.5;
    for (int octave = 0; octave < 6; ++octave) {
        sum += weight * std::abs(noise(x * scale, y * scale, seed + std::uint64_t(octave)) * 2.0 - 1.0);
        scale *= 2.0;
        weight *= 0.5;
    }
    return sum;
}

QColor blend(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return QColor(int(std::lround(std::lerp(a.red(), b.red(), t))),
                  int(std::lround(std::lerp(a.green(), b.green(), t))),
                  int(std::lround(std::lerp(a.blue(), b.blue(), t))));
}

QImage marble(int size, std::uint64_t seed) {
    const QColor deep(8, 38, 20);
    const QColor stone(24, 78, 44);
    const QColor vein(110, 168, 120);
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double u = double(x) / size * 3.0;
            const double v = double(y) / size * 3.0;
            // Broad veins run diagonally, bent by the turbulence, bright where the sine crosses zero;
            // a finer second set branches off them.
            const double t = turbulence(u, v, seed);
            const double wave = std::sin((u * 0.8 + v * 0.5 + t * 2.2) * std::numbers::pi);
            const double fine = std::sin((u * 2.1 - v * 1.4 + t * 3.5) * std::numbers::pi);
            const double veins =
                std::max(std::pow(1.0 - std::abs(wave), 7.0), 0.45 * std::pow(1.0 - std::abs(fine), 16.0));
            const double cloud = noise(u * 1.5, v * 1.5, seed + 100);
            QColor colour = blend(deep, stone, cloud * 0.7 + t * 0.5);
            colour = blend(colour, vein, veins * 0.8);
            image.setPixel(x, y, colour.rgb());
        }
    }
    return image;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    int size = 200;
    std::uint64_t seed = 1973;
    QString out;
    bool usable = true;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--size") && i + 1 < args.size())
            size = args[++i].toInt();
        else if (args[i] == QLatin1String("--seed") && i + 1 < args.size())
            seed = args[++i].toULongLong();
        else if (out.isEmpty() && !args[i].startsWith(QLatin1Char('-')))
            out = args[i];
        else
            usable = false;
    }
    if (!usable || out.isEmpty() || size < 8 || size > 4096) {
        std::fprintf(stderr, "usage: yvo-make-marble OUT.png [--size N (8-4096)] [--seed S]\n");
        return 2;
    }
    if (!marble(size, seed).save(out, "PNG")) {
        std::fprintf(stderr, "yvo-make-marble: cannot write %s\n", qPrintable(out));
        return 1;
    }
    return 0;
}
