// The document commands of the main window: New, Open, Save, Save As, Read Only and autosave.

#include "TMainFrm.h"

#include "AppTitle.h"
#include "Errors.h"
#include "TextFormats.h"
#include "TRichViewEdit.h"

#include <QFileInfo>

using rvformats::DocFormat;

namespace {

const QStringList kOpenFilters = {
    QStringLiteral("RTF Files (*.rtf)"), QStringLiteral("XML Files (*.xml)"), QStringLiteral("RVF Files (*.rvf)"),
    QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files (*)"),
};

const QStringList kSaveFilters = {
    QStringLiteral("RTF Files(*.rtf)"),  QStringLiteral("XML Files (*.xml)"),
    QStringLiteral("RVF Files (*.rvf)"), QStringLiteral("Text Files (*.txt)"),
    QStringLiteral("Text Files Unicode (*.txt)"), QStringLiteral("All Files (*)"),
};

// Save As: filter index → the extension the name gets (empty: unchanged) and the format written.
struct SaveAsChoice {
    const char *extension;
    DocFormat format;
};
constexpr SaveAsChoice kSaveAsChoices[] = {
    {".rtf", DocFormat::Rtf},  {".xml", DocFormat::Xml},          {".rvf", DocFormat::Rvf},
    {".txt", DocFormat::Text}, {".txt", DocFormat::UnicodeText}, {"", DocFormat::Text},
};

// Open: filter index → format (the two text filters test for UTF-16).
DocFormat openFormat(int filterIndex, const QString &name)
{
    switch (filterIndex) {
    case 1: return DocFormat::Rtf;
    case 2: return DocFormat::Xml;
    case 3: return DocFormat::Rvf;
    default: return rvformats::isUtf16File(name) ? DocFormat::UnicodeText : DocFormat::Text;
    }
}

QString withExtension(const QString &name, const char *extension)
{
    if (!*extension)
        return name;
    const QString ext = rvformats::extensionOf(name);
    return name.left(name.size() - ext.size()) + QLatin1String(extension);
}

// Save: the extension decides, and anything that is not a rich format is written as 8-bit text.
DocFormat saveFormat(const QString &name)
{
    const DocFormat f = rvformats::formatByExtension(name, false);
    return f == DocFormat::UnicodeText ? DocFormat::Text : f;
}

} // namespace

void TMainFrm::LoadByExtension(const QString &name, bool testUtf16)
{
    loadDocument(name, rvformats::formatByExtension(name, testUtf16));
}

void TMainFrm::loadDocument(const QString &name, DocFormat format)
{
    QString error;
    if (!rvformats::loadDocument(ed->rvDocument(), name, format, ed->curTextStyleNo(), ed->curParaStyleNo(), &error,
                                 ed->RVFOptions()))
        appevException(std::make_exception_ptr(ELoadError(error.toStdString())));
    ed->document()->clearUndoRedoStacks();
    ed->setTextCursor(QTextCursor(ed->document())); // a loaded document opens at its start
}

void TMainFrm::writeDocument(const QString &name, DocFormat format)
{
    QString error;
    if (rvformats::saveDocument(ed->rvDocument(), name, format, &error, ed->RVFOptions()))
        return;
    interaction_.message(this, MessageIcon::Error, AppTitle,
                         QStringLiteral("The document could not be saved as \"%1\".\n%2").arg(name, error));
    throw ESaveError(error.toStdString());
}

QString TMainFrm::dialogFolder(const FileDialogState &state) const
{
    if (FileName.isEmpty())
        return paths_.programFolder();
    return state.lastFileName.isEmpty() ? QString() : QFileInfo(state.lastFileName).absolutePath();
}

bool TMainFrm::confirmDiscard()
{
    if (!ed->isModified())
        return true;
    const QString name = FileName.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(FileName).fileName();
    switch (interaction_.askSaveChanges(this, name)) {
    case SaveChangesAnswer::Discard: return true;
    case SaveChangesAnswer::Cancel: return false;
    case SaveChangesAnswer::Save: break;
    }
    actions_->run(action(QStringLiteral("actSave")));
    return !ed->isModified();
}

void TMainFrm::actNewExecute()
{
    if (!confirmDiscard())
        return;
    ed->clearDocument();
    ed->format();
    FileName.clear();
    setCaptionFromFileName();
    UpdateDocumentStatus();
}

void TMainFrm::actOpenExecute()
{
    if (!confirmDiscard())
        return;
    FileDialogRequest request{kOpenFilters, openDlg_.filterIndex, dialogFolder(openDlg_), {}, QStringLiteral("RTF")};
    const FileDialogResult chosen = interaction_.openFile(this, request);
    if (!chosen.accepted)
        return;
    openDlg_ = {chosen.filterIndex, chosen.fileName};
    FileName = chosen.fileName;
    recordInHistory(FileName);
    ed->clearDocument();
    loadDocument(FileName, openFormat(chosen.filterIndex, FileName));
    ed->format();
    followCaretStyle();
    UpdateDocumentStatus();
    ed->setModified(false);
    setCaptionFromFileName();
}

void TMainFrm::actSaveExecute()
{
    if (FileName.isEmpty()) {
        actions_->run(action(QStringLiteral("actSaveAs")));
    } else {
        writeDocument(FileName, saveFormat(FileName));
        ed->setModified(false);
        recordInHistory(FileName);
    }
    UpdateDocumentStatus();
}

void TMainFrm::actSaveUpdate()
{
    action(QStringLiteral("actSave"))->setEnabled(ed->isModified());
}

void TMainFrm::actSaveAsExecute()
{
    FileDialogRequest request{kSaveFilters, saveDlg_.filterIndex, dialogFolder(saveDlg_), {}, QStringLiteral("RTF")};
    saveDialogOpen_ = true;
    const FileDialogResult chosen = interaction_.saveFile(this, request);
    saveDialogOpen_ = false;
    if (!chosen.accepted)
        return;
    saveDlg_ = {chosen.filterIndex, chosen.fileName};
    const SaveAsChoice &choice = kSaveAsChoices[qBound(1, chosen.filterIndex, 6) - 1];
    const QString name = withExtension(chosen.fileName, choice.extension);
    writeDocument(name, choice.format);
    FileName = name;
    setCaptionFromFileName();
    ed->setModified(false);
}

void TMainFrm::actReadOnlyExecute()
{
    ed->setReadOnly(!ed->isReadOnly());
}

void TMainFrm::ASTimerTimer()
{
    // A Save As dialog opened by an earlier tick is still waiting for the user.
    if (saveDialogOpen_)
        return;
    actions_->run(action(QStringLiteral("actSave")));
}
