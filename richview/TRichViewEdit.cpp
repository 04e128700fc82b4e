#include "TRichViewEdit.h"

#include "LayoutDeferral.h"
#include "RVText.h"
#include "RVPicture.h"
#include "RtfFormat.h"
#include "RtfWriter.h"
#include "RvfDocumentIO.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <vector>

namespace {
constexpr int kTextWidth = 794;
}

TRichViewEdit::TRichViewEdit(QWidget *parent)
    : QTextEdit(parent)
{
    setDocument(doc_.textDocument());
    setLineWrapMode(QTextEdit::FixedPixelWidth);
    setLineWrapColumnOrWidth(kTextWidth);
    setTabChangesFocus(false);
    setAcceptRichText(true);
    setCurrentCharFormat(doc_.style().charFormat(0));
    connect(this, &QTextEdit::cursorPositionChanged, this, &TRichViewEdit::onCursorMoved);
    // A new undo step cuts off the redo steps above it.
    connect(document(), &QTextDocument::undoCommandAdded, this,
            [this] { bulkSteps_.erase(bulkSteps_.lower_bound(document()->availableUndoSteps()), bulkSteps_.end()); });
}

std::string TRichViewEdit::getSelText() const
{
    return rvtext::selectedText1251(textCursor());
}

std::string TRichViewEdit::getText() const
{
    return rvtext::documentText1251(*doc_.textDocument());
}

QString TRichViewEdit::getSelUnicode() const
{
    return textCursor().selectedText();
}

bool TRichViewEdit::hasSelectedText() const
{
    const QTextCursor c = textCursor();
    for (int pos = c.selectionStart(), end = c.selectionEnd(); pos < end; ++pos)
        if (!rvtext::givesNoText(document()->characterAt(pos)))
            return true;
    return false;
}

void TRichViewEdit::insertText(const std::string &text)
{
    if (!text.empty())
        insertParagraphs(rvtext::paragraphsFrom1251(text));
}

void TRichViewEdit::insertUnicode(const QString &text)
{
    if (!text.isEmpty())
        insertParagraphs(rvtext::paragraphsFromUnicode(text));
}

void TRichViewEdit::insertParagraphs(const QString &paragraphs)
{
    if (isReadOnly())
        return;
    QTextCursor c = textCursor();
    const bool bulk = paragraphs.size() + (c.selectionEnd() - c.selectionStart()) >= LayoutDeferral::kBulkChange;
    rvtext::insertParagraphs(c, paragraphs, doc_.style().charFormat(curTextStyleNo()));
    // The editor's own caret has moved to the end of the insertion with the edit. After a bulk
    // change it is left there without scrolling to it: showing it would mean laying out everything
    // above it at once instead of lazily.
    if (bulk)
        bulkSteps_.insert(document()->availableUndoSteps());
    else
        setTextCursor(c);
}

bool TRichViewEdit::replaceSelectionInPlace(const std::string &oldText, const std::string &newText)
{
    if (oldText.size() != newText.size() || isReadOnly())
        return false;
    const QTextCursor sel = textCursor();
    bool matches = false;
    const std::vector<rvtext::Replacement> changes =
        rvtext::inPlaceReplacements(*document(), sel.selectionStart(), sel.selectionEnd(), oldText, newText, &matches);
    if (changes.empty())
        return matches;
    std::size_t changedChars = 0;
    for (const auto &r : changes)
        changedChars += std::size_t(r.text.size());
    const bool bulk = changedChars >= std::size_t(LayoutDeferral::kBulkChange);
    // As after any insertion the caret ends behind the changed text, without a selection. It is put
    // there first: replacements of equal length before it leave it where it is, so the editor never
    // has to lay out the changed text at once to place it (see insertParagraphs).
    QTextCursor caret = sel;
    caret.clearSelection();
    caret.setPosition(sel.selectionEnd());
    setTextCursor(caret);
    const LayoutDeferral deferral(document(), bulk);
    QTextCursor c(document());
    c.beginEditBlock();
    // From the back, so the positions still to come stay valid.
    for (auto r = changes.rbegin(); r != changes.rend(); ++r) {
        c.setPosition(r->position);
        c.setPosition(r->position + int(r->text.size()), QTextCursor::KeepAnchor);
        c.insertText(r->text, r->format);
    }
    c.endEditBlock();
    if (bulk)
        bulkSteps_.insert(document()->availableUndoSteps());
    return true;
}

void TRichViewEdit::deselect()
{
    QTextCursor c = textCursor();
    c.clearSelection();
    setTextCursor(c);
}

void TRichViewEdit::selectCurrentWord()
{
    QTextCursor c = textCursor();
    c.select(QTextCursor::WordUnderCursor);
    setTextCursor(c);
}

void TRichViewEdit::selectCurrentLine()
{
    QTextCursor c = textCursor();
    c.movePosition(QTextCursor::StartOfBlock);
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    setTextCursor(c);
}

void TRichViewEdit::deleteSelection()
{
    QTextCursor c = textCursor();
    if (!c.hasSelection() || isReadOnly() || !canDelete())
        return;
    c.removeSelectedText();
    setTextCursor(c);
}

bool TRichViewEdit::canDelete() const
{
    const QTextCursor c = textCursor();
    if (!c.hasSelection())
        return true;
    // This runs on every key press (shortcut update): when no format of the document carries a
    // protected style, no selection can hold protected text, whatever its size.
    bool anyProtected = false;
    for (const QTextFormat &f : document()->allFormats())
        anyProtected = anyProtected || (f.isCharFormat() && doc_.style().isDeleteProtected(f.intProperty(rvprop::StyleNo)));
    if (!anyProtected)
        return true;
    const int start = c.selectionStart(), end = c.selectionEnd();
    for (QTextBlock b = document()->findBlock(start); b.isValid() && b.position() < end; b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.position() + f.length() <= start || f.position() >= end)
                continue;
            if (doc_.style().isDeleteProtected(textStyleNo(f.charFormat())))
                return false;
        }
    }
    return true;
}

bool TRichViewEdit::isModified() const
{
    return document()->isModified();
}

void TRichViewEdit::setModified(bool modified)
{
    document()->setModified(modified);
}

void TRichViewEdit::caretLineCol(int &line, int &column) const
{
    const QTextCursor c = textCursor();
    line = c.blockNumber() + 1;
    column = c.positionInBlock() + 1;
}

int TRichViewEdit::itemCount() const
{
    return doc_.itemCount();
}

int TRichViewEdit::curTextStyleNo() const
{
    return textStyleNo(textCursor().charFormat());
}

int TRichViewEdit::curParaStyleNo() const
{
    return paraStyleNo(textCursor().blockFormat());
}

void TRichViewEdit::applyTextStyle(int no)
{
    QTextCursor c = textCursor();
    const QTextCharFormat f = doc_.style().charFormat(no);
    if (c.hasSelection())
        c.setCharFormat(f);
    setCurrentCharFormat(f);
    onCursorMoved();
}

void TRichViewEdit::applyParaStyle(int no)
{
    textCursor().setBlockFormat(doc_.style().blockFormat(no));
    onCursorMoved();
}

void TRichViewEdit::undo()
{
    if (bulkSteps_.count(document()->availableUndoSteps()))
        undoRedoBulkStep(true);
    else
        QTextEdit::undo();
}

void TRichViewEdit::redo()
{
    if (bulkSteps_.count(document()->availableUndoSteps() + 1))
        undoRedoBulkStep(false);
    else
        QTextEdit::redo();
}

void TRichViewEdit::undoRedoBulkStep(bool undo)
{
    // Through the document rather than the widget, so the caret is not scrolled into view (see
    // insertText).
    const LayoutDeferral deferral(document());
    if (undo)
        document()->undo();
    else
        document()->redo();
}

void TRichViewEdit::clearUndo()
{
    document()->clearUndoRedoStacks();
    bulkSteps_.clear();
}

void TRichViewEdit::clearDocument()
{
    doc_.clear();
    bulkSteps_.clear();
    setTextCursor(QTextCursor(document()));
    setCurrentCharFormat(doc_.style().charFormat(0));
    onCursorMoved();
}

void TRichViewEdit::format()
{
    viewport()->update();
    updateGeometry();
}

void TRichViewEdit::onCursorMoved()
{
    const int text = curTextStyleNo(), para = curParaStyleNo();
    if (text != lastTextStyle_) {
        lastTextStyle_ = text;
        emit curTextStyleChanged();
    }
    if (para != lastParaStyle_) {
        lastParaStyle_ = para;
        emit curParaStyleChanged();
    }
}

void TRichViewEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Undo)) {
        undo();
        event->accept();
    } else if (event->matches(QKeySequence::Redo)) {
        redo();
        event->accept();
    } else {
        QTextEdit::keyPressEvent(event);
    }
}

void TRichViewEdit::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton)
        deselect();
    QTextEdit::mousePressEvent(event);
}

void TRichViewEdit::paintEvent(QPaintEvent *event)
{
    QTextEdit::paintEvent(event);

    // Page breaks are drawn as a dashed line above the paragraph that starts a new page.
    QPainter p(viewport());
    p.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DashLine));
    const int dx = horizontalScrollBar()->value(), dy = verticalScrollBar()->value();
    const QRect visible = viewport()->rect().translated(dx, dy);
    QAbstractTextDocumentLayout *layout = document()->documentLayout();
    for (QTextBlock b = cursorForPosition(QPoint(0, 0)).block(); b.isValid(); b = b.next()) {
        const QRectF r = layout->blockBoundingRect(b);
        if (r.top() > visible.bottom())
            break;
        if (b.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) {
            const int y = int(r.top()) - dy;
            p.drawLine(0, y, kTextWidth - dx, y);
        }
    }
}

namespace {

// What the clipboard carries whatever the file options say: everything, in the binary form.
TRVFOptions clipboardOptions(TRVFOptions options)
{
    for (TRVFOption on : {rvfoSavePicturesBody, rvfoSaveControlsBody, rvfoSaveTextStyles, rvfoSaveParaStyles,
                          rvfoSaveBinary})
        options.set(on, true);
    options.set(rvfoUseStyleNames, false);
    return options;
}

} // namespace

QMimeData *TRichViewEdit::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return QTextEdit::createMimeDataFromSelection();
    // Qt's own clipboard data lists a fixed set of types, so ours goes into a plain one beside the
    // text and HTML that other programs read.
    auto *data = new QMimeData;
    const QTextDocumentFragment fragment = cursor.selection();
    data->setText(fragment.toPlainText());
    data->setHtml(fragment.toHtml());
    RVDocument selection;
    selection.style() = doc_.style();
    selection.clear();
    QTextCursor(selection.textDocument()).insertFragment(fragment);
    data->setData(QLatin1String(kRvfMimeType), writeRvfBytes(selection, clipboardOptions(rvfOptions_)));
    const std::string rtf = writeRtf(selection, QString());
    data->setData(QLatin1String(kRtfMimeType), QByteArray(rtf.data(), qsizetype(rtf.size())));
    return data;
}

bool TRichViewEdit::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasFormat(QLatin1String(kRvfMimeType)) || source->hasFormat(QLatin1String(kRtfMimeType))
           || source->hasText() || source->hasImage() || source->hasUrls();
}

// Everything that comes in is made of the document's own items: the native format as it is, RTF
// through its reader (its formatting becomes text styles), a picture as a picture item, anything
// else as plain text in the caret's style. Qt's own HTML import would bring in formatting that
// belongs to no style, which no format of ours could store.
void TRichViewEdit::insertFromMimeData(const QMimeData *source)
{
    if (isReadOnly())
        return;
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    QString error;
    // A damaged clipboard puts in what could be read; there is no one to tell but the log.
    if (source->hasFormat(QLatin1String(kRvfMimeType))) {
        if (!readRvfBytes(doc_, cursor, source->data(QLatin1String(kRvfMimeType)), rvfOptions_, RvfReadMode::Paste,
                          &error))
            qWarning("%s", qPrintable(error));
    } else if (source->hasFormat(QLatin1String(kRtfMimeType))) {
        const QByteArray rtf = source->data(QLatin1String(kRtfMimeType));
        if (!rvformats::insertRtf(doc_, cursor, {rtf.constData(), std::size_t(rtf.size())}, &error))
            qWarning("%s", qPrintable(error));
    } else if (source->hasImage()) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        qvariant_cast<QImage>(source->imageData()).save(&buffer, "PNG");
        insertPicture(cursor, RVPicture{RVPictureKind::Png, png, QSize()});
    } else {
        QStringList urls;
        for (const QUrl &url : source->urls())
            urls.append(url.toString());
        cursor.insertText(source->hasText() ? source->text() : urls.join(QLatin1Char('\n'))); // as if typed
    }
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}
