// SPDX-License-Identifier: MIT
#include "ui/icons/pngicon.h"

#include <png.h>

#include <array>

#include "ui/icons/iconfiles.h"

namespace durava::ui {

namespace {

// Releases what libpng holds whichever way decoding ends; freeing twice is harmless.
class PngImage {
  public:
    PngImage() { m_image.version = PNG_IMAGE_VERSION; }
    ~PngImage() { png_image_free(&m_image); }
    PngImage(const PngImage&) = delete;
    PngImage& operator=(const PngImage&) = delete;

    png_image* operator->() { return &m_image; }
    png_image* get() { return &m_image; }

  private:
    png_image m_image{};
};

std::span<const unsigned char> IconFile(forms::Icon icon) {
    using forms::Icon;
    switch (icon) {
        case Icon::Add:
            return icon_files::kAdd;
        case Icon::Refresh:
            return icon_files::kRefresh;
        case Icon::Delete:
            return icon_files::kDelete;
        case Icon::Modify:
            return icon_files::kModify;
        case Icon::History:
            return icon_files::kHistory;
        case Icon::None:
            break;
    }
    return {};
}

}  // namespace

QImage DecodePng(std::span<const unsigned char> bytes) {
    if (bytes.empty()) return {};
    PngImage png;
    if (!png_image_begin_read_from_memory(png.get(), bytes.data(), bytes.size())) return {};
    if (png->width > kMaxPngSide || png->height > kMaxPngSide) return {};

    // libpng hands out straight alpha, which is what Format_RGBA8888 holds.
    png->format = PNG_FORMAT_RGBA;
    QImage image(static_cast<int>(png->width), static_cast<int>(png->height),
                 QImage::Format_RGBA8888);
    if (image.isNull()) return {};
    if (!png_image_finish_read(png.get(), nullptr, image.bits(),
                               static_cast<png_int_32>(image.bytesPerLine()), nullptr)) {
        return {};
    }
    return image;
}

QIcon ButtonIcon(forms::Icon icon) {
    using forms::Icon;
    constexpr std::size_t kIcons = static_cast<std::size_t>(Icon::History) + 1;
    // Decoded images, not pixmaps: a pixmap must not outlive the application object.
    static const std::array<QImage, kIcons> images = [] {
        std::array<QImage, kIcons> decoded;
        for (std::size_t i = 0; i < kIcons; ++i) {
            decoded[i] = DecodePng(IconFile(static_cast<Icon>(i)));
        }
        return decoded;
    }();
    const QImage& image = images[static_cast<std::size_t>(icon)];
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

}  // namespace durava::ui
