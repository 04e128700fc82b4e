#include "RtfReader.h"

#include "RVDocument.h"
#include "RtfCodePages.h"
#include "RtfFields.h"
#include "RtfTokenizer.h"

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <unordered_map>

namespace {

// Bounds that keep hostile files from costing more than their size is worth.
constexpr int kMaxGroupDepth = 1000;
constexpr int kMaxTableDepth = 16;
constexpr int kMaxCellsPerRow = 1000;
constexpr std::size_t kMaxAddedStyles = 4096;
constexpr int kMaxListLevels = 9;
constexpr qsizetype kMaxCollected = 65536; // field instructions, names and other short texts

constexpr int kTwipsPerPixel = 15;

int twipsToPixels(int twips)
{
    return std::clamp(twips, -1000000, 1000000) / kTwipsPerPixel;
}

enum class Dest {
    Body, FontTable, ColorTable, StyleSheet, ListTable, ListDef, ListLevel, LevelText, ListOverrideTable,
    ListOverride, Pict, FieldInst, Pn, PnTextBefore, PnTextAfter, Shape, Background, ShapeName, ShapeValue, Upr
};

struct CharProps {
    int font = -1; // -1: the document's default font
    int halfPoints = 24;
    bool bold = false, italic = false, underline = false, strike = false, hidden = false;
    RVUnderline underlineType = RVUnderline::Single;
    RVCaps caps = RVCaps::Normal;
    int vShift = 0;   // percent: \super, \sub
    int upHalfPoints = 0; // \up, \dn
    int foreground = 0, background = -1; // colour table indexes; 0 = auto, -1 = none
    int spacingTwips = 0;
    int scale = 100;
    int charStyle = -1; // \cs
    auto operator<=>(const CharProps &) const = default;
};

struct ParaProps {
    RVAlignment align = RVAlignment::Left;
    int left = 0, right = 0, first = 0, before = 0, after = 0; // twips
    int lineSpacing = 0;
    bool lineMultiple = false;
    std::vector<RVTab> tabs;
    RVTabAlign tabAlign = RVTabAlign::Left;
    RVTabLeader tabLeader = RVTabLeader::None;
    RVBorder border;
    int shading = -1;
    bool keepNext = false, keep = false, pageBreakBefore = false;
    bool inTable = false;
    int nesting = 0;     // \itap
    int listOverride = 0; // \ls
    int listLevel = 0;    // \ilvl
    int style = 0;        // \s
};

struct GroupState {
    Dest dest = Dest::Body;
    CharProps chr;
    ParaProps para;
    int unicodeSkip = 1; // \uc
    QString link;        // inside the result of a HYPERLINK field
};

struct StyleSheetEntry {
    bool character = false;
    QString name;
    CharProps chr;
    ParaProps para;
};

struct FontEntry {
    QString name;
    int charset = rvDefaultCharset;
};

struct ListLevelDef {
    int format = 23; // \levelnfc: 23 bullet, 0 decimal, 1/2 upper/lower roman, 3/4 upper/lower letter
    int startAt = 1;
    int left = 0, first = 0;
    int font = -1;
    QString text; // \leveltext: a length character, then text with level placeholders 0..8
};

// An old-style \pn paragraph numbering.
struct PnDef {
    bool active = false;
    bool bullet = false;
    int level = 0;
    int format = 0; // as ListLevelDef::format
    int startAt = 1;
    int font = -1;
    int indent = 0;
    QString before, after;
};

enum class BorderTarget { None, ParaLeft, ParaTop, ParaRight, ParaBottom, ParaAll, CellLeft, CellTop, CellRight,
                          CellBottom };

// One open table at some nesting depth.
struct OpenTable {
    std::unique_ptr<RtfTable> table = std::make_unique<RtfTable>();
    std::vector<RtfCell> cells; // closed cells of the row being read
    RtfCell open;               // the cell being read
};

class Reader
{
public:
    Reader(std::string_view bytes, RVDocument &doc) : tokens_(bytes), doc_(doc), style_(doc.style()) {}

    RtfReadResult run();

private:
    GroupState &state() { return stack_.back(); }

    void word(const RtfToken &t);
    void destinationWord(std::string_view w, const RtfToken &t);
    bool bodyWord(std::string_view w, const RtfToken &t);
    bool charWord(std::string_view w, const RtfToken &t);
    bool paraWord(std::string_view w, const RtfToken &t);
    bool tableWord(std::string_view w, const RtfToken &t);
    void symbol(char c);
    void text(std::string_view bytes);
    void character(char16_t c);
    void endGroup();
    void skipGroup();

    int codePage() const;
    char16_t decode(unsigned char byte) const;

    // Body content.
    void appendChar(char16_t c);
    void appendText(const QString &text);
    RVPageSetup &ensurePage();
    void finishFontEntry();
    void appendPicture();
    void startRun(RtfRun::Kind kind);
    void endParagraph();
    int paragraphDepth() const;
    void appendBlock(int depth, RtfBlock &&block);
    void openTablesTo(int depth);
    void closeTablesDeeperThan(int depth);
    void endCell(int depth);
    void endRow(int depth);

    // Styles.
    int textStyleFor(const CharProps &chr, bool link);
    int paraStyleFor(const ParaProps &para);
    int findParaStyle(const ParaProps &para);
    int listFor(const ParaProps &para);
    int pnList();
    RVColor colorAt(int index, RVColor fallback) const;
    void applyStyleSheetEntry(int number, bool character);
    void recordStyleSheetEntry();
    RVListStyle listStyleOf(const std::vector<ListLevelDef> &levels) const;

    void setBorderTarget(BorderTarget target);
    RtfCellBorder *cellBorder();
    void fieldResultStarts();
    void shapePropertyEnds();

    RtfTokenizer tokens_;
    RVDocument &doc_;
    TRVStyle &style_;
    RtfReadResult result_;

    std::vector<GroupState> stack_;
    int skipDepth_ = 0;      // > 0 while skipping a group
    bool starPending_ = false; // after \*
    int unicodeSkipLeft_ = 0;
    bool done_ = false;

    int ansiCodePage_ = 1252;
    int defaultFont_ = 0;
    std::map<int, FontEntry> fonts_;
    int fontEntryNo_ = 0;
    int fontEntryCharset_ = rvDefaultCharset;
    QByteArray fontEntryName_;
    std::vector<std::optional<RVColor>> colors_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colorSet_ = false;
    std::map<int, StyleSheetEntry> styleSheet_;
    int styleEntryNo_ = 0;
    bool styleEntryCharacter_ = false;
    QString styleEntryName_;

    std::map<int, std::vector<ListLevelDef>> listDefs_; // by \listid
    std::vector<ListLevelDef> listBeingRead_;
    int listIdBeingRead_ = 0;
    std::map<int, int> overrides_; // \ls → \listid
    int overrideListId_ = 0;
    std::map<int, int> listNoOfOverride_;
    PnDef pn_;

    QString fieldInst_;
    RVPicture picture_;
    QByteArray pictureHex_;
    bool pictureNibble_ = false;
    int pictureDepth_ = 0;
    int pictureWidthGoal_ = 0, pictureHeightGoal_ = 0, pictureWidth_ = 0, pictureHeight_ = 0;
    int pictureScaleX_ = 100, pictureScaleY_ = 100;
    bool pictureKnown_ = false;
    bool deviceBitmap_ = false; // \wbitmap: rows of a device bitmap, turned into a DIB at the end
    int deviceBitsPerPixel_ = 1, deviceWidthBytes_ = 0;
    QString shapeName_, shapeValue_;

    BorderTarget borderTarget_ = BorderTarget::None;
    std::vector<std::vector<RtfCellFormat>> rowDefs_ = std::vector<std::vector<RtfCellFormat>>(kMaxTableDepth + 1);
    RtfCellFormat cellDef_;
    std::vector<OpenTable> tables_; // index = depth - 1

    RtfParagraph paragraph_;
    CharProps runProps_;
    QString runLink_;
    bool pageBreakPending_ = false;

    std::map<std::pair<CharProps, bool>, int> textStyleCache_;
    std::size_t addedStyles_ = 0;
    std::unordered_map<std::string, int> paraStyleCache_; // by paraKey()
    std::map<std::tuple<bool, int, int, int, int, int, QString, QString>, int> pnListCache_;
};

// ---------------------------------------------------------------------------------------------

RtfReadResult Reader::run()
{
    const RtfToken first = tokens_.next();
    const RtfToken second = tokens_.next();
    if (first.kind != RtfToken::GroupOpen || second.kind != RtfToken::Word || second.word != "rtf") {
        result_.ok = false;
        result_.error = QStringLiteral("not an RTF file");
        return std::move(result_);
    }
    stack_.push_back(GroupState{});
    stack_.push_back(GroupState{}); // the document group; the outer one is never popped
    while (!done_) {
        const RtfToken t = tokens_.next();
        if (t.kind == RtfToken::End)
            break;
        if (skipDepth_ > 0) {
            if (t.kind == RtfToken::GroupOpen)
                ++skipDepth_;
            else if (t.kind == RtfToken::GroupClose && --skipDepth_ == 0)
                endGroup();
            continue;
        }
        if (unicodeSkipLeft_ > 0 && t.kind != RtfToken::GroupOpen && t.kind != RtfToken::GroupClose) {
            if (t.kind == RtfToken::Text) {
                const std::size_t n = std::min<std::size_t>(t.text.size(), std::size_t(unicodeSkipLeft_));
                unicodeSkipLeft_ -= int(n);
                text(t.text.substr(n));
            } else {
                --unicodeSkipLeft_;
            }
            continue;
        }
        switch (t.kind) {
        case RtfToken::GroupOpen:
            unicodeSkipLeft_ = 0;
            if (int(stack_.size()) >= kMaxGroupDepth) {
                result_.ok = false;
                result_.error = QStringLiteral("groups nested too deeply");
                stack_.push_back(state());
                skipGroup();
                break;
            }
            stack_.push_back(state());
            starPending_ = false;
            if (state().dest == Dest::StyleSheet) {
                state().chr = CharProps{};
                state().para = ParaProps{};
                styleEntryNo_ = 0;
                styleEntryCharacter_ = false;
                styleEntryName_.clear();
            }
            break;
        case RtfToken::GroupClose:
            unicodeSkipLeft_ = 0;
            endGroup();
            break;
        case RtfToken::Word: word(t); starPending_ = false; break;
        case RtfToken::Symbol: symbol(t.symbol); break;
        case RtfToken::HexByte:
            if (state().dest == Dest::Pict)
                break;
            if (state().dest == Dest::FontTable)
                fontEntryName_.append(char(t.byte));
            else
                character(decode(t.byte));
            break;
        case RtfToken::Text: text(t.text); break;
        case RtfToken::Binary:
            if (state().dest == Dest::Pict)
                picture_.data.append(t.text.data(), qsizetype(t.text.size()));
            break;
        case RtfToken::End: break;
        }
    }
    if (!done_ && result_.ok) {
        result_.ok = false;
        result_.error = tokens_.truncated() ? QStringLiteral("the file is truncated")
                                            : QStringLiteral("the file ends inside a group");
    }
    if (tokens_.truncated() && result_.ok) {
        result_.ok = false;
        result_.error = QStringLiteral("the file is truncated");
    }
    // Whatever was read stays: groups left open are closed (a picture among them is kept), then
    // the last paragraph and any table still open are added.
    skipDepth_ = 0;
    while (stack_.size() > 2)
        endGroup();
    if (!paragraph_.runs.empty())
        endParagraph();
    closeTablesDeeperThan(0);
    return std::move(result_);
}

void Reader::skipGroup()
{
    skipDepth_ = 1;
}

void Reader::endGroup()
{
    if (stack_.size() <= 2) {
        done_ = true; // the document group is closed; anything after it is not part of the file
        return;
    }
    // Entries whose closing semicolon is missing end with their group.
    if (state().dest == Dest::FontTable && !fontEntryName_.isEmpty())
        finishFontEntry();
    if (state().dest == Dest::StyleSheet && !styleEntryName_.isEmpty())
        recordStyleSheetEntry();
    const GroupState popped = std::move(stack_.back());
    stack_.pop_back();
    if (popped.dest == state().dest)
        return;
    switch (popped.dest) {
    case Dest::Pict:
        if (int(stack_.size()) < pictureDepth_)
            appendPicture();
        break;
    case Dest::ListDef:
        if (!listBeingRead_.empty())
            listDefs_[listIdBeingRead_] = listBeingRead_;
        break;
    case Dest::ShapeValue: shapePropertyEnds(); break;
    default: break;
    }
}

int Reader::codePage() const
{
    const int font = stack_.back().chr.font < 0 ? defaultFont_ : stack_.back().chr.font;
    if (const auto it = fonts_.find(font); it != fonts_.end())
        if (const int cp = rtfcp::codePageOfCharset(it->second.charset))
            return cp;
    return ansiCodePage_;
}

char16_t Reader::decode(unsigned char byte) const
{
    return rtfcp::toUnicode(codePage(), byte);
}

void Reader::text(std::string_view bytes)
{
    GroupState &s = state();
    switch (s.dest) {
    case Dest::Body: {
        const int cp = codePage();
        QString decoded(qsizetype(bytes.size()), Qt::Uninitialized);
        QChar *out = decoded.data();
        for (const char b : bytes)
            *out++ = QChar(rtfcp::toUnicode(cp, static_cast<unsigned char>(b)));
        appendText(decoded);
        return;
    }
    case Dest::Pict:
        for (const char b : bytes) {
            int v;
            if (b >= '0' && b <= '9')
                v = b - '0';
            else if (b >= 'a' && b <= 'f')
                v = b - 'a' + 10;
            else if (b >= 'A' && b <= 'F')
                v = b - 'A' + 10;
            else
                continue;
            if (pictureNibble_)
                picture_.data.back() = char(picture_.data.back() | v);
            else
                picture_.data.append(char(v << 4));
            pictureNibble_ = !pictureNibble_;
        }
        return;
    case Dest::FontTable:
        for (const char b : bytes) {
            if (b == ';')
                finishFontEntry();
            else if (fontEntryName_.size() < kMaxCollected)
                fontEntryName_.append(b);
        }
        return;
    case Dest::ColorTable:
        for (const char b : bytes)
            if (b == ';') {
                colors_.push_back(colorSet_ ? std::optional<RVColor>(rvColor(red_, green_, blue_)) : std::nullopt);
                red_ = green_ = blue_ = 0;
                colorSet_ = false;
            }
        return;
    case Dest::StyleSheet:
        for (const char b : bytes) {
            if (b == ';')
                recordStyleSheetEntry();
            else if (styleEntryName_.size() < kMaxCollected)
                styleEntryName_.append(QChar(decode(static_cast<unsigned char>(b))));
        }
        return;
    default:
        for (const char b : bytes)
            character(decode(static_cast<unsigned char>(b)));
        return;
    }
}

// One character of text in any destination but the font and colour tables and pictures.
void Reader::character(char16_t c)
{
    auto collect = [c](QString &into) {
        if (into.size() < kMaxCollected)
            into.append(QChar(c));
    };
    switch (state().dest) {
    case Dest::Body: appendChar(c); break;
    case Dest::StyleSheet:
        if (c == ';')
            recordStyleSheetEntry();
        else
            collect(styleEntryName_);
        break;
    case Dest::LevelText:
        if (!listBeingRead_.empty())
            collect(listBeingRead_.back().text);
        break;
    case Dest::FieldInst: collect(fieldInst_); break;
    case Dest::PnTextBefore: collect(pn_.before); break;
    case Dest::PnTextAfter: collect(pn_.after); break;
    case Dest::ShapeName: collect(shapeName_); break;
    case Dest::ShapeValue: collect(shapeValue_); break;
    default: break;
    }
}

void Reader::finishFontEntry()
{
    FontEntry &f = fonts_[fontEntryNo_];
    f.charset = fontEntryCharset_;
    const int cp = rtfcp::codePageOfCharset(fontEntryCharset_);
    QString name;
    for (const char c : fontEntryName_)
        name.append(QChar(rtfcp::toUnicode(cp ? cp : ansiCodePage_, static_cast<unsigned char>(c))));
    f.name = name.trimmed();
    fontEntryName_.clear();
}

void Reader::symbol(char c)
{
    switch (c) {
    case '*': starPending_ = true; return;
    case '\\':
    case '{':
    case '}': character(char16_t(c)); return;
    case '~': character(0x00A0); return;
    case '-': character(0x00AD); return;
    case '_': character(0x2011); return;
    case '\'': character(u'\''); return; // a \' without its two hex digits
    case '\r':
    case '\n':
        if (state().dest == Dest::Body)
            endParagraph();
        return;
    case '\t': character(u'\t'); return;
    default: return;
    }
}

// ---------------------------------------------------------------------------------------------
// Control words

void Reader::word(const RtfToken &t)
{
    const std::string_view w = t.word;
    const Dest dest = state().dest;

    // \u works everywhere text does.
    if (w == "u" && t.hasParam) {
        int v = t.param;
        if (v < 0)
            v += 65536;
        if (v >= 0 && v <= 0xFFFF) {
            if (dest == Dest::FontTable) {
                // Font names are collected as bytes; a Unicode name character is rare enough to drop.
            } else {
                character(char16_t(v));
            }
        }
        unicodeSkipLeft_ = state().unicodeSkip;
        return;
    }
    if (w == "uc") {
        state().unicodeSkip = std::clamp(t.hasParam ? t.param : 1, 0, 16);
        return;
    }
    destinationWord(w, t);
}

void Reader::destinationWord(std::string_view w, const RtfToken &t)
{
    GroupState &s = state();
    const int p = t.param;
    const bool star = starPending_;
    auto enter = [&](Dest d) { s.dest = d; };

    // Destinations.
    if (w == "fonttbl") return enter(Dest::FontTable);
    if (w == "colortbl") { colors_.clear(); return enter(Dest::ColorTable); }
    if (w == "stylesheet") return enter(Dest::StyleSheet);
    if (w == "listtable") return enter(Dest::ListTable);
    if (w == "listoverridetable") return enter(Dest::ListOverrideTable);
    if (w == "pict") {
        if (s.dest != Dest::Body)
            return skipGroup();
        picture_ = RVPicture{};
        pictureKnown_ = false;
        deviceBitmap_ = false;
        deviceBitsPerPixel_ = 1;
        deviceWidthBytes_ = 0;
        pictureNibble_ = false;
        pictureWidthGoal_ = pictureHeightGoal_ = pictureWidth_ = pictureHeight_ = 0;
        pictureScaleX_ = pictureScaleY_ = 100;
        pictureDepth_ = int(stack_.size());
        return enter(Dest::Pict);
    }
    if (w == "fldinst") { fieldInst_.clear(); return enter(Dest::FieldInst); }
    if (w == "fldrslt") { fieldResultStarts(); return; }
    if (w == "field") { fieldInst_.clear(); return; }
    if (w == "pn" && s.dest == Dest::Body) {
        pn_ = PnDef{};
        pn_.active = true;
        return enter(Dest::Pn);
    }
    if (w == "pntxtb") { pn_.before.clear(); return enter(Dest::PnTextBefore); }
    if (w == "pntxta") { pn_.after.clear(); return enter(Dest::PnTextAfter); }
    if (w == "background") return enter(Dest::Background);
    if (w == "shp") return enter(s.dest == Dest::Background ? Dest::Background : Dest::Shape);
    if (w == "shprslt" && s.dest == Dest::Shape) return enter(Dest::Body);
    if (s.dest == Dest::Background) {
        if (w == "sn") { shapeName_.clear(); return enter(Dest::ShapeName); }
        if (w == "sv") { shapeValue_.clear(); return enter(Dest::ShapeValue); }
        return;
    }
    if (w == "upr") return enter(Dest::Upr);
    if (w == "ud" && s.dest == Dest::Upr) {
        // The Unicode half of \upr is read where the \upr stands.
        s.dest = Dest::Body;
        for (auto it = stack_.rbegin(); it != stack_.rend(); ++it)
            if (it->dest != Dest::Upr) {
                s.dest = it->dest;
                break;
            }
        return;
    }
    if (w == "shppict" || w == "nesttableprops" || w == "listtext" || w == "pntext") {
        // The picture, the nested row's properties: read. List markers: made again from the list.
        if (w == "listtext" || w == "pntext")
            return skipGroup();
        return;
    }
    static const std::string_view skipped[] = {
        "info", "header", "headerl", "headerr", "headerf", "footer", "footerl", "footerr", "footerf", "footnote",
        "annotation", "nonshppict", "shpinst", "xe", "tc", "txe", "objdata", "themedata", "colorschememapping",
        "datastore", "latentstyles", "rsidtbl", "generator", "pgdsctbl", "listname", "levelnumbers", "fchars",
        "lchars", "revtbl", "template", "docvar", "ftnsep", "ftnsepc", "aftnsep", "aftnsepc", "mmathPr", "falt",
        "panose", "filetbl", "xmlnstbl", "bkmkstart", "bkmkend", "userprops", "atnid", "atnauthor", "nonesttables"};
    if (std::find(std::begin(skipped), std::end(skipped), w) != std::end(skipped))
        return skipGroup();
    if (s.dest == Dest::StyleSheet) {
        if (w == "s") { styleEntryNo_ = p; styleEntryCharacter_ = false; return; }
        if (w == "cs" || w == "ds" || w == "ts") { styleEntryNo_ = p; styleEntryCharacter_ = w == "cs"; return; }
    }
    if (star) // an optional destination this reader does not know: its content is not text
        return skipGroup();

    // Destination-specific words.
    switch (s.dest) {
    case Dest::FontTable:
        if (w == "f") { fontEntryNo_ = p; fontEntryCharset_ = rvDefaultCharset; fontEntryName_.clear(); }
        else if (w == "fcharset") fontEntryCharset_ = std::clamp(p, 0, 255);
        return;
    case Dest::ColorTable:
        if (w == "red") { red_ = p; colorSet_ = true; }
        else if (w == "green") { green_ = p; colorSet_ = true; }
        else if (w == "blue") { blue_ = p; colorSet_ = true; }
        return;
    case Dest::ListTable:
        if (w == "list") {
            listBeingRead_.clear();
            listIdBeingRead_ = 0;
            s.dest = Dest::ListDef;
        }
        return;
    case Dest::ListDef:
        if (w == "listid") listIdBeingRead_ = p;
        else if (w == "listlevel" && int(listBeingRead_.size()) < kMaxListLevels) {
            listBeingRead_.emplace_back();
            s.dest = Dest::ListLevel;
        } else if (w == "listlevel") {
            skipGroup();
        }
        return;
    case Dest::ListLevel: {
        if (listBeingRead_.empty()) // a list table nested in a level started the list over
            return;
        ListLevelDef &l = listBeingRead_.back();
        if (w == "levelnfc" || w == "levelnfcn") l.format = p;
        else if (w == "levelstartat") l.startAt = std::clamp(p, 0, 1000000);
        else if (w == "fi") l.first = p;
        else if (w == "li" || w == "lin") l.left = p;
        else if (w == "f") l.font = p;
        else if (w == "leveltext") { l.text.clear(); s.dest = Dest::LevelText; }
        return;
    }
    case Dest::ListOverrideTable:
        if (w == "listoverride") { overrideListId_ = 0; s.dest = Dest::ListOverride; }
        return;
    case Dest::ListOverride:
        if (w == "listid") overrideListId_ = p;
        else if (w == "ls") overrides_[p] = overrideListId_;
        return;
    case Dest::Pict:
        if (w == "pngblip") { picture_.kind = RVPictureKind::Png; pictureKnown_ = true; }
        else if (w == "jpegblip") { picture_.kind = RVPictureKind::Jpeg; pictureKnown_ = true; }
        else if (w == "dibitmap") { picture_.kind = RVPictureKind::Dib; pictureKnown_ = true; }
        else if (w == "wbitmap") { picture_.kind = RVPictureKind::Dib; pictureKnown_ = deviceBitmap_ = true; }
        else if (w == "wbmbitspixel") deviceBitsPerPixel_ = p;
        else if (w == "wbmwidthbytes") deviceWidthBytes_ = std::clamp(p, 0, 1 << 20);
        else if (w == "wmetafile") { picture_.kind = RVPictureKind::Wmf; pictureKnown_ = true; }
        else if (w == "emfblip") { picture_.kind = RVPictureKind::Emf; pictureKnown_ = true; }
        else if (w == "picwgoal") pictureWidthGoal_ = std::clamp(p, 0, 1 << 22);
        else if (w == "pichgoal") pictureHeightGoal_ = std::clamp(p, 0, 1 << 22);
        else if (w == "picw") pictureWidth_ = std::clamp(p, 0, 1 << 22);
        else if (w == "pich") pictureHeight_ = std::clamp(p, 0, 1 << 22);
        else if (w == "picscalex") pictureScaleX_ = std::clamp(p, 1, 1000);
        else if (w == "picscaley") pictureScaleY_ = std::clamp(p, 1, 1000);
        return;
    case Dest::Pn:
        if (w == "pnlvlblt") pn_.bullet = true;
        else if (w == "pnlvlbody") pn_.bullet = false;
        else if (w == "pnlvl") pn_.level = std::clamp(p - 1, 0, kMaxListLevels - 1);
        else if (w == "pndec") pn_.format = 0;
        else if (w == "pnucrm") pn_.format = 1;
        else if (w == "pnlcrm") pn_.format = 2;
        else if (w == "pnucltr") pn_.format = 3;
        else if (w == "pnlcltr") pn_.format = 4;
        else if (w == "pnstart") pn_.startAt = std::clamp(p, 0, 1000000);
        else if (w == "pnf") pn_.font = p;
        else if (w == "pnindent") pn_.indent = p;
        return;
    case Dest::LevelText:
    case Dest::FieldInst:
    case Dest::PnTextBefore:
    case Dest::PnTextAfter:
    case Dest::ShapeName:
    case Dest::ShapeValue:
    case Dest::Upr:
    case Dest::Shape:
    case Dest::Background:
        return;
    case Dest::Body:
    case Dest::StyleSheet:
        break;
    }

    if (s.dest == Dest::StyleSheet) {
        charWord(w, t) || paraWord(w, t);
        return;
    }
    bodyWord(w, t) || charWord(w, t) || paraWord(w, t) || tableWord(w, t);
}

bool Reader::bodyWord(std::string_view w, const RtfToken &t)
{
    const int p = t.param;
    if (w == "par") { endParagraph(); return true; }
    if (w == "sect") { endParagraph(); return true; }
    if (w == "line") { character(0x2028); return true; }
    if (w == "tab") { character(u'\t'); return true; }
    if (w == "page") {
        if (!paragraph_.runs.empty())
            endParagraph();
        pageBreakPending_ = true;
        return true;
    }
    static const std::pair<std::string_view, char16_t> specials[] = {
        {"emdash", 0x2014}, {"endash", 0x2013}, {"bullet", 0x2022}, {"lquote", 0x2018}, {"rquote", 0x2019},
        {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", 0x2003}, {"enspace", 0x2002},
        {"qmspace", 0x2005}, {"zwj", 0x200D}, {"zwnj", 0x200C}, {"ltrmark", 0x200E}, {"rtlmark", 0x200F},
        {"zwbo", 0x200B}};
    for (const auto &[name, c] : specials)
        if (w == name) {
            character(c);
            return true;
        }
    if (w == "ansicpg") {
        if (rtfcp::isSupported(p))
            ansiCodePage_ = p;
        return true;
    }
    if (w == "deff") { defaultFont_ = p; return true; }
    if (w == "paperw" || w == "pgwsxn") { ensurePage().paperWidth = std::clamp(p, 1, 1 << 20); return true; }
    if (w == "paperh" || w == "pghsxn") { ensurePage().paperHeight = std::clamp(p, 1, 1 << 20); return true; }
    if (w == "margl" || w == "marglsxn") { ensurePage().leftMargin = std::clamp(p, 0, 1 << 20); return true; }
    if (w == "margr" || w == "margrsxn") { ensurePage().rightMargin = std::clamp(p, 0, 1 << 20); return true; }
    if (w == "margt" || w == "margtsxn") { ensurePage().topMargin = std::clamp(p, 0, 1 << 20); return true; }
    if (w == "margb" || w == "margbsxn") { ensurePage().bottomMargin = std::clamp(p, 0, 1 << 20); return true; }
    return false;
}

bool Reader::charWord(std::string_view w, const RtfToken &t)
{
    CharProps &c = state().chr;
    const int p = t.param;
    const bool on = !t.hasParam || p != 0;
    if (w == "plain") { c = CharProps{}; return true; }
    if (w == "f") { c.font = p; return true; }
    if (w == "fs") { c.halfPoints = std::clamp(t.hasParam ? p : 24, 2, 3276); return true; }
    if (w == "b") { c.bold = on; return true; }
    if (w == "i") { c.italic = on; return true; }
    if (w == "strike" || w == "striked") { c.strike = on; return true; }
    if (w == "v") { c.hidden = on; return true; }
    if (w == "caps") { c.caps = on ? RVCaps::AllCaps : RVCaps::Normal; return true; }
    if (w == "scaps") { c.caps = on ? RVCaps::SmallCaps : RVCaps::Normal; return true; }
    static const std::pair<std::string_view, RVUnderline> underlines[] = {
        {"ul", RVUnderline::Single}, {"uldb", RVUnderline::Double}, {"ulth", RVUnderline::Thick},
        {"uld", RVUnderline::Dotted}, {"uldash", RVUnderline::Dashed}, {"uldashd", RVUnderline::DashDotted},
        {"ulwave", RVUnderline::Wavy}, {"ulw", RVUnderline::Words}, {"uldashdd", RVUnderline::DashDotted},
        {"ulthd", RVUnderline::Dotted}, {"ulthdash", RVUnderline::Dashed}, {"ulldash", RVUnderline::Dashed},
        {"ululdbwave", RVUnderline::Wavy}, {"ulhwave", RVUnderline::Wavy}};
    for (const auto &[name, kind] : underlines)
        if (w == name) {
            c.underline = on;
            c.underlineType = kind;
            return true;
        }
    if (w == "ulnone") { c.underline = false; c.underlineType = RVUnderline::Single; return true; }
    if (w == "super") { c.vShift = 50; c.upHalfPoints = 0; return true; }
    if (w == "sub") { c.vShift = -50; c.upHalfPoints = 0; return true; }
    if (w == "nosupersub") { c.vShift = 0; c.upHalfPoints = 0; return true; }
    if (w == "up") { c.upHalfPoints = std::clamp(t.hasParam ? p : 6, -3276, 3276); c.vShift = 0; return true; }
    if (w == "dn") { c.upHalfPoints = -std::clamp(t.hasParam ? p : 6, -3276, 3276); c.vShift = 0; return true; }
    if (w == "cf") { c.foreground = std::max(p, 0); return true; }
    if (w == "highlight" || w == "chcbpat" || w == "cb") { c.background = p > 0 ? p : -1; return true; }
    if (w == "expndtw") { c.spacingTwips = std::clamp(p, -31680, 31680); return true; }
    if (w == "expnd") { c.spacingTwips = std::clamp(p, -31680, 31680) * 5; return true; } // quarter points
    if (w == "charscalex") { c.scale = std::clamp(t.hasParam ? p : 100, 1, 600); return true; }
    if (w == "cs") { applyStyleSheetEntry(p, true); return true; }
    return false;
}

bool Reader::paraWord(std::string_view w, const RtfToken &t)
{
    ParaProps &a = state().para;
    const int p = t.param;
    const bool on = !t.hasParam || p != 0;
    if (w == "pard") {
        a = ParaProps{};
        pn_.active = false;
        borderTarget_ = BorderTarget::None;
        return true;
    }
    if (w == "ql") { a.align = RVAlignment::Left; return true; }
    if (w == "qr") { a.align = RVAlignment::Right; return true; }
    if (w == "qc") { a.align = RVAlignment::Center; return true; }
    if (w == "qj" || w == "qd") { a.align = RVAlignment::Justify; return true; }
    if (w == "li" || w == "lin") { a.left = p; return true; }
    if (w == "ri" || w == "rin") { a.right = p; return true; }
    if (w == "fi") { a.first = p; return true; }
    if (w == "sb") { a.before = p; return true; }
    if (w == "sa") { a.after = p; return true; }
    if (w == "sl") { a.lineSpacing = p; return true; }
    if (w == "slmult") { a.lineMultiple = on; return true; }
    if (w == "keepn") { a.keepNext = on; return true; }
    if (w == "keep") { a.keep = on; return true; }
    if (w == "pagebb") { a.pageBreakBefore = on; return true; }
    if (w == "intbl") { a.inTable = true; if (a.nesting == 0) a.nesting = 1; return true; }
    if (w == "itap") {
        a.nesting = std::clamp(p, 0, kMaxTableDepth);
        a.inTable = a.nesting > 0;
        return true;
    }
    if (w == "ls") { a.listOverride = p; return true; }
    if (w == "ilvl") { a.listLevel = std::clamp(p, 0, kMaxListLevels - 1); return true; }
    if (w == "s") { applyStyleSheetEntry(p, false); return true; }
    if (w == "cbpat") { a.shading = p; return true; }
    // Tab stops: the kind and leader words come before the position that ends the stop.
    if (w == "tqr") { a.tabAlign = RVTabAlign::Right; return true; }
    if (w == "tqc") { a.tabAlign = RVTabAlign::Center; return true; }
    if (w == "tqdec") { a.tabAlign = RVTabAlign::Decimal; return true; }
    if (w == "tldot") { a.tabLeader = RVTabLeader::Dots; return true; }
    if (w == "tlhyph") { a.tabLeader = RVTabLeader::Hyphens; return true; }
    if (w == "tlul") { a.tabLeader = RVTabLeader::Underline; return true; }
    if (w == "tlth") { a.tabLeader = RVTabLeader::Thick; return true; }
    if (w == "tleq") { a.tabLeader = RVTabLeader::Equals; return true; }
    if (w == "tx" || w == "tb") {
        // A stop at a position that has one replaces it (a style's stops are often repeated).
        const RVTab tab{twipsToPixels(p), w == "tb" ? RVTabAlign::Bar : a.tabAlign, a.tabLeader};
        const auto same = std::find_if(a.tabs.begin(), a.tabs.end(),
                                       [&](const RVTab &t) { return t.position == tab.position; });
        if (same != a.tabs.end())
            *same = tab;
        else if (a.tabs.size() < 256)
            a.tabs.push_back(tab);
        a.tabAlign = RVTabAlign::Left;
        a.tabLeader = RVTabLeader::None;
        return true;
    }
    if (w == "brdrt") { setBorderTarget(BorderTarget::ParaTop); return true; }
    if (w == "brdrb") { setBorderTarget(BorderTarget::ParaBottom); return true; }
    if (w == "brdrl") { setBorderTarget(BorderTarget::ParaLeft); return true; }
    if (w == "brdrr") { setBorderTarget(BorderTarget::ParaRight); return true; }
    if (w == "box") { setBorderTarget(BorderTarget::ParaAll); return true; }
    const bool cellTarget = borderTarget_ >= BorderTarget::CellLeft;
    if (borderTarget_ != BorderTarget::None) {
        RtfCellBorder *cb = cellTarget ? cellBorder() : nullptr;
        RVBorder &pb = a.border;
        if (w == "brdrs" || w == "brdrsh" || w == "brdrdot" || w == "brdrdash" || w == "brdrhair") {
            if (cb) cb->width = std::max(cb->width, 1);
            else if (pb.style != RVBorderStyle::Thick && pb.style != RVBorderStyle::Double) pb.style = RVBorderStyle::Single;
            return true;
        }
        if (w == "brdrdb") { if (cb) cb->width = std::max(cb->width, 3); else pb.style = RVBorderStyle::Double; return true; }
        if (w == "brdrth") { if (cb) cb->width = std::max(cb->width, 2); else pb.style = RVBorderStyle::Thick; return true; }
        if (w == "brdrnone" || w == "brdrnil") { if (cb) cb->width = 0; return true; }
        if (w == "brdrw") {
            const int px = std::clamp(p / kTwipsPerPixel, 1, 100);
            if (cb) cb->width = px; else pb.width = px;
            return true;
        }
        if (w == "brdrcf") {
            const RVColor color = colorAt(p, 0);
            if (cb) cb->color = color; else pb.color = color;
            return true;
        }
        if (w == "brsp" && !cb) {
            const int px = twipsToPixels(p);
            switch (borderTarget_) {
            case BorderTarget::ParaLeft: pb.offsetLeft = px; break;
            case BorderTarget::ParaTop: pb.offsetTop = px; break;
            case BorderTarget::ParaRight: pb.offsetRight = px; break;
            case BorderTarget::ParaBottom: pb.offsetBottom = px; break;
            default: pb.offsetLeft = pb.offsetTop = pb.offsetRight = pb.offsetBottom = px; break;
            }
            return true;
        }
    }
    return false;
}

RVPageSetup &Reader::ensurePage()
{
    if (!result_.pageSetup)
        result_.pageSetup = doc_.pageSetup();
    return *result_.pageSetup;
}

void Reader::setBorderTarget(BorderTarget target)
{
    borderTarget_ = target;
    if (target >= BorderTarget::CellLeft)
        return;
    RVBorder &b = state().para.border;
    if (b.style == RVBorderStyle::None) {
        b.left = b.top = b.right = b.bottom = false;
        b.style = RVBorderStyle::Single;
    }
    switch (target) {
    case BorderTarget::ParaLeft: b.left = true; break;
    case BorderTarget::ParaTop: b.top = true; break;
    case BorderTarget::ParaRight: b.right = true; break;
    case BorderTarget::ParaBottom: b.bottom = true; break;
    default: b.left = b.top = b.right = b.bottom = true; break;
    }
}

RtfCellBorder *Reader::cellBorder()
{
    switch (borderTarget_) {
    case BorderTarget::CellLeft: return &cellDef_.left;
    case BorderTarget::CellTop: return &cellDef_.top;
    case BorderTarget::CellRight: return &cellDef_.rightBorder;
    case BorderTarget::CellBottom: return &cellDef_.bottom;
    default: return nullptr;
    }
}

bool Reader::tableWord(std::string_view w, const RtfToken &t)
{
    const int p = t.param;
    const ParaProps &a = state().para;
    const int rowDepth = std::clamp(a.nesting, 1, kMaxTableDepth);
    if (w == "trowd") {
        rowDefs_[std::size_t(rowDepth)].clear();
        cellDef_ = RtfCellFormat{};
        return true;
    }
    if (w == "cellx") {
        auto &defs = rowDefs_[std::size_t(rowDepth)];
        cellDef_.right = std::clamp(p, 0, 1 << 22);
        if (int(defs.size()) < kMaxCellsPerRow)
            defs.push_back(std::move(cellDef_));
        cellDef_ = RtfCellFormat{};
        if (borderTarget_ >= BorderTarget::CellLeft)
            borderTarget_ = BorderTarget::None;
        return true;
    }
    if (w == "clmgf") { cellDef_.mergeFirst = true; return true; }
    if (w == "clmrg") { cellDef_.merged = true; return true; }
    if (w == "clvmgf") { cellDef_.vMergeFirst = true; return true; }
    if (w == "clvmrg") { cellDef_.vMerged = true; return true; }
    if (w == "clcbpat") { cellDef_.shading = colorAt(p, rvNoColor); return true; }
    if (w == "clbrdrl") { borderTarget_ = BorderTarget::CellLeft; return true; }
    if (w == "clbrdrt") { borderTarget_ = BorderTarget::CellTop; return true; }
    if (w == "clbrdrr") { borderTarget_ = BorderTarget::CellRight; return true; }
    if (w == "clbrdrb") { borderTarget_ = BorderTarget::CellBottom; return true; }
    if (w == "cell") { endCell(1); return true; }
    if (w == "nestcell") { endCell(std::max(2, rowDepth)); return true; }
    if (w == "row") { endRow(1); return true; }
    if (w == "nestrow") { endRow(std::max(2, rowDepth)); return true; }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Style sheet, fields, shapes

void Reader::recordStyleSheetEntry()
{
    StyleSheetEntry e;
    e.character = styleEntryCharacter_;
    e.name = styleEntryName_.trimmed();
    e.chr = state().chr;
    e.para = state().para;
    styleSheet_[styleEntryNo_] = std::move(e);
    styleEntryName_.clear();
}

void Reader::applyStyleSheetEntry(int number, bool character)
{
    GroupState &s = state();
    const auto it = styleSheet_.find(number);
    if (character) {
        if (it != styleSheet_.end() && it->second.character)
            s.chr = it->second.chr;
        s.chr.charStyle = number;
        return;
    }
    ParaProps &a = s.para;
    if (it != styleSheet_.end() && !it->second.character) {
        const ParaProps &from = it->second.para;
        const bool inTable = a.inTable;
        const int nesting = a.nesting, list = a.listOverride, level = a.listLevel;
        a = from;
        a.inTable = inTable;
        a.nesting = nesting;
        a.listOverride = list;
        a.listLevel = level;
        s.chr = it->second.chr;
    }
    a.style = number;
}

void Reader::fieldResultStarts()
{
    const QString target = hyperlinkTarget(fieldInst_);
    if (!target.isEmpty())
        state().link = target;
}

void Reader::shapePropertyEnds()
{
    if (shapeName_.trimmed() == QLatin1String("fillColor")) {
        bool ok = false;
        const qlonglong v = shapeValue_.trimmed().toLongLong(&ok);
        if (ok && v >= 0 && v <= 0xFFFFFF)
            result_.background = RVColor(v);
    }
}

RVColor Reader::colorAt(int index, RVColor fallback) const
{
    if (index < 0 || std::size_t(index) >= colors_.size() || !colors_[std::size_t(index)])
        return fallback;
    return *colors_[std::size_t(index)];
}

// A style sheet name is the document style's name, or that name with a number that made it unique
// in the file ("Text Body 2").
bool sameStyleName(const QString &have, const QString &inFile)
{
    if (have == inFile)
        return true;
    const qsizetype space = inFile.lastIndexOf(QLatin1Char(' '));
    if (space <= 0 || space + 1 == inFile.size())
        return false;
    for (qsizetype i = space + 1; i < inFile.size(); ++i)
        if (!inFile[i].isDigit())
            return false;
    return QStringView(inFile).left(space) == have;
}

int Reader::textStyleFor(const CharProps &chr, bool link)
{
    const auto key = std::make_pair(chr, link);
    if (const auto it = textStyleCache_.find(key); it != textStyleCache_.end())
        return it->second;
    RVTextStyle s;
    const int fontNo = chr.font < 0 ? defaultFont_ : chr.font;
    if (const auto f = fonts_.find(fontNo); f != fonts_.end() && !f->second.name.isEmpty()) {
        s.fontName = f->second.name;
        s.charset = f->second.charset;
    }
    s.size = (chr.halfPoints + 1) / 2;
    s.bold = chr.bold;
    s.italic = chr.italic;
    s.underline = chr.underline;
    s.underlineType = chr.underline ? chr.underlineType : RVUnderline::Single;
    s.strikeOut = chr.strike;
    s.caps = chr.caps;
    s.color = colorAt(chr.foreground, 0x000000);
    s.backColor = colorAt(chr.background, rvNoColor);
    s.vShift = chr.upHalfPoints != 0 ? std::clamp(chr.upHalfPoints * 100 / chr.halfPoints, -100, 100) : chr.vShift;
    s.charSpacing = twipsToPixels(chr.spacingTwips);
    s.charScale = chr.scale;
    s.jump = link;
    const auto entry = styleSheet_.find(chr.charStyle);
    s.name = entry != styleSheet_.end() && !entry->second.name.isEmpty() ? entry->second.name : s.fontName;

    int no = -1;
    // A style of the same name that differs only in what RTF cannot say (hover colours, protection…)
    // is the style the file was written from.
    for (std::size_t i = 0; i < style_.TextStyles.size() && no < 0; ++i) {
        const RVTextStyle &have = style_.TextStyles[i];
        if (!sameStyleName(have.name, s.name))
            continue;
        RVTextStyle probe = s;
        probe.hoverColor = have.hoverColor;
        probe.hoverBackColor = have.hoverBackColor;
        probe.overline = have.overline;
        probe.deleteProtect = have.deleteProtect;
        probe.noAutoSwitch = have.noAutoSwitch;
        probe.unicode = have.unicode;
        probe.nextStyleNo = have.nextStyleNo;
        if (!link)
            probe.jump = have.jump; // a link style's text without a target is not a field
        if (probe.sameFormatting(have))
            no = int(i);
    }
    if (no < 0) {
        if (addedStyles_ < kMaxAddedStyles) {
            const std::size_t before = style_.TextStyles.size();
            no = style_.addTextStyleIfNeeded(s);
            addedStyles_ += style_.TextStyles.size() - before;
        } else {
            no = 0; // the file asks for more styles than any document needs
        }
    }
    textStyleCache_.emplace(key, no);
    return no;
}

// The formatting fields of paragraph properties as bytes, a key for the style cache.
std::string paraKey(const ParaProps &a)
{
    std::string key;
    auto add = [&key](int v) { key.append(reinterpret_cast<const char *>(&v), sizeof v); };
    for (const int v : {int(a.align), a.left, a.right, a.first, a.before, a.after, a.lineSpacing, int(a.lineMultiple),
                        int(a.border.style), int(a.border.color), a.border.width, int(a.border.left), int(a.border.top),
                        int(a.border.right), int(a.border.bottom), a.border.offsetLeft, a.border.offsetTop,
                        a.border.offsetRight, a.border.offsetBottom, a.shading, int(a.keepNext), int(a.keep),
                        int(a.pageBreakBefore), a.style})
        add(v);
    for (const RVTab &t : a.tabs) {
        add(t.position);
        add(int(t.align) << 8 | int(t.leader));
    }
    return key;
}

int Reader::paraStyleFor(const ParaProps &a)
{
    // Without this, a file alternating between many formattings would cost paragraphs × styles.
    const std::string key = paraKey(a);
    if (const auto it = paraStyleCache_.find(key); it != paraStyleCache_.end())
        return it->second;
    const int no = findParaStyle(a);
    paraStyleCache_.emplace(key, no);
    return no;
}

int Reader::findParaStyle(const ParaProps &a)
{
    RVParaStyle p;
    p.alignment = a.align;
    p.leftIndent = twipsToPixels(a.left);
    p.rightIndent = twipsToPixels(a.right);
    p.firstIndent = twipsToPixels(a.first);
    p.spaceBefore = twipsToPixels(a.before);
    p.spaceAfter = twipsToPixels(a.after);
    if (a.lineMultiple && a.lineSpacing > 0)
        p.lineSpacing = std::clamp(a.lineSpacing * 100 / 240, 10, 1000);
    p.tabs = a.tabs;
    p.border = a.border;
    p.backColor = colorAt(a.shading, rvNoColor);
    p.keepWithNext = a.keepNext;
    p.keepLinesTogether = a.keep;
    p.pageBreakBefore = a.pageBreakBefore;
    const auto entry = styleSheet_.find(a.style);
    p.name = entry != styleSheet_.end() && !entry->second.name.isEmpty() ? entry->second.name
                                                                          : QStringLiteral("Paragraph");
    for (std::size_t i = 0; i < style_.ParaStyles.size(); ++i) {
        const RVParaStyle &have = style_.ParaStyles[i];
        if (!sameStyleName(have.name, p.name))
            continue;
        RVParaStyle probe = p;
        probe.backOffsetLeft = have.backOffsetLeft;
        probe.backOffsetTop = have.backOffsetTop;
        probe.backOffsetRight = have.backOffsetRight;
        probe.backOffsetBottom = have.backOffsetBottom;
        probe.nextParaNo = have.nextParaNo;
        if (probe.sameFormatting(have))
            return int(i);
    }
    if (addedStyles_ >= kMaxAddedStyles)
        return 0;
    const std::size_t before = style_.ParaStyles.size();
    const int no = style_.addParaStyleIfNeeded(p);
    addedStyles_ += style_.ParaStyles.size() - before;
    return no;
}

RVListStyle Reader::listStyleOf(const std::vector<ListLevelDef> &levels) const
{
    RVListStyle list;
    list.name = QStringLiteral("List");
    for (const ListLevelDef &d : levels) {
        RVListLevel l;
        l.leftIndent = twipsToPixels(d.left);
        l.firstIndent = twipsToPixels(d.first);
        switch (d.format) {
        case 0: l.kind = RVListKind::Decimal; break;
        case 1: l.kind = RVListKind::UpperRoman; break;
        case 2: l.kind = RVListKind::LowerRoman; break;
        case 3: l.kind = RVListKind::UpperAlpha; break;
        case 4: l.kind = RVListKind::LowerAlpha; break;
        default: l.kind = d.format == 23 || d.format == 255 ? RVListKind::Bullet : RVListKind::Decimal; break;
        }
        if (const auto f = fonts_.find(d.font); f != fonts_.end() && !f->second.name.isEmpty())
            l.bulletFont = f->second.name;
        // \leveltext: its first character is the length of the rest; characters 0..8 stand for
        // the numbers of the levels.
        const QString text = d.text;
        const int length = text.isEmpty() ? 0 : std::min<int>(text.at(0).unicode(), int(text.size()) - 1);
        const QString body = text.mid(1, length);
        if (l.kind == RVListKind::Bullet) {
            l.bulletText = body.isEmpty() ? QString(QChar(0x00B7)) : body;
        } else {
            qsizetype firstHole = -1, lastHole = -1;
            for (qsizetype i = 0; i < body.size(); ++i)
                if (body.at(i).unicode() < 9) {
                    if (firstHole < 0)
                        firstHole = i;
                    lastHole = i;
                }
            l.prefix = firstHole < 0 ? QString() : body.left(firstHole);
            l.suffix = lastHole < 0 ? QStringLiteral(".") : body.mid(lastHole + 1);
            l.startFrom = d.startAt;
        }
        list.levels.push_back(l);
    }
    if (list.levels.empty())
        list.levels.emplace_back();
    return list;
}

int Reader::listFor(const ParaProps &a)
{
    if (a.listOverride > 0) {
        if (const auto it = listNoOfOverride_.find(a.listOverride); it != listNoOfOverride_.end())
            return it->second;
        const auto o = overrides_.find(a.listOverride);
        const auto d = o == overrides_.end() ? listDefs_.end() : listDefs_.find(o->second);
        if (d == listDefs_.end() || style_.ListStyles.size() >= kMaxAddedStyles)
            return -1;
        const int no = style_.addListStyleIfNeeded(listStyleOf(d->second));
        listNoOfOverride_[a.listOverride] = no;
        return no;
    }
    if (pn_.active) {
        const auto key = std::make_tuple(pn_.bullet, pn_.level, pn_.format, pn_.startAt, pn_.font, pn_.indent,
                                         pn_.before, pn_.after);
        if (const auto it = pnListCache_.find(key); it != pnListCache_.end())
            return it->second;
        const int no = pnList();
        pnListCache_.emplace(key, no);
        return no;
    }
    return -1;
}

int Reader::pnList()
{
    std::vector<ListLevelDef> levels(std::size_t(pn_.level) + 1);
    for (ListLevelDef &l : levels) {
        l.format = pn_.bullet ? 23 : pn_.format;
        l.startAt = pn_.startAt;
        l.font = pn_.font;
        l.left = pn_.indent;
        l.first = -pn_.indent;
        const QString body = pn_.bullet ? pn_.before : pn_.before + QChar(0) + pn_.after;
        l.text = QChar(char16_t(body.size())) + body;
    }
    if (style_.ListStyles.size() >= kMaxAddedStyles)
        return -1;
    return style_.addListStyleIfNeeded(listStyleOf(levels));
}

// ---------------------------------------------------------------------------------------------
// Body content

void Reader::startRun(RtfRun::Kind kind)
{
    const GroupState &s = state();
    RtfRun run;
    run.kind = kind;
    run.styleNo = textStyleFor(s.chr, !s.link.isEmpty());
    if (!s.link.isEmpty()) {
        if (doc_.OnReadHyperlink)
            doc_.OnReadHyperlink(s.link, QString(), RVLinkFormat::RTF, run.styleNo, run.tag);
        else
            run.tag = s.link;
        if (run.styleNo < 0 || std::size_t(run.styleNo) >= style_.TextStyles.size())
            run.styleNo = 0;
    }
    runProps_ = s.chr;
    runLink_ = s.link;
    paragraph_.runs.push_back(std::move(run));
}

void Reader::appendChar(char16_t c)
{
    const GroupState &s = state();
    if (s.chr.hidden)
        return;
    if (paragraph_.runs.empty() || paragraph_.runs.back().kind != RtfRun::Text || runProps_ != s.chr
        || runLink_ != s.link)
        startRun(RtfRun::Text);
    paragraph_.runs.back().text.append(QChar(c));
}

void Reader::appendText(const QString &text)
{
    const GroupState &s = state();
    if (s.chr.hidden || text.isEmpty())
        return;
    if (paragraph_.runs.empty() || paragraph_.runs.back().kind != RtfRun::Text || runProps_ != s.chr
        || runLink_ != s.link)
        startRun(RtfRun::Text);
    paragraph_.runs.back().text.append(text);
}

void Reader::appendPicture()
{
    if (deviceBitmap_)
        picture_.data = dibFromDeviceBitmap(picture_.data, pictureWidth_, pictureHeight_, deviceBitsPerPixel_,
                                            deviceWidthBytes_);
    if (!pictureKnown_ || picture_.data.isEmpty())
        return;
    // The shown size: the goal size (twips) scaled, else the picture's own size.
    const int w = pictureWidthGoal_ > 0 ? pictureWidthGoal_ / kTwipsPerPixel : 0;
    const int h = pictureHeightGoal_ > 0 ? pictureHeightGoal_ / kTwipsPerPixel : 0;
    if (w > 0 && h > 0)
        picture_.size = QSize(std::max(1, w * pictureScaleX_ / 100), std::max(1, h * pictureScaleY_ / 100));
    else if (picture_.kind == RVPictureKind::Wmf || picture_.kind == RVPictureKind::Emf)
        picture_.size = QSize(std::clamp(pictureWidth_ / 26, 1, 4000), std::clamp(pictureHeight_ / 26, 1, 4000));
    startRun(RtfRun::Picture);
    paragraph_.runs.back().picture = std::move(picture_);
    picture_ = RVPicture{};
}

int Reader::paragraphDepth() const
{
    const ParaProps &a = stack_.back().para;
    return a.inTable ? std::clamp(a.nesting, 1, kMaxTableDepth) : 0;
}

void Reader::endParagraph()
{
    if (state().dest != Dest::Body)
        return;
    const ParaProps &a = state().para;
    RtfBlock block;
    block.paragraph = std::move(paragraph_);
    paragraph_ = RtfParagraph{};
    block.paragraph.paraNo = paraStyleFor(a);
    block.paragraph.listNo = listFor(a);
    block.paragraph.listLevel = a.listOverride > 0 ? a.listLevel : pn_.level;
    block.paragraph.pageBreakBefore = pageBreakPending_;
    pageBreakPending_ = false;
    const int depth = paragraphDepth();
    closeTablesDeeperThan(depth);
    openTablesTo(depth);
    appendBlock(depth, std::move(block));
}

void Reader::appendBlock(int depth, RtfBlock &&block)
{
    if (depth == 0)
        result_.content.blocks.push_back(std::move(block));
    else
        tables_[std::size_t(depth - 1)].open.blocks.push_back(std::move(block));
}

void Reader::openTablesTo(int depth)
{
    while (int(tables_.size()) < depth)
        tables_.emplace_back();
}

void Reader::closeTablesDeeperThan(int depth)
{
    while (int(tables_.size()) > depth) {
        const int d = int(tables_.size());
        OpenTable &t = tables_.back();
        if (!t.cells.empty() || !t.open.blocks.empty())
            endRow(d);
        OpenTable closing = std::move(tables_.back());
        tables_.pop_back();
        if (closing.table->rows.empty())
            continue;
        RtfBlock block;
        block.table = std::move(closing.table);
        appendBlock(d - 1, std::move(block));
    }
}

void Reader::endCell(int depth)
{
    if (state().dest != Dest::Body)
        return;
    depth = std::clamp(depth, 1, kMaxTableDepth);
    closeTablesDeeperThan(depth);
    openTablesTo(depth);
    OpenTable &t = tables_[std::size_t(depth - 1)];
    if (!paragraph_.runs.empty() || t.open.blocks.empty()) {
        RtfBlock block;
        block.paragraph = std::move(paragraph_);
        paragraph_ = RtfParagraph{};
        block.paragraph.paraNo = paraStyleFor(state().para);
        block.paragraph.listNo = listFor(state().para);
        block.paragraph.listLevel = state().para.listLevel;
        t.open.blocks.push_back(std::move(block));
    }
    if (int(t.cells.size()) < kMaxCellsPerRow) {
        t.cells.push_back(std::move(t.open));
    } else {
        // More cells than a row may hold: the rest goes into the last one.
        for (RtfBlock &b : t.open.blocks)
            t.cells.back().blocks.push_back(std::move(b));
    }
    t.open = RtfCell{};
}

void Reader::endRow(int depth)
{
    if (state().dest != Dest::Body)
        return;
    depth = std::clamp(depth, 1, kMaxTableDepth);
    closeTablesDeeperThan(depth);
    openTablesTo(depth);
    OpenTable &t = tables_[std::size_t(depth - 1)];
    if (!t.open.blocks.empty())
        endCell(depth);
    if (t.cells.empty())
        return;
    const auto &defs = rowDefs_[std::size_t(depth)];
    RtfRow row;
    int right = 0;
    for (std::size_t i = 0; i < t.cells.size(); ++i) {
        RtfCell cell = std::move(t.cells[i]);
        if (i < defs.size())
            cell.format = defs[i];
        else
            cell.format.right = right + 1440;
        cell.format.right = std::max(cell.format.right, right + 1); // boundaries only grow
        right = cell.format.right;
        row.cells.push_back(std::move(cell));
    }
    t.cells.clear();
    t.table->rows.push_back(std::move(row));
}

} // namespace

RtfReadResult readRtfContent(std::string_view bytes, RVDocument &doc)
{
    return Reader(bytes, doc).run();
}
