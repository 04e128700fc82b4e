#pragma once
// One document of the editor: Qt's text document plus what our model adds to it (the style sheet,
// the layout margins, the background). Headless: the file formats and the command-line tool work on
// it without any widget.

#include "RVStyle.h"

#include <QObject>
#include <QTextDocument>

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

    // Empties the document: one empty paragraph in text style 0 and paragraph style 0.
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
};
