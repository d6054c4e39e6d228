// SPDX-License-Identifier: MIT
#pragma once
// The 20 x 20 icons of the picture buttons: PNG files built into the program, decoded with
// libpng.
#include <QIcon>
#include <QImage>
#include <span>

#include "forms/forms.h"

namespace durava::ui {

// Button icons never come near this; the limit keeps a damaged header from claiming gigabytes.
inline constexpr int kMaxPngSide = 1024;

// Decodes a PNG file held in memory into straight-alpha RGBA (Format_RGBA8888). Bytes that are
// not a PNG with complete, intact image data, and images larger than kMaxPngSide on a side, give
// a null image.
QImage DecodePng(std::span<const unsigned char> bytes);

// The built-in icon of a picture button, decoded once; Icon::None gives an empty icon.
QIcon ButtonIcon(forms::Icon icon);

}  // namespace durava::ui
