#include "RichDocument.h"

#include "RvfContent.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>
#include <algorithm>

namespace {

QByteArray pngBytes()
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

RvfItem text(const QString &t, int style, const QString &tag = {}, std::optional<RVCheckpoint> cp = {})
{
    RvfItem item;
    item.text = t;
    item.styleNo = style;
    item.tag = tag;
    item.checkpoint = std::move(cp);
    return item;
}

RvfBlock paragraph(int paraNo, std::vector<RvfItem> items)
{
    RvfBlock b;
    b.paragraph.paraNo = paraNo;
    b.paragraph.items = std::move(items);
    return b;
}

} // namespace

void fillRichDocument(RVDocument &doc)
{
    TRVStyle &s = doc.style();
    RVTextStyle t;
    t.name = QStringLiteral("Заголовок \"1\"");
    t.fontName = QStringLiteral("Arial");
    t.size = 14;
    t.bold = t.italic = t.underline = t.strikeOut = t.overline = true;
    t.underlineType = RVUnderline::Wavy;
    t.caps = RVCaps::SmallCaps;
    t.charset = 204;
    t.color = 0x123456;
    t.backColor = 0x00FF00;
    t.hoverColor = 0x0000FF;
    t.hoverBackColor = rvsys::ButtonFace;
    t.vShift = 30;
    t.charSpacing = 2;
    t.charScale = 80;
    t.jump = true;
    t.deleteProtect = true;
    t.noAutoSwitch = true;
    t.unicode = false;
    t.nextStyleNo = 0;
    t.standard = false;
    s.TextStyles.push_back(t);
    const int heading = int(s.TextStyles.size()) - 1;

    RVParaStyle p;
    p.name = QStringLiteral("Indented");
    p.alignment = RVAlignment::Justify;
    p.leftIndent = 10;
    p.rightIndent = 11;
    p.firstIndent = -12;
    p.spaceBefore = 13;
    p.spaceAfter = 14;
    p.border = {RVBorderStyle::Double, 0x808080, 3, false, true, false, true, 1, 2, 3, 4};
    p.backColor = 0xEEEEEE;
    p.backOffsetLeft = 5;
    p.backOffsetTop = 6;
    p.backOffsetRight = 7;
    p.backOffsetBottom = 8;
    p.lineSpacing = 150;
    p.tabs = {{100, RVTabAlign::Decimal, RVTabLeader::Dots}, {200, RVTabAlign::Bar, RVTabLeader::Equals}};
    p.keepWithNext = p.keepLinesTogether = p.pageBreakBefore = true;
    p.nextParaNo = 0;
    p.standard = false;
    s.ParaStyles.push_back(p);
    const int indented = int(s.ParaStyles.size()) - 1;

    RVListStyle list;
    list.name = QStringLiteral("Numbers");
    RVListLevel level;
    level.kind = RVListKind::UpperRoman;
    level.leftIndent = 30;
    level.firstIndent = -10;
    level.bulletFont = QStringLiteral("Wingdings");
    level.bulletText = QStringLiteral("*");
    level.startFrom = 3;
    level.prefix = QStringLiteral("(");
    level.suffix = QStringLiteral(")");
    list.levels = {level, RVListLevel{}};
    s.ListStyles.push_back(list);
    const int listNo = int(s.ListStyles.size()) - 1;

    RvfContent c;
    c.blocks.push_back(paragraph(0, {text(QStringLiteral("Plain Русский текст\tс табуляцией"), 0),
                                     text(QStringLiteral("link"), heading, QStringLiteral("https://example.org/?a=1&b=\"2\""),
                                          RVCheckpoint{QStringLiteral("cp1"), QStringLiteral("tag1"), false}),
                                     text(QStringLiteral("line\u2028break 中文"), 0, {}, RVCheckpoint{{}, {}, true})}));
    RvfItem picture;
    picture.kind = RvfItem::Picture;
    picture.picture = {RVPictureKind::Png, pngBytes(), QSize(30, 20)};
    picture.tag = QStringLiteral("pic");
    picture.checkpoint = RVCheckpoint{QStringLiteral("at picture"), {}, false};
    std::vector<RvfItem> objects{text(QStringLiteral("before "), 0), picture};
    for (const char *cls : {"TButton", "TEdit", "TMemo", "TLabel", "TCheckBox", "TRadioButton"}) {
        RvfItem control;
        control.kind = RvfItem::Control;
        control.control = {QLatin1String(cls), QStringLiteral("Caption of %1\r\nsecond").arg(QLatin1String(cls)),
                           QSize(80, 24)};
        objects.push_back(control);
    }
    objects.back().checkpoint = RVCheckpoint{QStringLiteral("on control"), QStringLiteral("t"), false};
    objects.push_back(picture); // the same picture twice is stored once
    c.blocks.push_back(paragraph(indented, std::move(objects)));
    for (const char *item : {"item one", "item two"}) {
        RvfBlock numbered = paragraph(0, {text(QLatin1String(item), 0)});
        numbered.paragraph.listNo = listNo;
        numbered.paragraph.listLevel = 1;
        c.blocks.push_back(numbered);
    }
    RvfBlock broken = paragraph(0, {text(QStringLiteral("after a page break"), heading)});
    broken.paragraph.pageBreakBefore = true;
    c.blocks.push_back(broken);
    c.blocks.push_back(paragraph(0, {text({}, heading)})); // an empty paragraph in a style of its own

    auto table = std::make_shared<RvfTable>();
    table->rows = 2;
    table->columns = 3;
    table->border = 1;
    table->cellSpacing = 3;
    table->cellPadding = 4;
    table->columnWidths = {100, 0, 50};
    RvfCell merged;
    merged.columnSpan = 2;
    merged.background = 0x00FFFF;
    merged.left = {1, 0x0000FF};
    merged.bottom = {3, 0x00FF00};
    merged.blocks = {paragraph(indented, {text(QStringLiteral("merged"), heading)}),
                     paragraph(0, {text(QStringLiteral("second paragraph"), 0)})};
    table->cells.push_back(merged);
    RvfCell right;
    right.column = 2;
    right.rowSpan = 2;
    right.blocks = {paragraph(0, {text(QStringLiteral("tall"), 0, QStringLiteral("celltag"),
                                       RVCheckpoint{QStringLiteral("in cell"), {}, false})})};
    table->cells.push_back(right);
    for (int col = 0; col < 2; ++col) {
        RvfCell cell;
        cell.row = 1;
        cell.column = col;
        cell.blocks = {paragraph(0, {text(QStringLiteral("c%1").arg(col), 0)})};
        table->cells.push_back(cell);
    }
    RvfBlock tableBlock;
    tableBlock.table = table;
    c.blocks.push_back(tableBlock);
    c.blocks.push_back(paragraph(indented, {text(QStringLiteral("the end, in a style of its own"), 0)}));
    c.endCheckpoint = RVCheckpoint{QStringLiteral("after the last item"), QStringLiteral("end"), false};

    QTextCursor cursor(doc.textDocument());
    insertContent(cursor, doc.style(), c);
    setEndCheckpoint(*doc.textDocument(), c.endCheckpoint);

    doc.setBackground(0xF0E0D0);
    doc.setLayout({5, 6, 7, 8});
    doc.setPageSetup({12240, 15840, 1000, 1100, 1200, 1300});
    doc.textDocument()->setMetaInformation(QTextDocument::DocumentTitle, QStringLiteral("Title «с кавычками»"));
}

namespace {

// For every paragraph, which of the document's lists it belongs to (-1 for none): a list that was
// broken in two numbers its second half from one again although every paragraph keeps its list style.
std::vector<int> listRuns(const QTextDocument &doc)
{
    std::vector<const QTextList *> seen;
    std::vector<int> runs;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextList *list = b.textList();
        if (list && std::find(seen.begin(), seen.end(), list) == seen.end())
            seen.push_back(list);
        runs.push_back(list ? int(std::find(seen.begin(), seen.end(), list) - seen.begin()) : -1);
    }
    return runs;
}

} // namespace

QString modelDifference(const RVDocument &a, const RVDocument &b)
{
    if (!(a.style().TextStyles == b.style().TextStyles))
        return QStringLiteral("text styles");
    if (!(a.style().ParaStyles == b.style().ParaStyles))
        return QStringLiteral("paragraph styles");
    if (!(a.style().ListStyles == b.style().ListStyles))
        return QStringLiteral("list styles");
    if (a.background() != b.background())
        return QStringLiteral("background");
    if (!(a.layout() == b.layout()))
        return QStringLiteral("layout");
    if (!(a.pageSetup() == b.pageSetup()))
        return QStringLiteral("page setup");
    if (a.textDocument()->metaInformation(QTextDocument::DocumentTitle)
        != b.textDocument()->metaInformation(QTextDocument::DocumentTitle))
        return QStringLiteral("title");
    const RvfContent ca = contentOf(*a.textDocument()), cb = contentOf(*b.textDocument());
    if (ca.endCheckpoint != cb.endCheckpoint)
        return QStringLiteral("checkpoint after the last item");
    if (ca.blocks.size() != cb.blocks.size())
        return QStringLiteral("block count %1 / %2").arg(ca.blocks.size()).arg(cb.blocks.size());
    for (std::size_t i = 0; i < ca.blocks.size(); ++i)
        if (!(ca.blocks[i] == cb.blocks[i]))
            return QStringLiteral("block %1").arg(i);
    if (listRuns(*a.textDocument()) != listRuns(*b.textDocument()))
        return QStringLiteral("paragraphs are grouped into lists differently");
    return {};
}
