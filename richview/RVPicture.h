#pragma once
// Pictures as document items. A picture keeps the bytes it was read from and their kind, so a
// file written again carries the same picture; Qt draws it from an image resource of the document.
// Metafiles cannot be drawn here: they show as a grey box of their size and are kept as they came.

#include <QByteArray>
#include <QSize>
#include <QTextImageFormat>
#include <optional>

class QTextCursor;
class QTextDocument;

enum class RVPictureKind { Png, Jpeg, Dib, Wmf, Emf };

struct RVPicture {
    RVPictureKind kind = RVPictureKind::Png;
    QByteArray data; // the picture's file bytes (a DIB without its file header, a metafile as it came)
    QSize size;      // display size in pixels; empty = the picture's own size
    bool operator==(const RVPicture &) const = default;
};

namespace rvprop {
constexpr int PictureData = QTextFormat::UserProperty + 10; // QTextImageFormat: RVPicture::data
constexpr int PictureKind = QTextFormat::UserProperty + 11; // QTextImageFormat: int(RVPicture::kind)
} // namespace rvprop

// Inserts the picture at the cursor as one object item.
void insertPicture(QTextCursor &cursor, const RVPicture &picture);

// The picture an object item holds (none for other items).
std::optional<RVPicture> pictureOf(const QTextCharFormat &format);

// The rows of a device-dependent bitmap (as files written on Windows carry them) as a DIB, for the
// depths that need no device palette (1, 24 and 32 bits per pixel); empty for anything else.
// `widthBytes` is the length of a row in `bits` (0: the shortest that holds it).
QByteArray dibFromDeviceBitmap(const QByteArray &bits, int width, int height, int bitsPerPixel, int widthBytes);
