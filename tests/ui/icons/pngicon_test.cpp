// SPDX-License-Identifier: MIT
#include "ui/icons/pngicon.h"

#include <png.h>

#include <QTest>
#include <vector>

#include "ui/icons/iconfiles.h"

namespace durava::ui {
namespace {

using forms::Icon;
using Bytes = std::vector<unsigned char>;

Bytes ToBytes(std::span<const unsigned char> span) {
    return Bytes(span.begin(), span.end());
}

// Encodes straight-alpha RGBA pixels with libpng's own writer.
Bytes EncodePng(int width, int height, const Bytes& rgba) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    Bytes out(PNG_IMAGE_PNG_SIZE_MAX(image));
    png_alloc_size_t size = out.size();
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr)) {
        return {};
    }
    out.resize(size);
    return out;
}

}  // namespace

class PngIconTest : public QObject {
    Q_OBJECT

  private slots:
    void iconsAreBlackShapesWithSoftEdges_data() {
        QTest::addColumn<Bytes>("file");
        QTest::newRow("add") << ToBytes(icon_files::kAdd);
        QTest::newRow("refresh") << ToBytes(icon_files::kRefresh);
        QTest::newRow("delete") << ToBytes(icon_files::kDelete);
        QTest::newRow("modify") << ToBytes(icon_files::kModify);
        QTest::newRow("history") << ToBytes(icon_files::kHistory);
    }
    void iconsAreBlackShapesWithSoftEdges() {
        QFETCH(Bytes, file);
        const QImage image = DecodePng(file);
        QCOMPARE(image.size(), QSize(20, 20));
        QVERIFY(image.hasAlphaChannel());
        int transparent = 0, opaque = 0, soft = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                const int alpha = qAlpha(pixel);
                if (alpha == 0) {
                    ++transparent;
                    continue;
                }
                alpha == 255 ? ++opaque : ++soft;
                QCOMPARE(pixel & 0xFFFFFFu, 0u);
            }
        }
        QVERIFY(transparent > 0);
        QVERIFY(opaque > 0);
        QVERIFY(soft > 0);
    }

    void buttonIconsShowTheirOwnFile_data() {
        QTest::addColumn<Icon>("icon");
        QTest::addColumn<Bytes>("file");
        QTest::newRow("add") << Icon::Add << ToBytes(icon_files::kAdd);
        QTest::newRow("refresh") << Icon::Refresh << ToBytes(icon_files::kRefresh);
        QTest::newRow("delete") << Icon::Delete << ToBytes(icon_files::kDelete);
        QTest::newRow("modify") << Icon::Modify << ToBytes(icon_files::kModify);
        QTest::newRow("history") << Icon::History << ToBytes(icon_files::kHistory);
    }
    void buttonIconsShowTheirOwnFile() {
        QFETCH(Icon, icon);
        QFETCH(Bytes, file);
        const QIcon shown = ButtonIcon(icon);
        QCOMPARE(shown.availableSizes(), QList<QSize>{QSize(20, 20)});
        const auto format = QImage::Format_ARGB32_Premultiplied;
        QCOMPARE(shown.pixmap(20, 20).toImage().convertToFormat(format),
                 DecodePng(file).convertToFormat(format));
    }

    void noIconIsEmpty() { QVERIFY(ButtonIcon(Icon::None).isNull()); }

    void theFiveIconsDiffer() {
        const std::span<const unsigned char> files[] = {icon_files::kAdd, icon_files::kRefresh,
                                                        icon_files::kDelete, icon_files::kModify,
                                                        icon_files::kHistory};
        for (std::size_t i = 0; i < std::size(files); ++i) {
            for (std::size_t j = i + 1; j < std::size(files); ++j) {
                QVERIFY(DecodePng(files[i]) != DecodePng(files[j]));
            }
        }
    }

    // Colours and partial alpha come through unchanged: straight, not premultiplied.
    void decodingKeepsStraightAlpha() {
        const Bytes rgba = {255, 0,  0,  255, 0,   255, 0,  128, 0, 0, 255, 1,
                            10,  20, 30, 0,   200, 100, 50, 77,  1, 2, 3,   254};
        const QImage image = DecodePng(EncodePng(3, 2, rgba));
        QCOMPARE(image.format(), QImage::Format_RGBA8888);
        QCOMPARE(image.size(), QSize(3, 2));
        for (int y = 0; y < 2; ++y) {
            const unsigned char* row = image.constScanLine(y);
            QCOMPARE(Bytes(row, row + 12),
                     Bytes(rgba.begin() + y * 12, rgba.begin() + y * 12 + 12));
        }
    }

    void damagedBytesGiveANullImage_data() {
        QTest::addColumn<Bytes>("bytes");
        const Bytes file = ToBytes(icon_files::kRefresh);
        QTest::newRow("empty") << Bytes{};
        QTest::newRow("signature only") << Bytes(file.begin(), file.begin() + 8);
        QTest::newRow("cut inside the header") << Bytes(file.begin(), file.begin() + 20);
        QTest::newRow("cut inside the image data") << Bytes(file.begin(), file.begin() + 60);
        Bytes flipped = file;
        flipped[60] ^= 0x40;
        QTest::newRow("image data damaged") << flipped;
        Bytes wrongSignature = file;
        wrongSignature[1] = 'Q';
        QTest::newRow("not a PNG signature") << wrongSignature;
        const char text[] = "GIF89a, not a PNG at all";
        QTest::newRow("other format") << Bytes(std::begin(text), std::end(text));
    }
    void damagedBytesGiveANullImage() {
        QFETCH(Bytes, bytes);
        QVERIFY(DecodePng(bytes).isNull());
    }

    // A cut anywhere in the image data is refused. Losing only the 12-byte end chunk loses no
    // pixel: the data before it is whole and checksummed, so the image still decodes exactly.
    void cutFilesAreRefusedUnlessOnlyTheEndChunkIsLost() {
        const Bytes file = ToBytes(icon_files::kHistory);
        const std::size_t endChunk = file.size() - 12;
        const QImage whole = DecodePng(file);
        for (std::size_t size = 0; size < file.size(); ++size) {
            const QImage image = DecodePng(std::span(file).first(size));
            QVERIFY2(size < endChunk ? image.isNull() : image == whole,
                     qPrintable(QString("cut at %1").arg(size)));
        }
    }

    void oversizedImagesAreRefused() {
        const Bytes wide(4 * (kMaxPngSide + 1), 0);
        QVERIFY(DecodePng(EncodePng(kMaxPngSide + 1, 1, wide)).isNull());
        QVERIFY(DecodePng(EncodePng(1, kMaxPngSide + 1, wide)).isNull());
        const QImage largest = DecodePng(EncodePng(kMaxPngSide, 1, wide));
        QCOMPARE(largest.size(), QSize(kMaxPngSide, 1));
    }
};

}  // namespace durava::ui

QTEST_MAIN(durava::ui::PngIconTest)
#include "pngicon_test.moc"
