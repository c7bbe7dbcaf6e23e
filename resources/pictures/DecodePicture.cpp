// Decodes one picture when the program is built: `ratsionik_decode_picture in.jpg out` reads the
// picture with Qt's own image readers and writes the pixels as the program paints them, after a
// 16-byte header: "RPIC", then the width, height and QImage::Format as 32-bit little-endian
// numbers. The rows follow without padding, in the processor's byte order, which is the target's:
// a cross build runs this under its emulator. Qt has no container for pixels that are already
// decoded, so the program reads this one itself (ui/controls/Pictures.cpp).
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QtEndian>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: ratsionik_decode_picture PICTURE OUTPUT\n");
        return 2;
    }
    QImageReader reader(QString::fromLocal8Bit(argv[1]));
    QImage image = reader.read();
    if (image.isNull()) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(reader.errorString()));
        return 1;
    }
    // The format QPixmap::fromImage gives it on a 32-bit screen, so that the program converts
    // nothing: premultiplied when a pixel is not opaque, plain 32-bit RGB otherwise.
    bool translucent = false;
    if (image.hasAlphaChannel()) {
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < argb.height() && !translucent; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            for (int x = 0; x < argb.width() && !translucent; ++x)
                translucent = qAlpha(row[x]) != 255;
        }
    }
    image = image.convertToFormat(translucent ? QImage::Format_ARGB32_Premultiplied
                                              : QImage::Format_RGB32);
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "%s: %s\n", argv[2], qPrintable(out.errorString()));
        return 1;
    }
    const quint32 header[4] = {qToLittleEndian(quint32(0x43495052)), // "RPIC"
                               qToLittleEndian(quint32(image.width())),
                               qToLittleEndian(quint32(image.height())),
                               qToLittleEndian(quint32(image.format()))};
    out.write(reinterpret_cast<const char*>(header), sizeof header);
    for (int y = 0; y < image.height(); ++y)
        out.write(reinterpret_cast<const char*>(image.constScanLine(y)), image.width() * 4);
    return out.error() == QFileDevice::NoError ? 0 : 1;
}
