#pragma once
// The editor widget. It shows one RVDocument and offers the editing operations the program needs,
// by role: the selection as 8-bit text, undoable text insertion, word/line selection, the protected
// delete query, the modified and read-only flags, the caret position and the item count.

#include "RVDocument.h"
#include "RVFOptions.h"

#include <QTextEdit>
#include <set>
#include <string>

class TRichViewEdit : public QTextEdit
{
    Q_OBJECT
public:
    explicit TRichViewEdit(QWidget *parent = nullptr);

    RVDocument &rvDocument() { return doc_; }
    const RVDocument &rvDocument() const { return doc_; }
    TRVStyle &rvStyle() { return doc_.style(); }

    // Text of the selection / of the whole document as Windows-1251, CR LF between paragraphs.
    std::string getSelText() const;
    std::string getText() const;
    // The selection as Unicode, U+2029 between paragraphs.
    QString getSelUnicode() const;
    // True when the selection holds anything the 8-bit text would show (cheap, unlike getSelText).
    bool hasSelectedText() const;
    // Puts `text` (Windows-1251) in place of the selection in the current text style, as one undo
    // step. Nothing happens for an empty text or a read-only document.
    void insertText(const std::string &text);
    // The same for Unicode text (any of the 8-bit text's paragraph breaks, or U+2029).
    void insertUnicode(const QString &text);
    // Replaces the selected characters whose 8-bit form changed from `oldText` (the selection as
    // getSelText gave it) to `newText` (the same length), each keeping its character formatting;
    // characters the code page cannot hold are left as they are. One undo step; nothing happens
    // when no character changes. False when the texts do not match the selection.
    bool replaceSelectionInPlace(const std::string &oldText, const std::string &newText);

    void deselect();
    void selectCurrentWord();
    void selectCurrentLine();
    // Removes the selection when the document accepts the change.
    void deleteSelection();
    // False while the selection holds text whose style protects it from deletion.
    bool canDelete() const;

    bool isModified() const;
    void setModified(bool modified);

    // 1-based paragraph number and 1-based column of the caret.
    void caretLineCol(int &line, int &column) const;
    int itemCount() const;
    int curTextStyleNo() const;
    int curParaStyleNo() const;
    void applyTextStyle(int no);
    void applyParaStyle(int no);

    // Undo and redo that keep a bulk change (megabytes replaced at once) from freezing the window
    // while it is laid out again. They hide QTextEdit's own; the editor's keys come here too.
    void undo();
    void redo();
    void clearUndo();
    // Empties the document (one empty paragraph) and drops the undo history.
    void clearDocument();
    // Brings the view in line with the document after a load or a bulk change and repaints it.
    void format();

    // The options the native format is saved and loaded with.
    TRVFOptions RVFOptions() const { return rvfOptions_; }
    void setRVFOptions(const TRVFOptions &options) { rvfOptions_ = options; }

    // The clipboard and drag-and-drop type that carries the native format, so a copy inside the
    // program keeps styles, tags, checkpoints and controls.
    static constexpr const char *kRvfMimeType = "application/x-tavlen-rvf";
    static constexpr const char *kRtfMimeType = "text/rtf";

signals:
    void curTextStyleChanged();
    void curParaStyleChanged();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    QMimeData *createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    void onCursorMoved();
    void undoRedoBulkStep(bool undo);
    void insertParagraphs(const QString &paragraphs);

    RVDocument doc_;
    // Undo steps (counted from 1) that are bulk changes made through insertText.
    std::set<int> bulkSteps_;
    int lastTextStyle_ = -1;
    int lastParaStyle_ = -1;
    TRVFOptions rvfOptions_ = TRVFOptions::defaults();
};
