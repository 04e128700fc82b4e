#include "RtfWriter.h"

#include "RVDocument.h"
#include "RVPicture.h"
#include "RtfCodePages.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <map>

namespace {

constexpr int kTwipsPerPixel = 15;
// The code page of the 8-bit copy written after every \u for fonts of the default character set.
constexpr int kFallbackCodePage = 1251;

RVColor resolved(RVColor color)
{
    const QColor c = toQColor(color);
    return c.isValid() ? rvColor(c.red(), c.green(), c.blue()) : 0;
}

RVListKind listKindOf(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListDecimal: return RVListKind::Decimal;
    case QTextListFormat::ListLowerAlpha: return RVListKind::LowerAlpha;
    case QTextListFormat::ListUpperAlpha: return RVListKind::UpperAlpha;
    case QTextListFormat::ListLowerRoman: return RVListKind::LowerRoman;
    case QTextListFormat::ListUpperRoman: return RVListKind::UpperRoman;
    default: return RVListKind::Bullet;
    }
}

int levelFormatNumber(RVListKind kind)
{
    switch (kind) {
    case RVListKind::Decimal: return 0;
    case RVListKind::UpperRoman: return 1;
    case RVListKind::LowerRoman: return 2;
    case RVListKind::UpperAlpha: return 3;
    case RVListKind::LowerAlpha: return 4;
    case RVListKind::Bullet: break;
    }
    return 23;
}

class Writer
{
public:
    Writer(const RVDocument &doc, const QString &path)
        : doc_(doc), style_(doc.style()), path_(path), lists_(doc.style().ListStyles)
    {
    }

    std::string run()
    {
        // Fonts and colours are numbered as the body meets them, so the body is written first.
        for (const RVTextStyle &s : style_.TextStyles) {
            fontIndex(s.fontName, s.charset);
            colorIndex(s.color);
            if (s.backColor != rvNoColor)
                colorIndex(s.backColor);
        }
        std::string body;
        out_ = &body;
        frame(doc_.textDocument()->rootFrame(), 0);

        std::string head = "{\\rtf1\\ansi\\ansicpg" + std::to_string(kFallbackCodePage) + "\\deff0\\uc1\r\n";
        std::string sheet;
        out_ = &sheet;
        styleSheet();
        std::string listTable;
        out_ = &listTable;
        listTables();
        std::string doc;
        out_ = &doc;
        documentFormat();

        std::string fonts = "{\\fonttbl";
        out_ = &fonts;
        for (std::size_t i = 0; i < fonts_.size(); ++i) {
            put("{\\f" + std::to_string(i) + "\\fnil\\fcharset" + std::to_string(fonts_[i].second) + " ");
            escaped(fonts_[i].first, codePageOf(fonts_[i].second));
            put(";}");
        }
        put("}\r\n");
        std::string colors = "{\\colortbl;";
        for (const RVColor c : colors_)
            colors += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string((c >> 8) & 0xFF) + "\\blue"
                      + std::to_string((c >> 16) & 0xFF) + ";";
        colors += "}\r\n";
        return head + fonts + colors + sheet + listTable + doc + body + "}\r\n";
    }

private:
    void put(std::string_view s) { out_->append(s); }
    void put(int n) { out_->append(std::to_string(n)); }
    void word(std::string_view name, int n)
    {
        out_->push_back('\\');
        out_->append(name);
        out_->append(std::to_string(n));
    }

    static int codePageOf(int charset)
    {
        const int cp = rtfcp::codePageOfCharset(charset);
        return cp ? cp : kFallbackCodePage;
    }

    int fontIndex(const QString &name, int charset)
    {
        const auto key = std::make_pair(name, charset);
        const auto it = std::find(fonts_.begin(), fonts_.end(), key);
        if (it != fonts_.end())
            return int(it - fonts_.begin());
        fonts_.push_back(key);
        return int(fonts_.size() - 1);
    }

    // Colour table index (1-based; 0 is the reader's automatic colour).
    int colorIndex(RVColor color)
    {
        const RVColor c = resolved(color);
        const auto it = std::find(colors_.begin(), colors_.end(), c);
        if (it != colors_.end())
            return int(it - colors_.begin()) + 1;
        colors_.push_back(c);
        return int(colors_.size());
    }

    // Text with RTF's escapes; characters beyond ASCII as \u with an 8-bit copy for old readers.
    void escaped(QStringView text, int codePage)
    {
        for (const QChar qc : text) {
            const char16_t c = qc.unicode();
            switch (c) {
            case u'\\': put("\\\\"); continue;
            case u'{': put("\\{"); continue;
            case u'}': put("\\}"); continue;
            case u'\t': put("\\tab "); continue;
            case 0x2028: put("\\line "); continue;
            case 0x00A0: put("\\~"); continue;
            case 0x00AD: put("\\-"); continue;
            case 0x2011: put("\\_"); continue;
            default: break;
            }
            if (c < 0x20)
                continue;
            if (c < 0x80) {
                out_->push_back(char(c));
                continue;
            }
            word("u", c > 0x7FFF ? int(c) - 0x10000 : int(c));
            char byte = '?';
            if (rtfcp::fromUnicode(codePage, c, byte)) {
                static const char hex[] = "0123456789abcdef";
                const auto b = static_cast<unsigned char>(byte);
                put("\\'");
                out_->push_back(hex[b >> 4]);
                out_->push_back(hex[b & 15]);
            } else {
                out_->push_back('?');
            }
        }
    }

    void charProps(const RVTextStyle &s)
    {
        word("f", fontIndex(s.fontName, s.charset));
        word("fs", s.size * 2);
        if (s.bold) put("\\b");
        if (s.italic) put("\\i");
        if (s.underline) {
            switch (s.underlineType) {
            case RVUnderline::Single: put("\\ul"); break;
            case RVUnderline::Double: put("\\uldb"); break;
            case RVUnderline::Thick: put("\\ulth"); break;
            case RVUnderline::Dotted: put("\\uld"); break;
            case RVUnderline::Dashed: put("\\uldash"); break;
            case RVUnderline::DashDotted: put("\\uldashd"); break;
            case RVUnderline::Wavy: put("\\ulwave"); break;
            case RVUnderline::Words: put("\\ulw"); break;
            }
        }
        if (s.strikeOut) put("\\strike");
        if (s.caps == RVCaps::AllCaps) put("\\caps");
        if (s.caps == RVCaps::SmallCaps) put("\\scaps");
        if (resolved(s.color) != 0)
            word("cf", colorIndex(s.color));
        if (s.backColor != rvNoColor) {
            const int back = colorIndex(s.backColor);
            word("highlight", back);
            word("chcbpat", back);
        }
        if (s.vShift == 50) put("\\super");
        else if (s.vShift == -50) put("\\sub");
        else if (s.vShift > 0) word("up", s.vShift * s.size * 2 / 100);
        else if (s.vShift < 0) word("dn", -s.vShift * s.size * 2 / 100);
        if (s.charSpacing != 0) word("expndtw", s.charSpacing * kTwipsPerPixel);
        if (s.charScale != 100) word("charscalex", s.charScale);
        put(" ");
    }

    void paraProps(const RVParaStyle &p)
    {
        switch (p.alignment) {
        case RVAlignment::Left: put("\\ql"); break;
        case RVAlignment::Right: put("\\qr"); break;
        case RVAlignment::Center: put("\\qc"); break;
        case RVAlignment::Justify: put("\\qj"); break;
        }
        word("li", p.leftIndent * kTwipsPerPixel);
        word("ri", p.rightIndent * kTwipsPerPixel);
        word("fi", p.firstIndent * kTwipsPerPixel);
        word("sb", p.spaceBefore * kTwipsPerPixel);
        word("sa", p.spaceAfter * kTwipsPerPixel);
        if (p.lineSpacing != 100) {
            word("sl", p.lineSpacing * 240 / 100);
            put("\\slmult1");
        }
        for (const RVTab &t : p.tabs) {
            switch (t.align) {
            case RVTabAlign::Center: put("\\tqc"); break;
            case RVTabAlign::Right: put("\\tqr"); break;
            case RVTabAlign::Decimal: put("\\tqdec"); break;
            case RVTabAlign::Left:
            case RVTabAlign::Bar: break;
            }
            switch (t.leader) {
            case RVTabLeader::Dots: put("\\tldot"); break;
            case RVTabLeader::Hyphens: put("\\tlhyph"); break;
            case RVTabLeader::Underline: put("\\tlul"); break;
            case RVTabLeader::Thick: put("\\tlth"); break;
            case RVTabLeader::Equals: put("\\tleq"); break;
            case RVTabLeader::None: break;
            }
            word(t.align == RVTabAlign::Bar ? "tb" : "tx", t.position * kTwipsPerPixel);
        }
        const RVBorder &b = p.border;
        if (b.style != RVBorderStyle::None) {
            const char *kind = b.style == RVBorderStyle::Double ? "\\brdrdb" : b.style == RVBorderStyle::Thick ? "\\brdrth" : "\\brdrs";
            const std::pair<bool, std::pair<const char *, int>> sides[] = {
                {b.top, {"\\brdrt", b.offsetTop}}, {b.left, {"\\brdrl", b.offsetLeft}},
                {b.bottom, {"\\brdrb", b.offsetBottom}}, {b.right, {"\\brdrr", b.offsetRight}}};
            for (const auto &[drawn, side] : sides) {
                if (!drawn)
                    continue;
                put(side.first);
                put(kind);
                word("brdrw", b.width * kTwipsPerPixel);
                word("brdrcf", colorIndex(b.color));
                word("brsp", side.second * kTwipsPerPixel);
            }
        }
        if (p.backColor != rvNoColor)
            word("cbpat", colorIndex(p.backColor));
        if (p.keepWithNext) put("\\keepn");
        if (p.keepLinesTogether) put("\\keep");
        if (p.pageBreakBefore) put("\\pagebb");
        put(" ");
    }

    int charStyleNumber(int textStyleNo) const { return int(style_.ParaStyles.size()) + textStyleNo; }

    void styleSheet()
    {
        // Readers look styles up by name, and paragraph and character styles share one set of
        // names there: a name met again gets a number (the reader takes it off again).
        std::map<QString, int> seen;
        auto unique = [&seen](const QString &name) {
            const int n = ++seen[name];
            return n == 1 ? name : name + QLatin1Char(' ') + QString::number(n);
        };
        put("{\\stylesheet");
        for (std::size_t i = 0; i < style_.ParaStyles.size(); ++i) {
            put("{");
            word("s", int(i));
            paraProps(style_.ParaStyles[i]);
            escaped(unique(style_.ParaStyles[i].name), kFallbackCodePage);
            put(";}");
        }
        for (std::size_t i = 0; i < style_.TextStyles.size(); ++i) {
            put("{\\*");
            word("cs", charStyleNumber(int(i)));
            put("\\additive");
            charProps(style_.TextStyles[i]);
            escaped(unique(style_.TextStyles[i].name), kFallbackCodePage);
            put(";}");
        }
        put("}\r\n");
    }

    // The list style a Qt list shows; lists made in the editor without one get one here.
    int listStyleOf(const QTextList *list)
    {
        const QTextListFormat f = list->format();
        if (f.hasProperty(rvprop::ListStyleNo)) {
            const int no = f.intProperty(rvprop::ListStyleNo);
            if (no >= 0 && std::size_t(no) < lists_.size())
                return no;
        }
        RVListStyle made;
        made.name = QStringLiteral("List");
        RVListLevel level;
        level.kind = listKindOf(f.style());
        level.prefix = f.numberPrefix();
        level.suffix = f.numberSuffix().isEmpty() && level.kind != RVListKind::Bullet ? QStringLiteral(".") : f.numberSuffix();
        made.levels.push_back(level);
        for (std::size_t i = 0; i < lists_.size(); ++i)
            if (lists_[i].levels == made.levels)
                return int(i);
        lists_.push_back(made);
        return int(lists_.size() - 1);
    }

    int listTableIndex(int listStyleNo)
    {
        const auto it = std::find(usedLists_.begin(), usedLists_.end(), listStyleNo);
        if (it != usedLists_.end())
            return int(it - usedLists_.begin()) + 1;
        usedLists_.push_back(listStyleNo);
        return int(usedLists_.size());
    }

    void listTables()
    {
        if (usedLists_.empty())
            return;
        put("{\\*\\listtable");
        for (std::size_t i = 0; i < usedLists_.size(); ++i) {
            const RVListStyle &list = lists_[std::size_t(usedLists_[i])];
            put("{\\list");
            word("listtemplateid", int(i) + 1);
            for (std::size_t n = 0; n < list.levels.size(); ++n) {
                const RVListLevel &l = list.levels[n];
                const int nfc = levelFormatNumber(l.kind);
                put("{\\listlevel");
                word("levelnfc", nfc);
                word("levelnfcn", nfc);
                put("\\leveljc0");
                word("levelstartat", l.kind == RVListKind::Bullet ? 1 : l.startFrom);
                QString text;
                if (l.kind == RVListKind::Bullet)
                    text = l.bulletText;
                else
                    text = l.prefix + QChar(char16_t(n)) + l.suffix;
                put("{\\leveltext");
                const auto hexByte = [this](int v) {
                    static const char hex[] = "0123456789abcdef";
                    put("\\'");
                    out_->push_back(hex[(v >> 4) & 15]);
                    out_->push_back(hex[v & 15]);
                };
                hexByte(int(std::min<qsizetype>(text.size(), 255)));
                for (const QChar c : text) {
                    if (c.unicode() < 9)
                        hexByte(c.unicode());
                    else
                        escaped(QStringView(&c, 1), kFallbackCodePage);
                }
                put(";}{\\levelnumbers");
                if (l.kind != RVListKind::Bullet)
                    hexByte(int(l.prefix.size()) + 1);
                put(";}");
                if (l.kind == RVListKind::Bullet)
                    word("f", fontIndex(l.bulletFont, rvDefaultCharset));
                word("fi", l.firstIndent * kTwipsPerPixel);
                word("li", l.leftIndent * kTwipsPerPixel);
                put("}");
            }
            word("listid", int(i) + 1);
            put("}");
        }
        put("}\r\n{\\*\\listoverridetable");
        for (std::size_t i = 0; i < usedLists_.size(); ++i) {
            put("{\\listoverride");
            word("listid", int(i) + 1);
            put("\\listoverridecount0");
            word("ls", int(i) + 1);
            put("}");
        }
        put("}\r\n");
    }

    void documentFormat()
    {
        const RVPageSetup &p = doc_.pageSetup();
        word("paperw", p.paperWidth);
        word("paperh", p.paperHeight);
        word("margl", p.leftMargin);
        word("margr", p.rightMargin);
        word("margt", p.topMargin);
        word("margb", p.bottomMargin);
        if (doc_.background() != rvNoColor) {
            put("{\\*\\background{\\shp{\\*\\shpinst{\\sp{\\sn fillColor}{\\sv ");
            put(int(resolved(doc_.background())));
            put("}}}}}\\viewbksp1");
        }
        put("\r\n");
    }

    // ------------------------------------------------------------------------------------------

    void frame(const QTextFrame *f, int depth)
    {
        for (auto it = f->begin(); !it.atEnd(); ++it) {
            if (const auto *table = qobject_cast<const QTextTable *>(it.currentFrame())) {
                this->table(table, depth + 1);
            } else if (const QTextFrame *child = it.currentFrame()) {
                frame(child, depth);
            } else {
                block(it.currentBlock(), depth, "\\par");
            }
        }
    }

    void block(const QTextBlock &b, int depth, std::string_view end)
    {
        const QTextBlockFormat bf = b.blockFormat();
        const int paraNo = std::clamp(paraStyleNo(bf), 0, int(style_.ParaStyles.size()) - 1);
        const RVParaStyle &p = style_.ParaStyles[std::size_t(paraNo)];
        if ((bf.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) && !p.pageBreakBefore)
            put("\\page\r\n");
        put("\\pard\\plain");
        if (depth > 0) {
            put("\\intbl");
            word("itap", depth);
        }
        word("s", paraNo);
        paraProps(p);
        if (const QTextList *list = b.textList()) {
            const int level = list->format().hasProperty(rvprop::ListLevel) ? list->format().intProperty(rvprop::ListLevel) : 0;
            const int listNo = listStyleOf(list);
            word("ls", listTableIndex(listNo));
            word("ilvl", level);
            // The marker as text, for readers without lists.
            const auto &levels = lists_[std::size_t(listNo)].levels;
            const RVListLevel *l = levels.empty() ? nullptr : &levels[std::size_t(std::clamp(level, 0, int(levels.size()) - 1))];
            put("{\\listtext\\plain ");
            if (l && l->kind == RVListKind::Bullet) {
                word("f", fontIndex(l->bulletFont, rvDefaultCharset));
                put(" ");
                escaped(l->bulletText, kFallbackCodePage);
            } else {
                escaped(list->itemText(b), kFallbackCodePage);
            }
            put("\\tab}");
        }
        bool any = false;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            fragment(it.fragment());
            any = true;
        }
        if (!any)
            ++itemNo_; // an empty paragraph is one empty text item
        put(end);
        put("\r\n");
    }

    void fragment(const QTextFragment &frag)
    {
        const int itemNo = itemNo_++;
        const QTextCharFormat f = frag.charFormat();
        if (f.isImageFormat()) {
            picture(f.toImageFormat());
            return;
        }
        if (f.objectType() == rvobject::Control) {
            const QString cls = f.stringProperty(rvobject::ControlClass);
            QString out = QStringLiteral("\\plain\\b (") + cls + QLatin1Char(')');
            if (doc_.OnSaveComponentToFile)
                doc_.OnSaveComponentToFile(path_, f, RVSaveFormat::RTF, out);
            // The control's text resets the formatting; the group keeps that from the text after it.
            put("{");
            put(out.toStdString());
            put("}");
            return;
        }
        const int no = std::clamp(textStyleNo(f), 0, int(style_.TextStyles.size()) - 1);
        const RVTextStyle &s = style_.TextStyles[std::size_t(no)];
        QString target = f.stringProperty(rvprop::Tag);
        const bool link = s.jump && !target.isEmpty();
        if (link) {
            QString extras;
            if (doc_.OnWriteHyperlink)
                doc_.OnWriteHyperlink(itemNo, f, RVSaveFormat::RTF, target, extras);
            QString inst = target;
            inst.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
            put("{\\field{\\*\\fldinst HYPERLINK \"");
            escaped(inst, codePageOf(s.charset));
            put("\"}{\\fldrslt ");
        }
        put("\\plain");
        word("cs", charStyleNumber(no));
        charProps(s);
        QString text = frag.text();
        text.remove(QChar::ObjectReplacementCharacter);
        escaped(text, codePageOf(s.charset));
        if (link)
            put("}}");
    }

    void picture(const QTextImageFormat &f)
    {
        std::optional<RVPicture> pic = pictureOf(f);
        if (!pic) {
            // An image placed without its file bytes: written as PNG.
            const QImage image = doc_.textDocument()->resource(QTextDocument::ImageResource, QUrl(f.name())).value<QImage>();
            if (image.isNull())
                return;
            RVPicture made;
            QBuffer buffer(&made.data);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
            made.size = QSize(int(f.width()), int(f.height()));
            if (made.size.isEmpty())
                made.size = image.size();
            pic = made;
        }
        put("{\\pict");
        switch (pic->kind) {
        case RVPictureKind::Png: put("\\pngblip"); break;
        case RVPictureKind::Jpeg: put("\\jpegblip"); break;
        case RVPictureKind::Dib: put("\\dibitmap0"); break;
        case RVPictureKind::Wmf: put("\\wmetafile8"); break;
        case RVPictureKind::Emf: put("\\emfblip"); break;
        }
        const QSize size = pic->size;
        // A metafile's own size is in hundredths of a millimetre, a bitmap's in pixels.
        const bool metafile = pic->kind == RVPictureKind::Wmf || pic->kind == RVPictureKind::Emf;
        word("picw", metafile ? size.width() * 2646 / 100 : size.width());
        word("pich", metafile ? size.height() * 2646 / 100 : size.height());
        word("picwgoal", size.width() * kTwipsPerPixel);
        word("pichgoal", size.height() * kTwipsPerPixel);
        put("\r\n");
        static const char hex[] = "0123456789abcdef";
        qsizetype col = 0;
        for (const char c : std::as_const(pic->data)) {
            const auto b = static_cast<unsigned char>(c);
            out_->push_back(hex[b >> 4]);
            out_->push_back(hex[b & 15]);
            if (++col % 64 == 0)
                put("\r\n");
        }
        put("}");
    }

    void table(const QTextTable *t, int depth)
    {
        const QTextTableFormat tf = t->format();
        const int columns = t->columns();
        std::vector<int> right(std::size_t(columns), 0);
        const auto widths = tf.columnWidthConstraints();
        const RVPageSetup &page = doc_.pageSetup();
        const int textWidth = std::max(1440, page.paperWidth - page.leftMargin - page.rightMargin) / std::max(1, depth);
        int x = 0;
        for (int c = 0; c < columns; ++c) {
            int w = textWidth / columns;
            if (c < widths.size() && widths[c].type() == QTextLength::FixedLength)
                w = int(widths[c].rawValue()) * kTwipsPerPixel;
            x += std::max(w, 1);
            right[std::size_t(c)] = x;
        }
        const std::string cellEnd = depth > 1 ? "\\nestcell" : "\\cell";
        for (int r = 0; r < t->rows(); ++r) {
            std::string rowDef;
            std::string *body = out_;
            out_ = &rowDef;
            put("\\trowd\\trgaph30");
            for (int c = 0; c < columns;) {
                const QTextTableCell cell = t->cellAt(r, c);
                const int span = std::max(1, cell.columnSpan() - (c - cell.column()));
                if (cell.row() < r)
                    put("\\clvmrg");
                else if (cell.rowSpan() > 1)
                    put("\\clvmgf");
                cellBorders(cell.format().toTableCellFormat());
                c += span;
                word("cellx", right[std::size_t(std::min(c, columns) - 1)]);
            }
            out_ = body;
            if (depth == 1) {
                put("\\pard");
                put(rowDef);
                put("\r\n");
            }
            for (int c = 0; c < columns;) {
                const QTextTableCell cell = t->cellAt(r, c);
                const int span = std::max(1, cell.columnSpan() - (c - cell.column()));
                if (cell.row() < r) {
                    // The lower part of a vertically merged cell: an empty cell.
                    put("\\pard\\intbl");
                    word("itap", depth);
                    put(cellEnd);
                    put("\r\n");
                } else {
                    cellContent(cell, depth, cellEnd);
                }
                c += span;
            }
            if (depth == 1) {
                put("{");
                put(rowDef);
                put("\\row}\r\n");
            } else {
                put("{\\*\\nesttableprops");
                put(rowDef);
                put("\\nestrow}{\\nonesttables\\par}\r\n");
            }
        }
    }

    void cellContent(const QTextTableCell &cell, int depth, const std::string &cellEnd)
    {
        // The last paragraph of a cell ends with the cell mark instead of \par.
        std::vector<std::pair<QTextBlock, const QTextTable *>> parts;
        for (auto it = cell.begin(); !it.atEnd(); ++it) {
            if (const auto *nested = qobject_cast<const QTextTable *>(it.currentFrame()))
                parts.emplace_back(QTextBlock(), nested);
            else if (!it.currentFrame())
                parts.emplace_back(it.currentBlock(), nullptr);
        }
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const bool last = i + 1 == parts.size();
            if (parts[i].second)
                table(parts[i].second, depth + 1);
            else
                block(parts[i].first, depth, last ? std::string_view(cellEnd) : std::string_view("\\par"));
        }
        if (parts.empty() || parts.back().second) {
            put("\\pard\\intbl");
            word("itap", depth);
            put(cellEnd);
            put("\r\n");
        }
    }

    void cellBorders(const QTextTableCellFormat &f)
    {
        const struct {
            const char *name;
            qreal width;
            QTextFrameFormat::BorderStyle style;
            QBrush brush;
        } sides[] = {{"\\clbrdrt", f.topBorder(), f.topBorderStyle(), f.topBorderBrush()},
                     {"\\clbrdrl", f.leftBorder(), f.leftBorderStyle(), f.leftBorderBrush()},
                     {"\\clbrdrb", f.bottomBorder(), f.bottomBorderStyle(), f.bottomBorderBrush()},
                     {"\\clbrdrr", f.rightBorder(), f.rightBorderStyle(), f.rightBorderBrush()}};
        for (const auto &s : sides) {
            if (s.width <= 0 || s.style == QTextFrameFormat::BorderStyle_None)
                continue;
            put(s.name);
            put("\\brdrs");
            word("brdrw", int(s.width) * kTwipsPerPixel);
            const QColor c = s.brush.color();
            word("brdrcf", colorIndex(rvColor(c.red(), c.green(), c.blue())));
        }
        if (f.background().style() != Qt::NoBrush) {
            const QColor c = f.background().color();
            word("clcbpat", colorIndex(rvColor(c.red(), c.green(), c.blue())));
        }
    }

    const RVDocument &doc_;
    const TRVStyle &style_;
    QString path_;
    std::vector<RVListStyle> lists_;
    std::vector<int> usedLists_;
    std::vector<std::pair<QString, int>> fonts_;
    std::vector<RVColor> colors_;
    std::string *out_ = nullptr;
    int itemNo_ = 0;
};

} // namespace

std::string writeRtf(const RVDocument &doc, const QString &path)
{
    return Writer(doc, path).run();
}
