#include "Pictures.h"

#include <QDataStream>
#include <QIconEngine>
#include <QLabel>
#include <QPainter>
#include <QResource>
#include <array>
#include <memory>
#include <set>

namespace {
constexpr std::array<qreal, 5> kScales = {1.0, 1.25, 1.5, 1.75, 2.0};
constexpr int kHeaderSize = 16; // "RPIC", width, height, QImage::Format (resources/pictures)

QString RenderingFile(const QString& name, qreal scale) {
    return scale == 1.0 ? name : QStringLiteral("%1@%2x").arg(name).arg(scale);
}

// The smallest scale whose rendering of a picture `size` big at 100 % covers `device` pixels,
// else the largest.
qreal ScaleFor(QSize size, QSize device) {
    for (const qreal scale : kScales) {
        const QSize rendering = size * scale; // rounded as the renderings were made
        if (rendering.width() >= device.width() && rendering.height() >= device.height())
            return scale;
    }
    return kScales.back();
}

// Serves the pixmaps of one picture from its stored renderings. Which one a pixmap is made
// from, and how it is scaled, cached and drawn greyed or active, is left to a plain QIcon that
// holds the renderings unpacked so far.
class PictureIconEngine final : public QIconEngine {
public:
    PictureIconEngine(const QString& name, QSize size)
        : name_(name)
        , size_(size) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        const qreal scale = ScaleFor(size_, size);
        if (unpacked_.insert(scale).second)
            renderings_.addPixmap(StoredPicture(RenderingFile(name_, scale)));
        return renderings_.pixmap(size, 1.0, mode, state);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device()->devicePixelRatio();
        QPixmap drawn = pixmap(rect.size() * ratio, mode, state);
        drawn.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect.topLeft(), drawn);
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        QSize actual = size_ * ScaleFor(size_, size);
        if (actual.width() > size.width() || actual.height() > size.height())
            actual.scale(size, Qt::KeepAspectRatio);
        return actual;
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const qreal scale : kScales)
            sizes << size_ * scale;
        return sizes;
    }
    QString key() const override { return QStringLiteral("PictureIconEngine"); }
    QIconEngine* clone() const override { return new PictureIconEngine(*this); }

private:
    QString name_;
    QSize size_;
    QIcon renderings_;
    std::set<qreal> unpacked_;
};

void ReleaseBuffer(void* buffer) {
    delete static_cast<QByteArray*>(buffer);
}
} // namespace

QIcon PictureIcon(const QString& name, QSize size) {
    return QIcon(new PictureIconEngine(name, size));
}

void ShowPicture(QLabel& label, const QString& name) {
    const qreal ratio = label.devicePixelRatioF();
    const QSize device = label.size() * ratio;
    QPixmap picture = StoredPicture(RenderingFile(name, ScaleFor(label.size(), device)));
    if (picture.size() != device) // a scale between the renderings'
        picture = picture.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    picture.setDevicePixelRatio(ratio);
    label.setPixmap(picture);
}

QPixmap StoredPicture(const QString& file) {
    const QResource resource(QStringLiteral(":/pictures/") + file);
    auto data = std::make_unique<QByteArray>(resource.uncompressedData());
    QDataStream header(*data);
    header.setByteOrder(QDataStream::LittleEndian);
    quint32 magic = 0, width = 0, height = 0, format = 0;
    header >> magic >> width >> height >> format;
    if (header.status() != QDataStream::Ok || magic != 0x43495052 ||
        data->size() != kHeaderSize + qsizetype(width) * height * 4)
        return {};
    // The image paints straight from the unpacked bytes, which it frees with itself.
    const auto* pixels = reinterpret_cast<const uchar*>(data->constData() + kHeaderSize);
    QImage image(pixels, int(width), int(height), int(width) * 4, QImage::Format(format),
                 ReleaseBuffer, data.get());
    data.release();
    return QPixmap::fromImage(std::move(image));
}
