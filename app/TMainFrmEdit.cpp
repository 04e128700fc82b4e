// The small editing commands of the main window and Exit.

#include "TMainFrm.h"

#include "TRichViewEdit.h"

void TMainFrm::actExitExecute()
{
    if (!confirmDiscard())
        return;
    quitApplication();
}

void TMainFrm::actClearUndoExecute()
{
    ed->clearUndo();
}

void TMainFrm::actSelectCurWordExecute()
{
    ed->selectCurrentWord();
}

void TMainFrm::actSelectCurLineExecute()
{
    ed->selectCurrentLine();
}

void TMainFrm::actDelExecute()
{
    ed->deleteSelection();
}

void TMainFrm::actDelUpdate()
{
    action(QStringLiteral("actDel"))->setEnabled(ed->canDelete());
}

void TMainFrm::actDelAllExecute()
{
    // Emptying the whole document is one undoable step, so a stray Ctrl+Del loses nothing.
    if (ed->isReadOnly())
        return;
    QTextCursor c(ed->document());
    c.select(QTextCursor::Document);
    c.removeSelectedText();
    ed->setTextCursor(c);
    ed->format();
}

void TMainFrm::actDelAllUpdate()
{
    action(QStringLiteral("actDelAll"))->setEnabled(ed->canDelete());
}
