#include "synth_image.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace quantize::synth {
namespace {

// Small deterministic generator (xorshift32), independent of the standard library's engines.
class Random {
  public:
    explicit Random(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    float Unit() { return static_cast<float>(Next() >> 8) / 16777216.0f; }

  private:
    uint32_t state_;
};

struct Vec {
    float x = 0, y = 0, z = 0;
};
Vec operator+(Vec a, Vec b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec operator*(Vec a, float s) {
    return {a.x * s, a.y * s, a.z * s};
}
float Dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec Normalize(Vec a) {
    return a * (1.0f / std::sqrt(Dot(a, a)));
}

struct Sphere {
    Vec centre;
    float radius;
    Vec colour;
    bool striped;
};

// A random value 0..65535 for each lattice point.
uint32_t LatticeHash(int x, int y, uint32_t seed) {
    uint32_t h =
        static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed;
    h = (h ^ (h >> 13)) * 1274126177u;
    return (h ^ (h >> 16)) & 0xFFFF;
}

// Value noise on a lattice, smoothly interpolated; used as a surface texture.
float LatticeValue(int x, int y, uint32_t seed) {
    return static_cast<float>(LatticeHash(x, y, seed)) / 65535.0f;
}

float ValueNoise(float x, float y, uint32_t seed) {
    const int ix = static_cast<int>(std::floor(x));
    const int iy = static_cast<int>(std::floor(y));
    const float fx = x - static_cast<float>(ix);
    const float fy = y - static_cast<float>(iy);
    const float sx = fx * fx * (3 - 2 * fx);
    const float sy = fy * fy * (3 - 2 * fy);
    const float top = LatticeValue(ix, iy, seed) * (1 - sx) + LatticeValue(ix + 1, iy, seed) * sx;
    const float bottom =
        LatticeValue(ix, iy + 1, seed) * (1 - sx) + LatticeValue(ix + 1, iy + 1, seed) * sx;
    return top * (1 - sy) + bottom * sy;
}

bool HitSphere(const Sphere& s, Vec origin, Vec dir, float& t) {
    const Vec oc = origin - s.centre;
    const float b = Dot(oc, dir);
    const float c = Dot(oc, oc) - s.radius * s.radius;
    const float disc = b * b - c;
    if (disc < 0) return false;
    t = -b - std::sqrt(disc);
    return t > 1e-3f;
}

void Put(Image& image, int x, int y, Vec rgb) {
    uint8_t* p = image.bgr.data() + (static_cast<std::size_t>(y) * image.width + x) * 3;
    auto byte = [](float v) {
        return static_cast<uint8_t>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f);
    };
    p[0] = byte(rgb.z);
    p[1] = byte(rgb.y);
    p[2] = byte(rgb.x);
}

Image Blank(int width, int height) {
    Image image;
    image.width = width;
    image.height = height;
    image.bgr.assign(static_cast<std::size_t>(width) * height * 3, 0);
    return image;
}

}  // namespace

Image Gradient(int width, int height) {
    Image image = Blank(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float u = static_cast<float>(x) / std::max(1, width - 1);
            const float v = static_cast<float>(y) / std::max(1, height - 1);
            Put(image, x, y, {u, 0.5f * (1 - v) + 0.5f * u * v, v});
        }
    }
    return image;
}

Image Scene(int width, int height, uint32_t seed) {
    Image image = Blank(width, height);
    Random random(seed);
    std::vector<Sphere> spheres;
    for (int i = 0; i < 5; ++i) {
        const float radius = 0.4f + random.Unit() * 0.8f;
        spheres.push_back({{random.Unit() * 6 - 3, radius, 4 + random.Unit() * 5},
                           radius,
                           {0.2f + random.Unit() * 0.8f, 0.2f + random.Unit() * 0.8f,
                            0.2f + random.Unit() * 0.8f},
                           i % 2 == 1});
    }
    const Vec light = Normalize({-0.6f, 1.0f, -0.4f});
    const Vec eye = {0, 1.2f, -1};
    const float aspect = static_cast<float>(width) / static_cast<float>(height);

    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float px = ((static_cast<float>(x) + 0.5f) / width * 2 - 1) * aspect * 0.6f;
            const float py = (1 - (static_cast<float>(y) + 0.5f) / height * 2) * 0.6f;
            const Vec dir = Normalize({px, py - 0.15f, 1});

            float nearest = 1e30f;
            const Sphere* hit = nullptr;
            for (const Sphere& s : spheres) {
                float t;
                if (HitSphere(s, eye, dir, t) && t < nearest) {
                    nearest = t;
                    hit = &s;
                }
            }
            const float groundT = dir.y < 0 ? -eye.y / dir.y : 1e30f;

            Vec colour;
            Vec point;
            Vec normal;
            float distance;
            if (hit) {
                distance = nearest;
                point = eye + dir * nearest;
                normal = Normalize(point - hit->centre);
                colour = hit->colour;
                if (hit->striped) {
                    const float stripe = 0.75f + 0.25f * std::sin(point.y * 18 + point.x * 6);
                    colour = colour * stripe;
                }
            } else if (groundT < 1e29f) {
                distance = groundT;
                point = eye + dir * groundT;
                normal = {0, 1, 0};
                const bool checker = (static_cast<int>(std::floor(point.x)) +
                                      static_cast<int>(std::floor(point.z))) %
                                         2 ==
                                     0;
                const float grain = 0.7f + 0.3f * ValueNoise(point.x * 4, point.z * 4, seed);
                colour = (checker ? Vec{0.75f, 0.7f, 0.6f} : Vec{0.35f, 0.45f, 0.3f}) * grain;
            } else {
                const float up = std::max(0.0f, dir.y);
                Put(image, x, y, Vec{0.55f, 0.7f, 0.95f} * (1 - up) + Vec{0.2f, 0.35f, 0.8f} * up);
                continue;
            }

            float lit = std::max(0.0f, Dot(normal, light));
            for (const Sphere& s : spheres) {
                float t;
                if (&s != hit && HitSphere(s, point + normal * 1e-3f, light, t)) {
                    lit *= 0.35f;
                    break;
                }
            }
            const Vec half = Normalize(light - dir);
            const float specular =
                hit ? std::pow(std::max(0.0f, Dot(normal, half)), 40.0f) * lit : 0;
            Vec shaded = colour * (0.18f + 0.82f * lit) + Vec{1, 1, 1} * (0.6f * specular);
            const float fog = 1 - std::exp(-distance * 0.04f);
            shaded = shaded * (1 - fog) + Vec{0.6f, 0.68f, 0.8f} * fog;
            Put(image, x, y, shaded);
        }
    }
    return image;
}

Image Noise(int width, int height, uint32_t seed, int levels) {
    Image image = Blank(width, height);
    Random random(seed);
    const int step = 255 / std::max(1, levels - 1);
    for (uint8_t& byte : image.bgr) {
        byte = static_cast<uint8_t>(
            static_cast<int>(random.Next() % static_cast<uint32_t>(levels)) * step);
    }
    return image;
}

Image Tiles(int width, int height, uint32_t seed) {
    Image image = Blank(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t tile =
                static_cast<uint32_t>(x / 8) * 31u + static_cast<uint32_t>(y / 6) * 17u + seed;
            uint8_t* p = image.bgr.data() + (static_cast<std::size_t>(y) * width + x) * 3;
            const int shade = (x % 8) * 3 + (y % 6) * 2;  // a little shading inside each tile
            p[0] = static_cast<uint8_t>((tile * 53u) % 200 + static_cast<uint32_t>(shade));
            p[1] = static_cast<uint8_t>((tile * 97u) % 200 + static_cast<uint32_t>(shade));
            p[2] = static_cast<uint8_t>((tile * 29u) % 200 + static_cast<uint32_t>(shade));
        }
    }
    return image;
}

namespace {

uint8_t* PixelAt(Image& image, int x, int y) {
    return image.bgr.data() + (static_cast<std::size_t>(y) * image.width + x) * 3;
}

int RandomBelow(Random& random, int bound) {
    return static_cast<int>(random.Next() % static_cast<uint32_t>(std::max(1, bound)));
}

// Fills an axis-aligned rectangle, or the ellipse inscribed in it, clipped to the image.
void FillShape(Image& image, int x0, int y0, int x1, int y1, bool ellipse, const Colour& colour) {
    const long long rx = x1 - x0;  // twice the radii, so that the centre is whole
    const long long ry = y1 - y0;
    for (int y = std::max(0, y0); y <= std::min(image.height - 1, y1); ++y) {
        for (int x = std::max(0, x0); x <= std::min(image.width - 1, x1); ++x) {
            const long long dx = 2LL * x - x0 - x1;
            const long long dy = 2LL * y - y0 - y1;
            if (ellipse && dx * dx * ry * ry + dy * dy * rx * rx > rx * rx * ry * ry) continue;
            std::copy(colour.begin(), colour.end(), PixelAt(image, x, y));
        }
    }
}

// Smooth integer value noise: lattice values 0..65535 every `cell` pixels, blended with an
// integer smoothstep.
int SmoothNoise(int x, int y, int cell, uint32_t seed) {
    const int ix = x / cell;
    const int iy = y / cell;
    const long long fx = x % cell;
    const long long fy = y % cell;
    const long long c = cell;
    const long long sx = fx * fx * (3 * c - 2 * fx);  // scaled by c³
    const long long sy = fy * fy * (3 * c - 2 * fy);
    const long long cube = c * c * c;
    auto lattice = [&](int lx, int ly) {
        return static_cast<long long>(LatticeHash(lx, ly, seed));
    };
    const long long top = lattice(ix, iy) * (cube - sx) + lattice(ix + 1, iy) * sx;
    const long long bottom = lattice(ix, iy + 1) * (cube - sx) + lattice(ix + 1, iy + 1) * sx;
    return static_cast<int>((top / cube * (cube - sy) + bottom / cube * sy) / cube);
}

}  // namespace

Image Shapes(int width, int height, uint32_t seed, std::span<const Colour> colours, int count) {
    Image image = Blank(width, height);
    if (colours.empty()) return image;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::copy(colours[0].begin(), colours[0].end(), PixelAt(image, x, y));
        }
    }
    Random random(seed);
    const int palette = static_cast<int>(colours.size());
    for (int i = 0; i < count; ++i) {
        const int x0 = RandomBelow(random, width);
        const int y0 = RandomBelow(random, height);
        const int x1 = x0 + 1 + RandomBelow(random, width / 3 + 1);
        const int y1 = y0 + 1 + RandomBelow(random, height / 3 + 1);
        const bool ellipse = random.Next() % 2 == 1;
        const Colour& colour = colours[palette > 1 ? 1 + RandomBelow(random, palette - 1) : 0];
        FillShape(image, x0, y0, x1, y1, ellipse, colour);
    }
    return image;
}

Image FlatAreas(int width, int height, uint32_t seed) {
    Random random(seed);
    std::vector<Colour> colours = {{230, 236, 236}};
    for (int i = 0; i < 12; ++i) {
        colours.push_back({static_cast<uint8_t>(random.Next()), static_cast<uint8_t>(random.Next()),
                           static_cast<uint8_t>(random.Next())});
    }
    Image image = Shapes(width, height, seed, colours, 25);
    const int bandTop = height / 2;
    const int bandHeight = std::max(1, height / 5);
    for (int y = bandTop; y < std::min(height, bandTop + bandHeight); ++y) {
        for (int x = 0; x < width; ++x) {
            const int ramp = x * 255 / std::max(1, width - 1);
            uint8_t* p = PixelAt(image, x, y);
            p[0] = static_cast<uint8_t>(255 - ramp);
            p[1] = static_cast<uint8_t>(ramp / 2 + 60);
            p[2] = static_cast<uint8_t>(ramp);
        }
    }
    for (int i = 0; i < width * height / 400; ++i) {
        const int x = RandomBelow(random, width);
        const int y = RandomBelow(random, height);
        const int tall = RandomBelow(random, 5);
        const int wide = RandomBelow(random, 3);
        FillShape(image, x, y, x + wide, y + tall, false, {20, 20, 20});
    }
    return image;
}

Image Clouds(int width, int height, uint32_t seed) {
    Image image = Blank(width, height);
    Random grain(seed);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = PixelAt(image, x, y);
            for (int k = 0; k < 3; ++k) {
                const uint32_t channelSeed = seed * 3u + static_cast<uint32_t>(k);
                // Octaves of halving size and weight, plus a vertical ramp: 0..65535 each.
                long long value = 0;
                int weight = 8;
                for (int cell = 96; cell >= 6; cell /= 2, weight /= 2) {
                    value += static_cast<long long>(SmoothNoise(x, y, cell, channelSeed)) *
                             std::max(1, weight);
                }
                value = value / 16 + static_cast<long long>(y) * 20000 / std::max(1, height);
                const int noise = RandomBelow(grain, 9) - 4;
                p[k] = static_cast<uint8_t>(std::clamp(value / 340 + noise, 0LL, 255LL));
            }
        }
    }
    return image;
}

std::vector<uint8_t> EncodePpm(const Image& image) {
    const std::string header =
        "P6\n" + std::to_string(image.width) + " " + std::to_string(image.height) + "\n255\n";
    std::vector<uint8_t> bytes(header.begin(), header.end());
    for (std::size_t i = 0; i + 2 < image.bgr.size(); i += 3) {
        bytes.push_back(image.bgr[i + 2]);
        bytes.push_back(image.bgr[i + 1]);
        bytes.push_back(image.bgr[i]);
    }
    return bytes;
}

std::vector<uint8_t> EncodeTarga(const Image& image, int bitsPerPixel, bool topDown) {
    std::vector<uint8_t> bytes(18, 0);
    bytes[2] = 2;  // uncompressed true colour
    bytes[12] = static_cast<uint8_t>(image.width & 0xFF);
    bytes[13] = static_cast<uint8_t>(image.width >> 8);
    bytes[14] = static_cast<uint8_t>(image.height & 0xFF);
    bytes[15] = static_cast<uint8_t>(image.height >> 8);
    bytes[16] = static_cast<uint8_t>(bitsPerPixel);
    bytes[17] = static_cast<uint8_t>((topDown ? 0x20 : 0) | (bitsPerPixel == 32 ? 8 : 0));
    for (int row = 0; row < image.height; ++row) {
        const int y = topDown ? row : image.height - 1 - row;
        const uint8_t* p = image.bgr.data() + static_cast<std::size_t>(y) * image.width * 3;
        for (int x = 0; x < image.width; ++x, p += 3) {
            bytes.insert(bytes.end(), p, p + 3);
            if (bitsPerPixel == 32) bytes.push_back(static_cast<uint8_t>(x * 7));  // alpha
        }
    }
    return bytes;
}

}  // namespace quantize::synth
