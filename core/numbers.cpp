// SPDX-License-Identifier: MIT
#include "core/numbers.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "core/codepage.h"

namespace durava::core {

std::string IntegerToText(long long value) {
    return std::to_string(value);
}

std::string GroupThousands(std::string_view number) {
    const std::size_t first = number.starts_with('-') ? 1 : 0;
    std::size_t end = first;
    while (end < number.size() && number[end] >= '0' && number[end] <= '9') ++end;
    std::string grouped(number.substr(0, first));
    for (std::size_t digit = first; digit < end; ++digit) {
        if (digit > first && (end - digit) % 3 == 0) grouped += ',';
        grouped += number[digit];
    }
    return grouped.append(number.substr(end));
}

std::string RealToText(double value) {
    // Below 1e13 "%.13g" writes a whole number as its digits alone; fees are whole numbers, and
    // the list writes one every second per item in use.
    if (value == std::trunc(value) && std::fabs(value) < 1e13 && !std::signbit(value))
        return IntegerToText(static_cast<long long>(value));
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.13g", value);
    std::string text(buffer);
    // The files hold three exponent digits where the C library here writes two.
    const auto e = text.find('e');
    if (e != std::string::npos) {
        const auto digits = e + 2;
        if (text.size() - digits < 3) text.insert(digits, 3 - (text.size() - digits), '0');
    }
    return text;
}

std::string FoldFullWidth(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (!IsLeadByte(lead)) {
            folded += static_cast<char>(lead);
            continue;
        }
        if (i + 1 == text.size()) break;
        const auto trail = static_cast<unsigned char>(text[++i]);
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            folded += static_cast<char>(trail & 0x7F);
        } else if (lead == 0xA1 && trail == 0xA1) {
            folded += ' ';
        } else if (lead == 0xA1 && trail == 0xAB) {
            folded += '~';
        } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
            folded += '*';
        } else {
            folded += static_cast<char>(lead);
            folded += static_cast<char>(trail);
        }
    }
    return folded;
}

std::int32_t TextToInteger(std::string_view text) {
    const std::string folded = FoldFullWidth(text);
    std::size_t i = folded.find_first_not_of(" \t\n\v\f\r");
    if (i == std::string::npos) return 0;
    const bool negative = folded[i] == '-';
    if (negative || folded[i] == '+') ++i;
    std::uint32_t value = 0;
    for (; i < folded.size() && folded[i] >= '0' && folded[i] <= '9'; ++i) {
        value = value * 10 + static_cast<std::uint32_t>(folded[i] - '0');
    }
    return static_cast<std::int32_t>(negative ? 0u - value : value);
}

std::int32_t RealToInteger(double value) {
    const double whole = std::trunc(value);
    // NaN and values beyond 64 bits take the hardware's "integer indefinite"
    // 0x8000000000000000, whose low 32 bits are 0.
    if (!(whole >= -0x1p63 && whole < 0x1p63)) return 0;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::int64_t>(whole)));
}

std::int32_t RoundDown(double value) {
    if (!std::isfinite(value)) return 0;
    double whole = 0;
    const double fraction = std::modf(value, &whole);
    // Absorbs the error of sums such as 0.1 * 30 that land just below a whole number.
    if (std::fabs(fraction) > 0.999999999999) value = value > 0 ? whole + 1 : whole - 1;
    const double floored = std::floor(value);
    if (floored < std::numeric_limits<std::int32_t>::min() ||
        floored > std::numeric_limits<std::int32_t>::max()) {
        return 0;
    }
    return static_cast<std::int32_t>(floored);
}

double IntegerDivide(double a, double b) {
    return std::trunc(a / b);
}

double Remainder(double a, double b) {
    return std::fmod(a, b);
}

}  // namespace durava::core
