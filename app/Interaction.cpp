#include "Interaction.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace {

FileDialogResult runFileDialog(QWidget *owner, const FileDialogRequest &request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(owner);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile); // a name that does not exist yet is accepted
    dialog.setNameFilters(request.filters);
    const int index = qBound(1, request.filterIndex, int(request.filters.size()));
    if (!request.filters.isEmpty())
        dialog.selectNameFilter(request.filters.at(index - 1));
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);

    FileDialogResult result;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return result;
    result.accepted = true;
    result.fileName = dialog.selectedFiles().constFirst();
    result.filterIndex = int(request.filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (result.filterIndex < 1)
        result.filterIndex = index;
    return result;
}

} // namespace

FileDialogResult QtInteraction::openFile(QWidget *owner, const FileDialogRequest &request)
{
    return runFileDialog(owner, request, QFileDialog::AcceptOpen);
}

FileDialogResult QtInteraction::saveFile(QWidget *owner, const FileDialogRequest &request)
{
    return runFileDialog(owner, request, QFileDialog::AcceptSave);
}

SaveChangesAnswer QtInteraction::askSaveChanges(QWidget *owner, const QString &documentName)
{
    const auto answer = QMessageBox::question(
        owner, owner ? owner->windowTitle() : QString(),
        QStringLiteral("Save changes to %1?").arg(documentName),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    switch (answer) {
    case QMessageBox::Save: return SaveChangesAnswer::Save;
    case QMessageBox::Discard: return SaveChangesAnswer::Discard;
    default: return SaveChangesAnswer::Cancel;
    }
}

void QtInteraction::message(QWidget *owner, MessageIcon icon, const QString &title, const QString &text)
{
    const QMessageBox::Icon qtIcon = icon == MessageIcon::Error     ? QMessageBox::Critical
                                     : icon == MessageIcon::Warning ? QMessageBox::Warning
                                                                    : QMessageBox::Information;
    QMessageBox box(qtIcon, title, text, QMessageBox::Ok, owner);
    box.exec();
}

bool QtInteraction::runDialog(QDialog &dialog)
{
    return dialog.exec() == QDialog::Accepted;
}
