#pragma once
// Saves and restores a window's placement in the placement store, in the section named after the
// window (its objectName): State (maximised or not), the position of the frame (Left, Top) and the
// size of the window inside it (Width, Height).

#include <QString>

class QWidget;

class TjvFormIni
{
public:
    explicit TjvFormIni(QString storeFileName);

    // A maximised window is maximised again and keeps its built-in normal bounds; otherwise each
    // stored bound replaces the current one (kept within what the desktop can show).
    void LoadPlacement(QWidget *form) const;
    // Writes State, and the bounds only when the window is not maximised, so a maximised close
    // keeps the bounds of an earlier one. Throws EIniFileException when the store cannot be written.
    void SavePlacement(QWidget *form) const;

private:
    QString storeFileName_;
};
