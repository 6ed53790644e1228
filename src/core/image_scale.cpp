#include "image_scale.h"
#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include "checked_size.h"

namespace hv {

namespace {

using Channels = std::array<double, 3>;

Channels Split(ColorValue c) {
    return {double(RedOf(c)), double(GreenOf(c)), double(BlueOf(c))};
}

ColorValue Join(const Channels& c) {
    auto channel = [](double v) { return static_cast<int>(std::clamp(std::lround(v), 0L, 255L)); };
    return RGBColor(channel(c[0]), channel(c[1]), channel(c[2]));
}

// Averages `count` source samples down to `size` along one axis: output i covers the source
// span [i * count / size, (i + 1) * count / size), each sample weighted by its overlap.
template <typename Get, typename Put> void AverageAxis(int count, int size, Get get, Put put) {
    const double step = double(count) / size;
    for (int i = 0; i < size; ++i) {
        const double from = i * step, to = (i + 1) * step;
        Channels sum{};
        double weight = 0;
        for (int s = int(from); s < count && s < to; ++s) {
            const double w = std::min<double>(s + 1, to) - std::max<double>(s, from);
            if (w <= 0) continue;
            const Channels c = get(s);
            for (int k = 0; k < 3; ++k)
                sum[k] += c[k] * w;
            weight += w;
        }
        for (double& v : sum)
            v /= weight;
        put(i, sum);
    }
}

} // namespace

int ScaleLength(int n, int num, int den) {
    if (den == 0) return n;
    // Beyond int the length saturates rather than wraps.
    const double v = std::round(double(n) * num / den);
    return v >= INT_MAX ? INT_MAX : v <= INT_MIN ? INT_MIN : static_cast<int>(v);
}

Image ResizeNearest(const Image& source, int width, int height) {
    if (width <= 0 || height <= 0 || source.width <= 0 || source.height <= 0) return Image();
    Image out(width, height);
    if (out.pixels.empty()) return Image(); // too large
    for (int y = 0; y < height; ++y) {
        const int sy = static_cast<int>((y + 0.5) * source.height / height);
        for (int x = 0; x < width; ++x)
            out.at(x, y) = source.at(static_cast<int>((x + 0.5) * source.width / width), sy);
    }
    return out;
}

Image ScalePixelArt(const Image& source, int width, int height) {
    if (width <= 0 || height <= 0 || source.width <= 0 || source.height <= 0) return Image();
    const std::int64_t factor = std::max<std::int64_t>(
        {1, (std::int64_t{width} + source.width - 1) / source.width,
         (std::int64_t{height} + source.height - 1) / source.height});
    const std::int64_t bigWidth64 = source.width * factor, bigHeight64 = source.height * factor;
    // The enlarged rows are held at the result's width: too many of them is refused, as is
    // a result too large.
    const auto rowsSize = CheckedArea(width, bigHeight64, sizeof(Channels), kMaxPixels * 4);
    if (!rowsSize || bigWidth64 > INT_MAX || !CheckedArea(width, height, 1, kMaxPixels)) return Image();
    const int bigWidth = static_cast<int>(bigWidth64), bigHeight = static_cast<int>(bigHeight64);
    // The enlarged picture is read through the source: pixel (x, y) is source (x/f, y/f).
    std::vector<Channels> rows(*rowsSize / sizeof(Channels));
    for (int y = 0; y < bigHeight; ++y)
        AverageAxis(
            bigWidth, width, [&](int x) { return Split(source.at(int(x / factor), int(y / factor))); },
            [&](int x, const Channels& c) { rows[size_t(y) * width + x] = c; });
    Image out(width, height);
    for (int x = 0; x < width; ++x)
        AverageAxis(
            bigHeight, height, [&](int y) { return rows[size_t(y) * width + x]; },
            [&](int y, const Channels& c) { out.at(x, y) = Join(c); });
    return out;
}

} // namespace hv
