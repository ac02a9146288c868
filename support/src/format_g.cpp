#include "support/format_g.h"

#include <bit>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace support {

namespace {

// Any value through the standard library: std::to_chars with a precision is defined as printf's
// conversion in the "C" locale, so this is "%g" to the byte, without printf's format parsing and
// locale lookups. Then the exponent is widened to three digits.
char* FormatAnyTo(char* out, double value) {
    const std::to_chars_result r =
        std::to_chars(out, out + kFormatGMaxLength, value, std::chars_format::general, 6);
    assert(r.ec == std::errc());
    char* end = r.ptr;
    char* e = static_cast<char*>(std::memchr(out, 'e', static_cast<std::size_t>(end - out)));
    if (e == nullptr) return end;
    // The exponent has at least two digits here; the system's files carry three.
    char* digits = e + 2;  // past 'e' and the sign
    const std::ptrdiff_t count = end - digits;
    if (count >= 3) return end;
    const std::ptrdiff_t pad = 3 - count;
    std::memmove(digits + pad, digits, static_cast<std::size_t>(count));
    std::memset(digits, '0', static_cast<std::size_t>(pad));
    return end + pad;
}

// Powers of ten from 10^-kMinPower to 10^kMaxPower as doubles, correctly rounded (exact from 1
// to 1e22): enough to bring every float's value to six digits before the decimal point.
constexpr int kMinPower = 33, kMaxPower = 50;
constexpr double kPowersOfTen[kMinPower + kMaxPower + 1] = {
    1e-33, 1e-32, 1e-31, 1e-30, 1e-29, 1e-28, 1e-27, 1e-26, 1e-25, 1e-24, 1e-23, 1e-22,
    1e-21, 1e-20, 1e-19, 1e-18, 1e-17, 1e-16, 1e-15, 1e-14, 1e-13, 1e-12, 1e-11, 1e-10,
    1e-9,  1e-8,  1e-7,  1e-6,  1e-5,  1e-4,  1e-3,  1e-2,  1e-1,  1e0,   1e1,   1e2,
    1e3,   1e4,   1e5,   1e6,   1e7,   1e8,   1e9,   1e10,  1e11,  1e12,  1e13,  1e14,
    1e15,  1e16,  1e17,  1e18,  1e19,  1e20,  1e21,  1e22,  1e23,  1e24,  1e25,  1e26,
    1e27,  1e28,  1e29,  1e30,  1e31,  1e32,  1e33,  1e34,  1e35,  1e36,  1e37,  1e38,
    1e39,  1e40,  1e41,  1e42,  1e43,  1e44,  1e45,  1e46,  1e47,  1e48,  1e49,  1e50};

// `x` times 10^p, p within the table: two roundings, a relative error below 2^-52.
inline double ScaleByPowerOfTen(double x, int p) {
    return x * kPowersOfTen[p + kMinPower];
}

// How far from a rounding boundary a scaled value must be for its rounding to be trusted. The
// scaled values stay below 10^7 < 2^24, so their error is below 2^-28; the margin is wider.
constexpr double kTieMargin = 1.0 / (1 << 20);

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

void WritePair(char* out, uint32_t pair) {
    std::memcpy(out, kDigitPairs + 2 * pair, 2);
}

// The six significant digits and decimal exponent of a float's value, from the bits of its
// magnitude (finite, not zero), rounded half to even as printf rounds the exact binary value.
// False when the scaled value lies too close to a rounding boundary to decide without exact
// arithmetic.
bool SixDigits(uint32_t magnitude, uint32_t& digits, int& exponent) {
    float f;
    std::memcpy(&f, &magnitude, sizeof f);
    const double x = f;
    // floor(log2(x)); a subnormal's exponent is its mantissa's top bit.
    const auto biased = static_cast<int>(magnitude >> 23);
    const int e2 = biased != 0 ? biased - 127 : std::bit_width(magnitude) - 1 - 149;
    // floor(log10(2^e2)): the decimal exponent or one below it.
    int e10 = (e2 * 78913) >> 18;
    double v = ScaleByPowerOfTen(x, 5 - e10);
    // At or above 999999.5 the six digits are those of the next decade (a value that rounds up
    // to 10^6 becomes 100000 there too).
    if (v >= 999999.5 - kTieMargin) {
        if (v <= 999999.5 + kTieMargin) return false;
        ++e10;
        v = ScaleByPowerOfTen(x, 5 - e10);
    }
    const auto whole = static_cast<uint32_t>(v);
    const double fraction = v - whole;
    if (std::fabs(fraction - 0.5) < kTieMargin) return false;
    uint32_t n = whole + (fraction > 0.5 ? 1 : 0);
    if (n >= 1000000) {
        n = 100000;
        ++e10;
    }
    if (n < 100000) return false;  // cannot happen; the exact path would still be right
    digits = n;
    exponent = e10;
    return true;
}

// "%g" of a float's value from its six digits: fixed notation for exponents -4 to 5, else
// d.ddddde+XXX; trailing zeros and a bare decimal point dropped. Copies are of fixed sizes (the
// output has room for them) and the end pointer says how much counts.
char* WriteSixDigits(char* out, uint32_t n, int e10) {
    // Three pairs of digits from one product: n * ceil(2^32 / 10^4) holds n / 10^4 above bit
    // 32 and the rest as a binary fraction precise enough for the four digits below.
    uint64_t t = uint64_t{n} * 429497;
    char d[16];
    const auto p0 = static_cast<uint32_t>(t >> 32);
    t = (t & 0xFFFFFFFF) * 100;
    const auto p1 = static_cast<uint32_t>(t >> 32);
    t = (t & 0xFFFFFFFF) * 100;
    const auto p2 = static_cast<uint32_t>(t >> 32);
    WritePair(d, p0);
    WritePair(d + 2, p1);
    WritePair(d + 4, p2);
    int count = 6;
    while (d[count - 1] == '0') --count;  // n >= 100000: the first digit is not zero

    if (e10 < -4 || e10 >= 6) {
        out[0] = d[0];
        out[1] = '.';
        std::memcpy(out + 2, d + 1, 8);
        out += count > 1 ? count + 1 : 1;
        out[0] = 'e';
        out[1] = e10 < 0 ? '-' : '+';
        const auto magnitude = static_cast<uint32_t>(e10 < 0 ? -e10 : e10);
        out[2] = static_cast<char>('0' + magnitude / 100);
        WritePair(out + 3, magnitude % 100);
        return out + 5;
    }
    if (e10 < 0) {
        std::memcpy(out, "0.000", 5);
        out += 1 - e10;  // past "0." and the zeros after the point
        std::memcpy(out, d, 8);
        return out + count;
    }
    const int whole = e10 + 1;
    std::memcpy(out, d, 8);
    if (count <= whole) return out + whole;
    out[whole] = '.';
    std::memcpy(out + whole + 1, d + whole, 8);
    return out + count + 1;
}

}  // namespace

char* FormatFloatGTo(char* out, float value) {
    // The short path rounds in double arithmetic and hands the rare value too close to a
    // rounding boundary to the exact one. Proven identical to the C library's "%g" on every
    // float by support/bench/format_g_sweep.cpp.
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const uint32_t magnitude = bits & 0x7FFFFFFF;
    if (magnitude == 0) {
        if (bits != 0) *out++ = '-';
        *out++ = '0';
        return out;
    }
    uint32_t digits;
    int exponent;
    if (magnitude < 0x7F800000 && SixDigits(magnitude, digits, exponent)) {
        if (bits != magnitude) *out++ = '-';
        return WriteSixDigits(out, digits, exponent);
    }
    return FormatAnyTo(out, value);
}

char* FormatGTo(char* out, double value) {
    // The files hold floats, which take their own path.
    const auto asFloat = static_cast<float>(value);
    if (static_cast<double>(asFloat) == value) return FormatFloatGTo(out, asFloat);
    return FormatAnyTo(out, value);
}

void AppendG(std::string& out, double value) {
    char buffer[kFormatGMaxLength];
    out.append(buffer, FormatGTo(buffer, value));
}

std::string FormatG(double value) {
    std::string out;
    AppendG(out, value);
    return out;
}

}  // namespace support
