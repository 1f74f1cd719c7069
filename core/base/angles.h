// Pi, for every angle in radians the program works out.
#pragma once
#include <numbers>

constexpr double kPi = std::numbers::pi;
constexpr float kPiF = std::numbers::pi_v<float>;
