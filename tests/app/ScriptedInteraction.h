#pragma once
// Answers the main window's dialogs from a script, recording what was asked.

#include "Interaction.h"

#include <deque>
#include <functional>
#include <vector>

struct ScriptedInteraction : Interaction {
    std::function<FileDialogResult(const FileDialogRequest &)> onOpen, onSave;
    std::deque<SaveChangesAnswer> saveChangesAnswers;
    int openDialogs = 0, saveDialogs = 0, saveChangesQuestions = 0;
    std::vector<FileDialogRequest> requests;
    std::vector<QString> messages;

    FileDialogResult openFile(QWidget *, const FileDialogRequest &request) override
    {
        ++openDialogs;
        requests.push_back(request);
        return onOpen ? onOpen(request) : FileDialogResult{};
    }
    FileDialogResult saveFile(QWidget *, const FileDialogRequest &request) override
    {
        ++saveDialogs;
        requests.push_back(request);
        return onSave ? onSave(request) : FileDialogResult{};
    }
    SaveChangesAnswer askSaveChanges(QWidget *, const QString &) override
    {
        ++saveChangesQuestions;
        if (saveChangesAnswers.empty())
            return SaveChangesAnswer::Cancel;
        const SaveChangesAnswer a = saveChangesAnswers.front();
        saveChangesAnswers.pop_front();
        return a;
    }
    void message(QWidget *, MessageIcon, const QString &, const QString &text) override { messages.push_back(text); }
    // Modal dialogs of the program's own: the script sets them up and answers accept (true) or
    // cancel; without a script they are cancelled.
    std::function<bool(QDialog &)> onDialog;
    int dialogs = 0;
    bool runDialog(QDialog &dialog) override
    {
        ++dialogs;
        return onDialog && onDialog(dialog);
    }

    static std::function<FileDialogResult(const FileDialogRequest &)> choose(const QString &name, int filterIndex)
    {
        return [=](const FileDialogRequest &) { return FileDialogResult{true, name, filterIndex}; };
    }
};
