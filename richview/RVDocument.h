#pragma once
// One document of the editor: Qt's text document plus what our model adds to it (the style sheet,
// the layout margins, the background). Headless: the file formats and the command-line tool work on
// it without any widget.

#include "RVStyle.h"

#include <QObject>
#include <QTextDocument>
#include <functional>

// Formats an item is written in, as the save hooks are told (rvsfText, rvsfHTML, rvsfRTF, rvsfRVF).
enum class RVSaveFormat { Text, HTML, RTF, RVF };
// Where a hyperlink being read comes from (rvlfText, rvlfHTML, rvlfRTF, rvlfRVF, rvlfURL, rvlfOther).
enum class RVLinkFormat { Text, HTML, RTF, RVF, URL, Other };

// Items of kinds other than text and pictures are Qt objects of these types; their data are
// properties of the object's format.
namespace rvobject {
// A form control: its class name ("TButton" …) and caption. The control items themselves are
// added by the form-control feature; files meet them only through OnSaveComponentToFile.
constexpr int Control = QTextFormat::UserObject + 1;
constexpr int ControlClass = QTextFormat::UserProperty + 20;
constexpr int ControlCaption = QTextFormat::UserProperty + 21;
} // namespace rvobject

// The printed page: paper size and margins in twips (1/1440 inch); A4 with 20 mm margins.
struct RVPageSetup {
    int paperWidth = 11906, paperHeight = 16838;
    int leftMargin = 1134, topMargin = 1134, rightMargin = 1134, bottomMargin = 1134;
    bool operator==(const RVPageSetup &) const = default;
};

struct RVLayout {
    int leftMargin = 0, topMargin = 20, rightMargin = 0, bottomMargin = 20; // pixels
    bool operator==(const RVLayout &) const = default;
};

class RVDocument : public QObject
{
    Q_OBJECT
public:
    explicit RVDocument(QObject *parent = nullptr);

    QTextDocument *textDocument() const { return doc_; }
    TRVStyle &style() { return style_; }
    const TRVStyle &style() const { return style_; }

    const RVLayout &layout() const { return layout_; }
    void setLayout(const RVLayout &layout);
    RVColor background() const { return background_; }
    void setBackground(RVColor color);
    const RVPageSetup &pageSetup() const { return pageSetup_; }
    void setPageSetup(const RVPageSetup &setup) { pageSetup_ = setup; }

    // A hyperlink met while reading: Target and Extras as the file gives them; StyleNo comes in as
    // the link's text style and may be changed, ItemTag (the target kept in the document) comes in
    // empty. Without a hook the tag is the target.
    std::function<void(const QString &Target, const QString &Extras, RVLinkFormat DocFormat, int &StyleNo,
                       QString &ItemTag)>
        OnReadHyperlink;
    // A hyperlink being written: ItemNo and the item's format; Target comes in as the item's tag.
    std::function<void(int ItemNo, const QTextCharFormat &Item, RVSaveFormat SaveFormat, QString &Target,
                       QString &Extras)>
        OnWriteHyperlink;
    // An object item of a kind the writer does not know (a control): OutStr comes in as what the
    // writer would write and goes out as what is written, in the syntax of SaveFormat.
    std::function<void(const QString &Path, const QTextFormat &SaveMe, RVSaveFormat SaveFormat, QString &OutStr)>
        OnSaveComponentToFile;

    // Empties the document: one empty paragraph in text style 0 and paragraph style 0, the default
    // layout, no background, the default page setup. The style sheet stays.
    void clear();

    // The document as a list of items: every text run is one item, an empty paragraph one empty text
    // item, every embedded object one item, a table one item.
    int itemCount() const;

private:
    void applyLayout();

    QTextDocument *doc_;
    TRVStyle style_;
    RVLayout layout_;
    RVColor background_ = rvNoColor;
    RVPageSetup pageSetup_;
};
