// Pictures as items: what a document decodes to show them, and what it refuses to.

#include "RVDocument.h"
#include "RVPicture.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

QByteArray png(QSize size, QColor color, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(size, format);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The image formats of the document's pictures, in order.
std::vector<QTextImageFormat> pictureFormats(const QTextDocument &doc)
{
    std::vector<QTextImageFormat> formats;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                for (int i = 0; i < it.fragment().length(); ++i)
                    formats.push_back(it.fragment().charFormat().toImageFormat());
    return formats;
}

QImage shownImage(const QTextDocument &doc, const QTextImageFormat &f)
{
    return doc.resource(QTextDocument::ImageResource, QUrl(f.name())).value<QImage>();
}

} // namespace

// The same picture a thousand times is decoded once; a metafile of the largest size shows as a small
// box scaled up, not as a quarter of a gigabyte of grey.
TEST(Picture, RepeatsShareOneImageAndPlaceholdersStaySmall)
{
    RVDocument doc;
    QTextCursor c(doc.textDocument());
    const RVPicture photo{RVPictureKind::Png, png(QSize(40, 30), Qt::red), QSize()};
    const RVPicture metafile{RVPictureKind::Wmf, QByteArray("not drawable here"), QSize(8192, 8192)};
    for (int i = 0; i < 1000; ++i) {
        insertPicture(c, photo);
        insertPicture(c, metafile);
    }
    const std::vector<QTextImageFormat> formats = pictureFormats(*doc.textDocument());
    ASSERT_EQ(formats.size(), 2000u);
    EXPECT_EQ(formats[0].name(), formats[2].name());
    EXPECT_NE(formats[0].name(), formats[1].name());
    EXPECT_EQ(shownImage(*doc.textDocument(), formats[0]).size(), QSize(40, 30));
    EXPECT_EQ(QSize(int(formats[0].width()), int(formats[0].height())), QSize(40, 30));
    EXPECT_EQ(shownImage(*doc.textDocument(), formats[1]).size(), QSize(32, 32));
    EXPECT_EQ(QSize(int(formats[1].width()), int(formats[1].height())), QSize(8192, 8192));
}

// Pictures that compress to almost nothing can take a hundred megabytes each to show; past a
// gigabyte a document shows the rest as placeholders. Clearing the document gives it its allowance
// back. (One-bit pictures keep the test quick; each is charged as drawing it may cost.)
TEST(Picture, DecodingStopsAtTheDocumentsAllowance)
{
    RVDocument doc;
    QTextCursor c(doc.textDocument());
    const QSize side(5000, 5000); // 100 MB each, ten fit in a gigabyte
    for (int i = 0; i < 11; ++i)
        insertPicture(c, RVPicture{RVPictureKind::Png, png(side, i % 2 ? Qt::color1 : Qt::color0, QImage::Format_Mono)
                                                            + QByteArray(i, '\0'),
                                   QSize(50, 50)});
    std::vector<QTextImageFormat> formats = pictureFormats(*doc.textDocument());
    ASSERT_EQ(formats.size(), 11u);
    EXPECT_EQ(shownImage(*doc.textDocument(), formats[9]).size(), side);
    EXPECT_EQ(shownImage(*doc.textDocument(), formats[10]).size(), QSize(32, 32));

    doc.clear();
    QTextCursor again(doc.textDocument());
    insertPicture(again, RVPicture{RVPictureKind::Png, png(side, Qt::color1, QImage::Format_Mono), QSize(50, 50)});
    formats = pictureFormats(*doc.textDocument());
    ASSERT_EQ(formats.size(), 1u);
    EXPECT_EQ(shownImage(*doc.textDocument(), formats[0]).size(), side);
}
