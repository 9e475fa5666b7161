#pragma once
// The numeric rules of the game, in one place. Game integers are 16-bit and wrap when stored;
// floating values stored into integers round to the nearest, halves to even; headings are
// degrees stepped with pi taken as 3.1415.
#include <cmath>
#include <cstdint>

constexpr double kStepPi = 3.1415;     // cos/sin of headings in movement
constexpr double kAimPi = 3.14159;     // the aiming functions
constexpr float kStepPiF = 3.1415f;

// Round to the nearest integer, halves to even. Non-finite values give 0; huge values saturate.
inline long long RoundHalfEven(double v) {
    if (!std::isfinite(v)) return 0;
    if (v >= 9.0e18) return 9000000000000000000LL;
    if (v <= -9.0e18) return -9000000000000000000LL;
    double f = std::floor(v);
    const double d = v - f;
    if (d > 0.5 || (d == 0.5 && std::fmod(f, 2.0) != 0.0)) f += 1.0;
    return static_cast<long long>(f);
}

// Stores keep the low bits (two's complement), as C++20 defines the conversion.
inline int16_t Wrap16(long long v) { return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint64_t>(v))); }
inline int32_t Wrap32(long long v) { return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v))); }
inline uint8_t Wrap8(long long v) { return static_cast<uint8_t>(static_cast<uint64_t>(v)); }

// A floating value stored into an int or a long field.
inline int16_t RoundToInt16(double v) { return Wrap16(RoundHalfEven(v)); }
inline int32_t RoundToInt32(double v) { return Wrap32(RoundHalfEven(v)); }

// Int(): the floor, as a wide integer (Int(Random * n) gives 0..n-1).
inline long long Int(double v) {
    if (!std::isfinite(v)) return 0;
    if (v >= 9.0e18) return 9000000000000000000LL;
    if (v <= -9.0e18) return -9000000000000000000LL;
    return static_cast<long long>(std::floor(v));
}

inline int Sign(double v) { return (v > 0) - (v < 0); }

// cos and sin of a heading in degrees, double precision.
inline double CosDeg(double degrees) { return std::cos(degrees * kStepPi / 180); }
inline double SinDeg(double degrees) { return std::sin(degrees * kStepPi / 180); }
// Single-precision versions, for the rules that work in single precision.
inline float CosDegF(float degrees) { return std::cos(degrees * kStepPiF / 180.0f); }
inline float SinDegF(float degrees) { return std::sin(degrees * kStepPiF / 180.0f); }

// One step of speed s along heading h, rounded to whole pixels.
inline int16_t StepX(double speed, double heading) { return RoundToInt16(speed * CosDeg(heading)); }
inline int16_t StepY(double speed, double heading) { return RoundToInt16(speed * SinDeg(heading)); }
