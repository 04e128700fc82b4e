#include "RVPicture.h"

#include <QImage>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>

namespace {

// A DIB has no file header; QImage reads bitmaps only with one.
QImage imageFromDib(const QByteArray &dib)
{
    if (dib.size() < 40)
        return {};
    auto le32 = [&](int at) {
        return quint32(uchar(dib[at])) | quint32(uchar(dib[at + 1])) << 8 | quint32(uchar(dib[at + 2])) << 16
               | quint32(uchar(dib[at + 3])) << 24;
    };
    const quint32 headerSize = le32(0);
    const quint32 bitCount = quint32(uchar(dib[14])) | quint32(uchar(dib[15])) << 8;
    quint32 colors = le32(32);
    if (colors == 0 && bitCount <= 8)
        colors = 1u << bitCount;
    if (headerSize > quint32(dib.size()) || colors > 256)
        return {};
    const quint32 offset = 14 + headerSize + colors * 4;
    const quint32 total = 14 + quint32(dib.size());
    QByteArray header("BM", 2);
    for (const quint32 v : {total, 0u, offset})
        for (int i = 0; i < 4; ++i)
            header.append(char((v >> (8 * i)) & 0xFF));
    return QImage::fromData(header + dib, "BMP");
}

QImage placeholder(QSize size)
{
    QImage image(size.isValid() && !size.isEmpty() ? size : QSize(32, 32), QImage::Format_RGB32);
    image.fill(Qt::lightGray);
    QPainter p(&image);
    p.setPen(Qt::darkGray);
    p.drawRect(image.rect().adjusted(0, 0, -1, -1));
    return image;
}

QImage render(const RVPicture &picture)
{
    QImage image;
    switch (picture.kind) {
    case RVPictureKind::Png: image = QImage::fromData(picture.data, "PNG"); break;
    case RVPictureKind::Jpeg: image = QImage::fromData(picture.data, "JPEG"); break;
    case RVPictureKind::Dib: image = imageFromDib(picture.data); break;
    case RVPictureKind::Wmf:
    case RVPictureKind::Emf: break;
    }
    return image.isNull() ? placeholder(picture.size) : image;
}

} // namespace

void insertPicture(QTextCursor &cursor, const RVPicture &picture)
{
    QTextDocument *doc = cursor.document();
    const QImage image = render(picture);
    // Each picture gets its own resource name, numbered per document.
    const qulonglong serial = doc->property("rvPictureCount").toULongLong() + 1;
    doc->setProperty("rvPictureCount", serial);
    const QString name = QStringLiteral("rvpicture:%1").arg(serial);
    doc->addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat f;
    f.setName(name);
    const QSize size = picture.size.isValid() && !picture.size.isEmpty() ? picture.size : image.size();
    f.setWidth(size.width());
    f.setHeight(size.height());
    f.setProperty(rvprop::PictureData, picture.data);
    f.setProperty(rvprop::PictureKind, int(picture.kind));
    cursor.insertImage(f);
}

std::optional<RVPicture> pictureOf(const QTextCharFormat &format)
{
    if (!format.isImageFormat() || !format.hasProperty(rvprop::PictureData))
        return std::nullopt;
    const QTextImageFormat f = format.toImageFormat();
    RVPicture p;
    p.kind = RVPictureKind(std::clamp(f.intProperty(rvprop::PictureKind), 0, int(RVPictureKind::Emf)));
    p.data = f.property(rvprop::PictureData).toByteArray();
    p.size = QSize(int(f.width()), int(f.height()));
    return p;
}

QByteArray dibFromDeviceBitmap(const QByteArray &bits, int width, int height, int bitsPerPixel, int widthBytes)
{
    if ((bitsPerPixel != 1 && bitsPerPixel != 24 && bitsPerPixel != 32) || width <= 0 || height <= 0
        || width > 20000 || height > 20000)
        return {};
    const qsizetype rowBytes = (qsizetype(width) * bitsPerPixel + 7) / 8;
    if (widthBytes < rowBytes)
        widthBytes = int((rowBytes + 1) / 2 * 2); // device rows are padded to 16 bits
    if (qsizetype(widthBytes) * height > bits.size())
        return {};
    const qsizetype dibRow = (rowBytes + 3) / 4 * 4;
    QByteArray dib;
    auto put32 = [&dib](quint32 v) {
        for (int i = 0; i < 4; ++i)
            dib.append(char((v >> (8 * i)) & 0xFF));
    };
    auto put16 = [&dib](quint16 v) {
        dib.append(char(v & 0xFF));
        dib.append(char(v >> 8));
    };
    put32(40);
    put32(quint32(width));
    put32(quint32(-height)); // negative: top-down rows
    put16(1);
    put16(quint16(bitsPerPixel));
    put32(0);
    put32(quint32(dibRow * height));
    put32(2835);
    put32(2835);
    put32(bitsPerPixel == 1 ? 2 : 0);
    put32(0);
    if (bitsPerPixel == 1) {
        put32(0x000000);
        put32(0xFFFFFF);
    }
    for (int y = 0; y < height; ++y) {
        dib.append(bits.constData() + qsizetype(y) * widthBytes, rowBytes);
        dib.append(QByteArray(dibRow - rowBytes, '\0'));
    }
    return dib;
}
