#include "RVPicture.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>

namespace {

// A document decodes at most this many bytes of pictures; the rest show as placeholders. A small
// file can hold many pictures that compress well and decode to a hundred megabytes each.
constexpr qint64 kDecodedBytesPerDocument = qint64(1) << 30;

// A DIB has no file header; image readers know bitmaps only with one.
QByteArray bmpFromDib(const QByteArray &dib)
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
    return header + dib;
}

// Decodes the picture when its declared size fits what the document may still decode; `cost` is
// what it is charged: four bytes a pixel, what drawing it may take whatever its own depth.
QImage decode(const RVPicture &picture, qint64 budget, qint64 &cost)
{
    QByteArray bytes = picture.data;
    const char *format = nullptr;
    switch (picture.kind) {
    case RVPictureKind::Png: format = "PNG"; break;
    case RVPictureKind::Jpeg: format = "JPEG"; break;
    case RVPictureKind::Dib:
        bytes = bmpFromDib(picture.data);
        format = "BMP";
        break;
    case RVPictureKind::Wmf:
    case RVPictureKind::Emf: return {};
    }
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    cost = qint64(size.width()) * size.height() * 4;
    if (!size.isValid() || cost > budget)
        return {};
    return reader.read();
}

// A grey box; the image format scales it to the picture's display size.
QImage placeholder()
{
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(Qt::lightGray);
    QPainter p(&image);
    p.setPen(Qt::darkGray);
    p.drawRect(image.rect().adjusted(0, 0, -1, -1));
    return image;
}

// The pictures a document has decoded: identical pictures share one image resource, and the bytes
// decoded so far count against the document's allowance.
class DecodedPictures : public QObject
{
public:
    explicit DecodedPictures(QTextDocument *doc) : QObject(doc), doc_(doc) {}

    static DecodedPictures &of(QTextDocument *doc)
    {
        auto *store = static_cast<DecodedPictures *>(doc->property(kProperty).value<QObject *>());
        if (!store) {
            store = new DecodedPictures(doc);
            doc->setProperty(kProperty, QVariant::fromValue<QObject *>(store));
        }
        return *store;
    }

    // The resource that shows the picture, decoding it if the document has not yet.
    QUrl resourceFor(const RVPicture &picture)
    {
        // Clearing a document drops all its resources at once; the allowance starts again then.
        if (!first_.isEmpty() && !doc_->resource(QTextDocument::ImageResource, first_).isValid()) {
            first_.clear();
            decodedBytes_ = 0;
            byBuffer_.clear();
        }
        // A reader hands every item that shows one picture the same shared bytes: they are hashed once,
        // not once an item (a small file can name one large picture thousands of times).
        const auto known = byBuffer_.constFind(picture.data.constData());
        if (known != byBuffer_.cend() && known->data.size() == picture.data.size() && known->kind == picture.kind)
            return known->name;
        QCryptographicHash hash(QCryptographicHash::Sha256);
        hash.addData(QByteArrayView(QByteArray::number(int(picture.kind))));
        hash.addData(picture.data);
        const QUrl name(QStringLiteral("rvpicture:") + QString::fromLatin1(hash.result().toHex()));
        // The entry keeps the bytes alive, so their address stands for them as long as it is kept.
        byBuffer_.insert(picture.data.constData(), {picture.data, picture.kind, name});
        if (doc_->resource(QTextDocument::ImageResource, name).isValid())
            return name;
        qint64 cost = 0;
        QImage image = decode(picture, kDecodedBytesPerDocument - decodedBytes_, cost);
        if (image.isNull())
            image = placeholder();
        else
            decodedBytes_ += cost;
        doc_->addResource(QTextDocument::ImageResource, name, image);
        if (first_.isEmpty())
            first_ = name;
        return name;
    }

private:
    static constexpr const char *kProperty = "rvDecodedPictures";
    struct Known {
        QByteArray data;
        RVPictureKind kind;
        QUrl name;
    };
    QTextDocument *doc_;
    QHash<const char *, Known> byBuffer_;
    QUrl first_;
    qint64 decodedBytes_ = 0;
};

} // namespace

void insertPicture(QTextCursor &cursor, const RVPicture &picture)
{
    QTextDocument *doc = cursor.document();
    const QUrl name = DecodedPictures::of(doc).resourceFor(picture);
    QSize size = picture.size;
    if (!size.isValid() || size.isEmpty())
        size = doc->resource(QTextDocument::ImageResource, name).value<QImage>().size();
    QTextImageFormat f;
    f.setName(name.toString());
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
