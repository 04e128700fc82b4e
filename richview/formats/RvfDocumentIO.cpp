#include "RvfDocumentIO.h"

#include "LayoutDeferral.h"
#include "RVDocument.h"
#include "RvfContent.h"
#include "RvfStyleFields.h"

#include <QHash>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cstring>
#include <limits>
#include <tuple>
#include <type_traits>

namespace {

// Bounds a file is held to: beyond them the file is damaged or hostile.
constexpr int kMaxNesting = 64;          // tables inside tables
constexpr qsizetype kMaxStyles = 65536;  // of each kind
constexpr int kMaxPageTwips = 1440 * 200; // 200 inches

template <class E> constexpr int enumLast()
{
    if constexpr (std::is_same_v<E, RVUnderline>)
        return int(RVUnderline::Words);
    else if constexpr (std::is_same_v<E, RVCaps>)
        return int(RVCaps::SmallCaps);
    else if constexpr (std::is_same_v<E, RVAlignment>)
        return int(RVAlignment::Justify);
    else if constexpr (std::is_same_v<E, RVBorderStyle>)
        return int(RVBorderStyle::Thick);
    else if constexpr (std::is_same_v<E, RVTabAlign>)
        return int(RVTabAlign::Bar);
    else if constexpr (std::is_same_v<E, RVTabLeader>)
        return int(RVTabLeader::Equals);
    else
        return int(RVListKind::UpperRoman);
}

// Writes one field of a style into a record.
struct FieldWriter {
    RvfRecord &r;
    void operator()(const char *name, const QString &v) const { r.add(name, v); }
    void operator()(const char *name, bool v) const { r.add(name, qint64(v)); }
    void operator()(const char *name, int v) const { r.add(name, qint64(v)); }
    void operator()(const char *name, quint32 v) const { r.add(name, qint64(v)); }
    template <class E, std::enable_if_t<std::is_enum_v<E>, int> = 0> void operator()(const char *name, E v) const
    {
        r.add(name, qint64(v));
    }
};

// Reads the fields of a style back; a field the file lacks keeps its default, a value of the wrong
// type or out of range does too (a newer writer may know values this one does not).
struct FieldReader {
    const RvfRecord &r;
    mutable std::size_t index = 0;
    const RvfValue *next(const char *name) const { return r.find(index++, name); }
    void operator()(const char *name, QString &v) const
    {
        if (const RvfValue *f = next(name); f && f->type == RvfValue::String)
            v = f->text;
    }
    bool number(const char *name, qint64 lo, qint64 hi, qint64 &out) const
    {
        const RvfValue *f = next(name);
        qint64 n;
        if (!f || !rvfNumber(*f, n) || n < lo || n > hi)
            return false;
        out = n;
        return true;
    }
    void operator()(const char *name, bool &v) const
    {
        if (qint64 n; number(name, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max(), n))
            v = n != 0;
    }
    void operator()(const char *name, int &v) const
    {
        if (qint64 n; number(name, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), n))
            v = int(n);
    }
    void operator()(const char *name, quint32 &v) const
    {
        if (qint64 n; number(name, 0, 0xFFFFFFFFll, n))
            v = quint32(n);
    }
    template <class E, std::enable_if_t<std::is_enum_v<E>, int> = 0> void operator()(const char *name, E &v) const
    {
        if (qint64 n; number(name, 0, enumLast<E>(), n))
            v = E(n);
    }
};

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

// ---------------------------------------------------------------- writing

class Writer
{
public:
    Writer(const RVDocument &doc, const TRVFOptions &options, RvfEncoder &out) : doc_(doc), o_(options), out_(out) {}

    void run()
    {
        const RvfContent content = contentOf(*doc_.textDocument());
        if (o_.has(rvfoSaveDocProperties)) {
            r_.clear("DOCP");
            r_.add("title", doc_.textDocument()->metaInformation(QTextDocument::DocumentTitle));
            put();
        }
        if (o_.has(rvfoSaveBack)) {
            r_.clear("BACK");
            r_.add("color", qint64(doc_.background()));
            put();
        }
        if (o_.has(rvfoSaveLayout))
            layout();
        if (o_.has(rvfoSaveTextStyles))
            for (const RVTextStyle &s : doc_.style().TextStyles) {
                r_.clear("TSTY");
                rvfields::textStyle(s, FieldWriter{r_});
                put();
            }
        if (o_.has(rvfoSaveParaStyles)) {
            for (const RVParaStyle &s : doc_.style().ParaStyles) {
                r_.clear("PSTY");
                rvfields::paraStyle(s, FieldWriter{r_});
                put();
                for (const RVTab &t : s.tabs) {
                    r_.clear("PTAB");
                    rvfields::tab(t, FieldWriter{r_});
                    put();
                }
            }
            for (const RVListStyle &s : doc_.style().ListStyles) {
                r_.clear("LSTY");
                r_.add("name", s.name);
                put();
                for (const RVListLevel &l : s.levels) {
                    r_.clear("LLEV");
                    rvfields::listLevel(l, FieldWriter{r_});
                    put();
                }
            }
        }
        blocks(content.blocks);
        if (content.endCheckpoint)
            checkpoint("ECHK", *content.endCheckpoint);
        r_.clear("ENDF");
        put();
    }

private:
    void put() { out_.put(r_); }

    void layout()
    {
        const RVLayout &l = doc_.layout();
        const RVPageSetup &p = doc_.pageSetup();
        r_.clear("LAYO");
        for (const auto &[name, value] : {std::pair{"left", l.leftMargin}, {"top", l.topMargin}, {"right", l.rightMargin},
                                          {"bottom", l.bottomMargin}, {"paperwidth", p.paperWidth},
                                          {"paperheight", p.paperHeight}, {"pageleft", p.leftMargin},
                                          {"pagetop", p.topMargin}, {"pageright", p.rightMargin},
                                          {"pagebottom", p.bottomMargin}})
            r_.add(name, qint64(value));
        put();
    }

    void styleRef(const char *field, int no, bool text)
    {
        if (o_.has(rvfoUseStyleNames)) {
            const TRVStyle &s = doc_.style();
            QString name;
            if (text && no >= 0 && std::size_t(no) < s.TextStyles.size())
                name = s.TextStyles[std::size_t(no)].name;
            else if (!text && no >= 0 && std::size_t(no) < s.ParaStyles.size())
                name = s.ParaStyles[std::size_t(no)].name;
            r_.add(field, name);
        } else {
            r_.add(field, qint64(no));
        }
    }

    void checkpoint(const char *tag, const RVCheckpoint &cp)
    {
        r_.clear(tag);
        r_.add("name", cp.name);
        r_.add("tag", cp.tag);
        r_.add("event", qint64(cp.raiseEvent));
        put();
    }

    void blocks(const std::vector<RvfBlock> &blocks)
    {
        for (const RvfBlock &b : blocks) {
            if (b.table)
                table(*b.table);
            if (!b.table || !b.paragraph.items.empty())
                paragraph(b.paragraph);
        }
    }

    void table(const RvfTable &t)
    {
        r_.clear("TABL");
        r_.add("rows", qint64(t.rows));
        r_.add("columns", qint64(t.columns));
        r_.add("border", qint64(t.border));
        r_.add("spacing", qint64(t.cellSpacing));
        r_.add("padding", qint64(t.cellPadding));
        QStringList widths;
        for (int w : t.columnWidths)
            widths.append(QString::number(w));
        r_.add("widths", widths.join(QLatin1Char(',')));
        put();
        for (const RvfCell &c : t.cells) {
            r_.clear("CELL");
            r_.add("row", qint64(c.row));
            r_.add("column", qint64(c.column));
            r_.add("rowspan", qint64(c.rowSpan));
            r_.add("columnspan", qint64(c.columnSpan));
            r_.add("color", qint64(c.background));
            for (const auto &[width, color, b] :
                 {std::tuple{"leftwidth", "leftcolor", &c.left}, {"topwidth", "topcolor", &c.top},
                  {"rightwidth", "rightcolor", &c.right}, {"bottomwidth", "bottomcolor", &c.bottom}}) {
                r_.add(width, qint64(b->width));
                r_.add(color, qint64(b->color));
            }
            put();
            blocks(c.blocks);
            r_.clear("CEND");
            put();
        }
        r_.clear("TEND");
        put();
    }

    void paragraph(const RvfParagraph &p)
    {
        r_.clear("PARA");
        styleRef("style", p.paraNo, false);
        r_.add("list", qint64(p.listNo));
        r_.add("level", qint64(p.listLevel));
        r_.add("pagebreak", qint64(p.pageBreakBefore));
        put();
        for (const RvfItem &item : p.items)
            this->item(item);
    }

    void item(const RvfItem &item)
    {
        switch (item.kind) {
        case RvfItem::Text:
            if (item.checkpoint)
                checkpoint("CHKP", *item.checkpoint);
            r_.clear("TEXT");
            r_.add("text", item.text);
            styleRef("style", item.styleNo, true);
            r_.add("tag", item.tag);
            put();
            return;
        case RvfItem::Picture: {
            if (item.checkpoint)
                checkpoint("CHKP", *item.checkpoint);
            const qint64 image = o_.has(rvfoSavePicturesBody) ? imageIndex(item.picture) : -1;
            r_.clear("PICT");
            r_.add("image", image);
            r_.add("kind", qint64(item.picture.kind));
            size(item.picture.size);
            r_.add("tag", item.tag);
            put();
            return;
        }
        case RvfItem::Control:
            if (!o_.has(rvfoSaveControlsBody))
                return; // the control and whatever marks it are left out
            if (item.checkpoint)
                checkpoint("CHKP", *item.checkpoint);
            r_.clear("CTRL");
            r_.add("class", item.control.className);
            r_.add("caption", item.control.caption);
            size(item.control.size);
            r_.add("tag", item.tag);
            put();
            return;
        }
    }

    void size(QSize s)
    {
        r_.add("width", qint64(std::clamp(s.width(), 0, kRvfMaxObjectSide)));
        r_.add("height", qint64(std::clamp(s.height(), 0, kRvfMaxObjectSide)));
    }

    // Each distinct picture is stored once, before the first item that shows it.
    qint64 imageIndex(const RVPicture &p)
    {
        const auto key = qMakePair(int(p.kind), p.data);
        if (const auto it = images_.constFind(key); it != images_.cend())
            return *it;
        const qint64 index = images_.size();
        images_.insert(key, int(index));
        RvfRecord image;
        image.clear("IMAG");
        image.add("kind", qint64(p.kind));
        image.addBytes("data", p.data);
        out_.put(image);
        return index;
    }

    const RVDocument &doc_;
    const TRVFOptions &o_;
    RvfEncoder &out_;
    RvfRecord r_;
    QHash<QPair<int, QByteArray>, int> images_;
};

} // namespace

// ---------------------------------------------------------------- reading

struct RvfDocumentReader::State {
    RVDocument &doc;
    QTextCursor &cursor;
    TRVFOptions o;
    RvfReadMode mode;

    // What is read but not yet in the document: a top-level table until the next block begins (its
    // cells must be merged before they are filled), with the content of its cells.
    RvfContent content;
    // Set while blocks are going in: a load is not an edit the user can take back, and the layout
    // waits for the end.
    struct Insertion {
        Insertion(QTextDocument *td, bool load, QTextCursor &cursor, const TRVStyle &style)
            : undoWas(td->isUndoRedoEnabled()), deferral(td, load), inserter(cursor, style)
        {
            if (load)
                td->setUndoRedoEnabled(false);
            cursor.beginEditBlock();
        }
        bool undoWas;
        LayoutDeferral deferral;
        RvfContentInserter inserter;
    };
    std::optional<Insertion> insertion;
    // The top-level paragraph being read: its items go into the document as they come.
    std::optional<RvfParagraph> streamed;
    bool streamedBegun = false; // its block is in the document
    // Where paragraphs go: the document's blocks, or a table cell's.
    std::vector<std::vector<RvfBlock> *> containers;
    std::vector<RvfTable *> tables;
    bool afterTable = false; // the next paragraph is the one Qt keeps after the table
    bool inParagraphAfterTable = false; // items go to the paragraph kept with the table just read
    std::optional<RVCheckpoint> pendingCheckpoint;
    bool ended = false;

    // The file's style sheet as far as it was read, and which parts it had.
    TRVStyle fileStyle;
    bool hasTextStyles = false, hasParaStyles = false, hasListStyles = false, stylesSettled = false;
    std::vector<int> textMap, paraMap, listMap; // file number -> document number (Paste)

    struct Image {
        bool known = false;
        RVPictureKind kind = RVPictureKind::Png;
        QByteArray data;
    };
    std::vector<Image> images;

    State(RVDocument &d, QTextCursor &c, const TRVFOptions &options, RvfReadMode m)
        : doc(d), cursor(c), o(options), mode(m)
    {
        containers.push_back(&content.blocks);
    }

    ~State() { endInsertion(); }

    bool load() const { return mode == RvfReadMode::Load; }

    // Ends whatever top-level block is open: a new one begins, or the file ends.
    void closeTopLevel()
    {
        endStreamed();
        flush();
    }

    void endStreamed()
    {
        if (streamed && !streamedBegun) {
            beginInsertion();
            insertion->inserter.beginParagraph(*streamed, nullptr);
        }
        streamed.reset();
    }

    void streamItem(const RvfItem &item)
    {
        if (!streamed) { // items before any paragraph record go into a paragraph of style 0
            flush();
            streamed.emplace();
            streamedBegun = false;
        }
        beginInsertion();
        if (!streamedBegun) {
            insertion->inserter.beginParagraph(*streamed, &item);
            streamedBegun = true;
        }
        insertion->inserter.insertItem(item);
    }

    // Hands the top-level tables read so far to the document.
    void flush()
    {
        if (content.blocks.empty() || !tables.empty()) // a table being read is not final
            return;
        beginInsertion();
        insertion->inserter.insert(content.blocks);
        content.blocks.clear();
    }

    void beginInsertion()
    {
        if (!insertion)
            insertion.emplace(doc.textDocument(), load(), cursor, doc.style());
    }

    void endInsertion()
    {
        if (!insertion)
            return;
        cursor.endEditBlock();
        const bool undoWas = insertion->undoWas;
        insertion.reset();
        doc.textDocument()->setUndoRedoEnabled(undoWas);
    }

    // ---- records
    bool untyped = false; // of the record being read

    bool record(const RvfRecord &r, QString *error)
    {
        untyped = r.untyped;
        if (ended)
            return true; // whatever a newer writer puts after the end
        const auto t = [&r](const char *tag) { return r.tag == tag; };
        if (t("TEXT")) { // most records by far
            settleStyles();
            return item(r, error);
        }
        if (t("TSTY") || t("PSTY") || t("PTAB") || t("LSTY") || t("LLEV"))
            return style(r, error);
        if (t("DOCP")) {
            if (load() && o.has(rvfoLoadDocProperties))
                if (const RvfValue *v = r.find(0, "title"); v && v->type == RvfValue::String)
                    doc.textDocument()->setMetaInformation(QTextDocument::DocumentTitle, v->text);
            return true;
        }
        if (t("BACK")) {
            quint32 color = doc.background();
            FieldReader{r}("color", color);
            if (load() && o.has(rvfoLoadBack))
                doc.setBackground(color);
            return true;
        }
        if (t("LAYO"))
            return layout(r);
        if (t("IMAG"))
            return image(r, error);
        if (t("ENDF")) {
            ended = true;
            return true;
        }
        settleStyles();
        if (t("PARA"))
            return paragraph(r, error);
        if (t("PICT") || t("CTRL"))
            return item(r, error);
        if (t("CHKP") || t("ECHK")) {
            RVCheckpoint cp;
            FieldReader f{r};
            f("name", cp.name);
            f("tag", cp.tag);
            f("event", cp.raiseEvent);
            if (t("ECHK"))
                content.endCheckpoint = cp;
            else
                pendingCheckpoint = cp;
            return true;
        }
        if (t("TABL"))
            return table(r, error);
        if (t("CELL"))
            return cell(r, error);
        if (t("CEND")) {
            if (tables.empty() || containers.size() != tables.size() + 1)
                return fail(error, QStringLiteral("a cell ends outside a table"));
            containers.pop_back();
            inParagraphAfterTable = false;
            return true;
        }
        if (t("TEND")) {
            if (tables.empty() || containers.size() != tables.size())
                return fail(error, QStringLiteral("a table ends where none began"));
            tables.pop_back();
            inParagraphAfterTable = false;
            afterTable = true;
            return true;
        }
        return true; // a record of a newer version
    }

    bool layout(const RvfRecord &r)
    {
        if (!load() || !o.has(rvfoLoadLayout))
            return true;
        RVLayout l = doc.layout();
        RVPageSetup p = doc.pageSetup();
        FieldReader f{r};
        f("left", l.leftMargin);
        f("top", l.topMargin);
        f("right", l.rightMargin);
        f("bottom", l.bottomMargin);
        f("paperwidth", p.paperWidth);
        f("paperheight", p.paperHeight);
        f("pageleft", p.leftMargin);
        f("pagetop", p.topMargin);
        f("pageright", p.rightMargin);
        f("pagebottom", p.bottomMargin);
        // Beyond these no page is laid out in reasonable time.
        for (int *margin : {&l.leftMargin, &l.topMargin, &l.rightMargin, &l.bottomMargin})
            *margin = std::clamp(*margin, 0, kRvfMaxObjectSide);
        for (int *twips : {&p.paperWidth, &p.paperHeight, &p.leftMargin, &p.topMargin, &p.rightMargin, &p.bottomMargin})
            *twips = std::clamp(*twips, 0, kMaxPageTwips);
        doc.setLayout(l);
        doc.setPageSetup(p);
        return true;
    }

    bool style(const RvfRecord &r, QString *error)
    {
        if (stylesSettled)
            return fail(error, QStringLiteral("styles follow the document's content"));
        TRVStyle &s = fileStyle;
        const auto t = [&r](const char *tag) { return r.tag == tag; };
        if (std::max({s.TextStyles.size(), s.ParaStyles.size(), s.ListStyles.size()}) >= std::size_t(kMaxStyles))
            return fail(error, QStringLiteral("the file holds too many styles"));
        if (t("TSTY")) {
            if (!hasTextStyles)
                s.TextStyles.clear();
            hasTextStyles = true;
            rvfields::textStyle(s.TextStyles.emplace_back(), FieldReader{r});
        } else if (t("PSTY")) {
            if (!hasParaStyles)
                s.ParaStyles.clear();
            hasParaStyles = true;
            rvfields::paraStyle(s.ParaStyles.emplace_back(), FieldReader{r});
        } else if (t("PTAB")) {
            if (!hasParaStyles || s.ParaStyles.back().tabs.size() >= 256)
                return fail(error, QStringLiteral("a tab stop belongs to no paragraph style"));
            rvfields::tab(s.ParaStyles.back().tabs.emplace_back(), FieldReader{r});
        } else if (t("LSTY")) {
            if (!hasListStyles)
                s.ListStyles.clear();
            hasListStyles = true;
            FieldReader{r}("name", s.ListStyles.emplace_back().name);
        } else {
            if (!hasListStyles || s.ListStyles.back().levels.size() >= 16)
                return fail(error, QStringLiteral("a list level belongs to no list style"));
            rvfields::listLevel(s.ListStyles.back().levels.emplace_back(), FieldReader{r});
        }
        return true;
    }

    // Before the first content record the file's styles take their place in the document.
    void settleStyles()
    {
        if (stylesSettled)
            return;
        stylesSettled = true;
        // A list shows its paragraphs through a level; a list style without one gets the default.
        for (RVListStyle &list : fileStyle.ListStyles)
            if (list.levels.empty())
                list.levels.emplace_back();
        TRVStyle &target = doc.style();
        if (load()) {
            if (hasTextStyles && !fileStyle.TextStyles.empty())
                target.TextStyles = fileStyle.TextStyles;
            if (hasParaStyles && !fileStyle.ParaStyles.empty())
                target.ParaStyles = fileStyle.ParaStyles;
            if (hasListStyles)
                target.ListStyles = fileStyle.ListStyles;
            return;
        }
        if (hasTextStyles)
            for (const RVTextStyle &s : fileStyle.TextStyles)
                textMap.push_back(target.addTextStyleIfNeeded(s));
        if (hasParaStyles)
            for (const RVParaStyle &s : fileStyle.ParaStyles)
                paraMap.push_back(target.addParaStyleIfNeeded(s));
        if (hasListStyles)
            for (const RVListStyle &s : fileStyle.ListStyles)
                listMap.push_back(target.addListStyleIfNeeded(s));
    }

    // A style reference of the file (number or name) as a number of the document's style sheet.
    template <class Style>
    bool resolve(const RvfValue *v, const std::vector<Style> &fileStyles, bool fileHas, const std::vector<Style> &docStyles,
                 const std::vector<int> &map, const char *what, int &out, QString *error)
    {
        const std::vector<Style> &sheet = fileHas && !load() ? fileStyles : docStyles;
        qint64 no = -1;
        bool byName = false;
        if (!v) {
            no = 0;
        } else if (v->type == RvfValue::String && !(untyped && rvfNumber(*v, no))) {
            byName = true;
            for (std::size_t i = 0; i < sheet.size(); ++i)
                if (sheet[i].name == v->text) {
                    no = qint64(i);
                    break;
                }
        } else {
            rvfNumber(*v, no);
        }
        if (no < 0 || no >= qint64(sheet.size())) {
            if (!o.has(rvfoConvUnknownStylesToZero)) {
                const QString shown = byName ? QStringLiteral("\"%1\"").arg(v->text) : QString::number(no);
                return fail(error, QStringLiteral("the %1 style %2 does not exist").arg(QLatin1String(what), shown));
            }
            no = 0;
        }
        out = fileHas && !load() && std::size_t(no) < map.size() ? map[std::size_t(no)] : int(no);
        return true;
    }

    bool textStyle(const RvfValue *v, int &out, QString *error)
    {
        return resolve(v, fileStyle.TextStyles, hasTextStyles, doc.style().TextStyles, textMap, "text", out, error);
    }

    RvfParagraph &currentParagraph()
    {
        std::vector<RvfBlock> &blocks = *containers.back();
        if (blocks.empty() || (blocks.back().table && !inParagraphAfterTable))
            blocks.emplace_back(); // items before any paragraph record go into a paragraph of style 0
        return blocks.back().paragraph;
    }

    // Between the cells of a table only cells may stand; true (with the reason) when content does.
    bool betweenCells(QString *error) const
    {
        if (tables.empty() || containers.size() != tables.size())
            return false;
        fail(error, QStringLiteral("content stands between the cells of a table"));
        return true;
    }

    bool paragraph(const RvfRecord &r, QString *error)
    {
        if (betweenCells(error))
            return false;
        RvfParagraph p;
        if (!resolve(r.find(0, "style"), fileStyle.ParaStyles, hasParaStyles, doc.style().ParaStyles, paraMap,
                     "paragraph", p.paraNo, error))
            return false;
        int list = -1, level = 0;
        FieldReader f{r};
        f.index = 1;
        f("list", list);
        f("level", level);
        f("pagebreak", p.pageBreakBefore);
        if (list >= 0) {
            const qint64 count = hasListStyles && !load() ? qint64(fileStyle.ListStyles.size())
                                                          : qint64(doc.style().ListStyles.size());
            if (list >= count || level < 0 || level > 8) {
                if (!o.has(rvfoConvUnknownStylesToZero))
                    return fail(error, QStringLiteral("the list style %1 does not exist").arg(list));
                list = count > 0 ? 0 : -1;
                level = 0;
            }
            if (list >= 0 && hasListStyles && !load() && std::size_t(list) < listMap.size())
                list = listMap[std::size_t(list)];
        }
        p.listNo = list;
        p.listLevel = list >= 0 ? level : 0;
        if (containers.size() == 1) {
            // Right after a table, the block the document keeps after it takes the paragraph.
            closeTopLevel();
            streamed = std::move(p);
            streamedBegun = false;
            afterTable = false;
            return true;
        }
        std::vector<RvfBlock> &blocks = *containers.back();
        inParagraphAfterTable = afterTable && !blocks.empty() && blocks.back().table;
        if (inParagraphAfterTable) {
            blocks.back().paragraph = std::move(p);
        } else {
            blocks.emplace_back();
            blocks.back().paragraph = std::move(p);
        }
        afterTable = false;
        return true;
    }

    bool image(const RvfRecord &r, QString *error)
    {
        if (images.size() >= 1000000)
            return fail(error, QStringLiteral("the file holds too many pictures"));
        Image im;
        const RvfValue *kind = r.find(0, "kind");
        const RvfValue *data = r.find(1, "data");
        qint64 k = -1;
        im.known = kind && rvfNumber(*kind, k) && k >= 0 && k <= int(RVPictureKind::Emf);
        if (!im.known && !o.has(rvfoIgnoreUnknownPicFmt))
            return fail(error, QStringLiteral("a picture is of an unknown format"));
        if (im.known) {
            im.kind = RVPictureKind(k);
            if (data && data->type == RvfValue::Bytes)
                im.data = data->bytes;
        }
        images.push_back(std::move(im));
        return true;
    }

    static bool intField(const RvfRecord &r, std::size_t index, const char *name, qint64 lo, qint64 hi, qint64 &out)
    {
        const RvfValue *v = r.find(index, name);
        if (!v)
            return true; // keeps the caller's default
        qint64 n;
        if (!rvfNumber(*v, n) || n < lo || n > hi)
            return false;
        out = n;
        return true;
    }

    bool item(const RvfRecord &r, QString *error)
    {
        if (betweenCells(error))
            return false;
        RvfItem item;
        item.checkpoint = std::move(pendingCheckpoint);
        pendingCheckpoint.reset();
        FieldReader f{r};
        if (r.tag == "TEXT") {
            f("text", item.text);
            if (!textStyle(r.find(1, "style"), item.styleNo, error))
                return false;
            f.index = 2;
            f("tag", item.tag);
        } else if (r.tag == "PICT") {
            item.kind = RvfItem::Picture;
            qint64 index = -1, kind = 0, w = 0, h = 0;
            if (!intField(r, 0, "image", std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max(), index)
                || !intField(r, 2, "width", 0, kRvfMaxObjectSide, w) || !intField(r, 3, "height", 0, kRvfMaxObjectSide, h))
                return fail(error, QStringLiteral("a picture's size or image number is out of range"));
            if (!intField(r, 1, "kind", 0, int(RVPictureKind::Emf), kind)) {
                if (!o.has(rvfoIgnoreUnknownPicFmt))
                    return fail(error, QStringLiteral("a picture is of an unknown format"));
                return true;
            }
            if (index < -1 || index >= qint64(images.size())) {
                if (!o.has(rvfoConvLargeImageIdxToZero))
                    return fail(error, QStringLiteral("a picture refers to image %1, which the file lacks").arg(index));
                index = images.empty() ? -1 : 0;
            }
            item.picture.kind = RVPictureKind(kind);
            if (index >= 0) {
                const Image &im = images[std::size_t(index)];
                if (!im.known)
                    return true; // skipped as IgnoreUnknownPicFmt asks
                item.picture.kind = im.kind;
                item.picture.data = im.data;
            }
            item.picture.size = QSize(int(w), int(h));
            f.index = 4;
            f("tag", item.tag);
        } else {
            item.kind = RvfItem::Control;
            qint64 w = 0, h = 0;
            f("class", item.control.className);
            f("caption", item.control.caption);
            if (!intField(r, 2, "width", 0, kRvfMaxObjectSide, w) || !intField(r, 3, "height", 0, kRvfMaxObjectSide, h))
                return fail(error, QStringLiteral("a control's size is out of range"));
            item.control.size = QSize(int(w), int(h));
            f.index = 4;
            f("tag", item.tag);
            if (!isRegisteredControlClass(item.control.className)) {
                if (o.has(rvfoIgnoreUnknownCtrls))
                    return true;
                return fail(error, QStringLiteral("a control of the unknown class \"%1\"").arg(item.control.className));
            }
        }
        if (containers.size() == 1)
            streamItem(item);
        else
            currentParagraph().items.push_back(std::move(item));
        afterTable = false;
        return true;
    }

    bool table(const RvfRecord &r, QString *error)
    {
        qint64 rows = 0, columns = 0;
        if (!intField(r, 0, "rows", 1, kRvfMaxTableCells, rows) || !intField(r, 1, "columns", 1, kRvfMaxTableCells, columns)
            || rows * columns > kRvfMaxTableCells || rows == 0 || columns == 0)
            return fail(error, QStringLiteral("a table's size is out of range"));
        if (tables.size() >= std::size_t(kMaxNesting))
            return fail(error, QStringLiteral("tables are nested too deeply"));
        if (tables.size() + 1 != containers.size())
            return fail(error, QStringLiteral("a table begins between the cells of another"));
        if (containers.size() == 1)
            closeTopLevel();
        std::vector<RvfBlock> &blocks = *containers.back();
        blocks.emplace_back();
        blocks.back().table = std::make_shared<RvfTable>();
        RvfTable &t = *blocks.back().table;
        t.rows = int(rows);
        t.columns = int(columns);
        FieldReader f{r};
        f.index = 2;
        f("border", t.border);
        f("spacing", t.cellSpacing);
        f("padding", t.cellPadding);
        t.border = std::clamp(t.border, 0, 100);
        t.cellSpacing = std::clamp(t.cellSpacing, 0, 100);
        t.cellPadding = std::clamp(t.cellPadding, 0, 100);
        QString widths;
        f("widths", widths);
        if (!widths.isEmpty()) {
            const QStringList parts = widths.split(QLatin1Char(','));
            if (parts.size() != t.columns)
                return fail(error, QStringLiteral("a table's column widths do not match its columns"));
            for (const QString &part : parts)
                t.columnWidths.push_back(std::clamp(part.toInt(), 0, kRvfMaxObjectSide));
        }
        tables.push_back(&t);
        inParagraphAfterTable = false;
        afterTable = false;
        return true;
    }

    bool cell(const RvfRecord &r, QString *error)
    {
        if (tables.empty() || containers.size() != tables.size())
            return fail(error, QStringLiteral("a cell stands outside a table"));
        RvfTable &t = *tables.back();
        if (t.cells.size() >= std::size_t(t.rows) * std::size_t(t.columns))
            return fail(error, QStringLiteral("a table holds more cells than its size"));
        qint64 row = 0, column = 0, rowSpan = 1, columnSpan = 1;
        quint32 color = rvNoColor;
        if (!intField(r, 0, "row", 0, t.rows - 1, row) || !intField(r, 1, "column", 0, t.columns - 1, column)
            || !intField(r, 2, "rowspan", 1, t.rows - row, rowSpan)
            || !intField(r, 3, "columnspan", 1, t.columns - column, columnSpan))
            return fail(error, QStringLiteral("a cell lies outside its table"));
        FieldReader f{r};
        f.index = 4;
        f("color", color);
        RvfCellBorder sides[4];
        for (const auto &[width, colorName, b] :
             {std::tuple{"leftwidth", "leftcolor", &sides[0]}, {"topwidth", "topcolor", &sides[1]},
              {"rightwidth", "rightcolor", &sides[2]}, {"bottomwidth", "bottomcolor", &sides[3]}}) {
            f(width, b->width);
            f(colorName, b->color);
            b->width = std::clamp(b->width, 0, 100);
        }
        RvfCell &c = t.cells.emplace_back();
        c.left = sides[0];
        c.top = sides[1];
        c.right = sides[2];
        c.bottom = sides[3];
        c.row = int(row);
        c.column = int(column);
        c.rowSpan = int(rowSpan);
        c.columnSpan = int(columnSpan);
        c.background = color;
        containers.push_back(&c.blocks);
        inParagraphAfterTable = false;
        return true;
    }
};

RvfDocumentReader::RvfDocumentReader(RVDocument &doc, QTextCursor &cursor, const TRVFOptions &options, RvfReadMode mode)
    : d_(std::make_unique<State>(doc, cursor, options, mode))
{
}

RvfDocumentReader::~RvfDocumentReader() = default;

bool RvfDocumentReader::record(const RvfRecord &record, QString *error)
{
    return d_->record(record, error);
}

bool RvfDocumentReader::finish(QString *error)
{
    d_->settleStyles();
    d_->closeTopLevel();
    if (d_->load() && d_->content.endCheckpoint) {
        d_->beginInsertion();
        setEndCheckpoint(*d_->doc.textDocument(), d_->content.endCheckpoint);
    }
    d_->endInsertion();
    if (!d_->ended)
        return fail(error, QStringLiteral("the file is truncated"));
    return true;
}

void writeRvfRecords(const RVDocument &doc, const TRVFOptions &options, RvfEncoder &out)
{
    Writer(doc, options, out).run();
}

bool readRvfBytes(RVDocument &doc, QTextCursor &cursor, const QByteArray &bytes, const TRVFOptions &options,
                  RvfReadMode mode, QString *error)
{
    RvfDocumentReader reader(doc, cursor, options, mode);
    QString why;
    const bool decoded = decodeRvf(bytes, reader.sink(), &why);
    const bool finished = reader.finish(decoded ? &why : nullptr);
    if (!decoded || !finished)
        return fail(error, QStringLiteral("Cannot read the RVF document: %1").arg(why));
    return true;
}

QByteArray writeRvfBytes(const RVDocument &doc, const TRVFOptions &options)
{
    if (options.has(rvfoSaveBinary)) {
        RvfBinaryEncoder out;
        writeRvfRecords(doc, options, out);
        return out.finish();
    }
    RvfTextEncoder out;
    writeRvfRecords(doc, options, out);
    return out.finish();
}
