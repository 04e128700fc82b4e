#include "RVDocument.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>

RVDocument::RVDocument(QObject *parent)
    : QObject(parent)
    , doc_(new QTextDocument(this))
{
    doc_->setUndoRedoEnabled(true);
    clear();
}

void RVDocument::setLayout(const RVLayout &layout)
{
    layout_ = layout;
    applyLayout();
}

void RVDocument::setBackground(RVColor color)
{
    background_ = color;
}

void RVDocument::applyLayout()
{
    QTextFrameFormat f = doc_->rootFrame()->frameFormat();
    f.setMargin(0);
    f.setLeftMargin(layout_.leftMargin);
    f.setTopMargin(layout_.topMargin);
    f.setRightMargin(layout_.rightMargin);
    f.setBottomMargin(layout_.bottomMargin);
    doc_->rootFrame()->setFrameFormat(f);
}

void RVDocument::clear()
{
    const bool undo = doc_->isUndoRedoEnabled();
    doc_->setUndoRedoEnabled(false); // clearing also drops the history
    doc_->clear();
    // An emptied document starts from the defaults: a file read next that has no background, page
    // setup or layout of its own must not inherit the previous document's.
    layout_ = RVLayout{};
    background_ = rvNoColor;
    pageSetup_ = RVPageSetup{};
    doc_->setDefaultFont(style_.charFormat(0).font());
    QTextCursor c(doc_);
    c.setBlockFormat(style_.blockFormat(0));
    c.setBlockCharFormat(style_.charFormat(0));
    c.setCharFormat(style_.charFormat(0));
    applyLayout();
    doc_->setUndoRedoEnabled(undo);
    doc_->setModified(false);
}

namespace {

int countItems(const QTextFrame *frame)
{
    int count = 0;
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (const QTextFrame *child = it.currentFrame()) {
            // A table (or any nested frame) is one item of its parent.
            Q_UNUSED(child);
            ++count;
            continue;
        }
        const QTextBlock block = it.currentBlock();
        int fragments = 0;
        for (auto f = block.begin(); !f.atEnd(); ++f)
            ++fragments;
        count += fragments == 0 ? 1 : fragments;
    }
    return count;
}

} // namespace

int RVDocument::itemCount() const
{
    return countItems(doc_->rootFrame());
}
