// SPDX-License-Identifier: MIT
#pragma once
// Number <-> text conversions whose exact output ends up in the files and on screen.
#include <cstdint>
#include <string>
#include <string_view>

namespace durava::core {

std::string IntegerToText(long long value);
// The whole part of the number at the front of `number` in groups of three digits, as amounts are
// shown: "5000020720 元" gives "5,000,020,720 元". Files keep plain numbers.
std::string GroupThousands(std::string_view number);
// "%.13g" with at least three exponent digits: 1e+013, 1e-005.
std::string RealToText(double value);
// Full-width ASCII forms (A3 xx), the ideographic space, tilde and asterisks to plain ASCII.
std::string FoldFullWidth(std::string_view text);
// Leading decimal integer after folding; accumulates with 32-bit wrap-around; 0 without digits.
std::int32_t TextToInteger(std::string_view text);
std::int32_t RealToInteger(double value);
// Floor, after snapping a fractional part above 0.999999999999 away from zero. Values that are
// not finite or beyond 32 bits give 0.
std::int32_t RoundDown(double value);
// Both require a non-zero divisor; the program only divides by constants.
double IntegerDivide(double a, double b);
double Remainder(double a, double b);

}  // namespace durava::core
