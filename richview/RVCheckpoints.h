#pragma once
// Checkpoints: named, tagged marks on document items. A checkpoint lives in the character format of
// the item that carries it, so it moves with the item through every edit; the one that stands after
// the last item lives in the root frame's format and goes when the document is emptied.

#include <QString>
#include <QTextCharFormat>
#include <optional>

class QTextDocument;

struct RVCheckpoint {
    QString name;
    QString tag;
    bool raiseEvent = false; // notify when the checkpoint scrolls into view
    bool operator==(const RVCheckpoint &) const = default;
};

namespace rvprop {
constexpr int CheckpointName = QTextFormat::UserProperty + 30; // presence marks the checkpoint
constexpr int CheckpointTag = QTextFormat::UserProperty + 31;
constexpr int CheckpointRaiseEvent = QTextFormat::UserProperty + 32;
} // namespace rvprop

std::optional<RVCheckpoint> checkpointOf(const QTextFormat &format);
// Puts the checkpoint on (or, given none, takes it off) the format.
void setCheckpoint(QTextFormat &format, const std::optional<RVCheckpoint> &checkpoint);

std::optional<RVCheckpoint> endCheckpoint(const QTextDocument &doc);
void setEndCheckpoint(QTextDocument &doc, const std::optional<RVCheckpoint> &checkpoint);
