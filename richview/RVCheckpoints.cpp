#include "RVCheckpoints.h"

#include <QTextDocument>
#include <QTextFrame>

std::optional<RVCheckpoint> checkpointOf(const QTextFormat &format)
{
    if (!format.hasProperty(rvprop::CheckpointName))
        return std::nullopt;
    return RVCheckpoint{format.stringProperty(rvprop::CheckpointName), format.stringProperty(rvprop::CheckpointTag),
                        format.boolProperty(rvprop::CheckpointRaiseEvent)};
}

void setCheckpoint(QTextFormat &format, const std::optional<RVCheckpoint> &checkpoint)
{
    if (!checkpoint) {
        for (int p : {rvprop::CheckpointName, rvprop::CheckpointTag, rvprop::CheckpointRaiseEvent})
            format.clearProperty(p);
        return;
    }
    format.setProperty(rvprop::CheckpointName, checkpoint->name);
    format.setProperty(rvprop::CheckpointTag, checkpoint->tag);
    format.setProperty(rvprop::CheckpointRaiseEvent, checkpoint->raiseEvent);
}

std::optional<RVCheckpoint> endCheckpoint(const QTextDocument &doc)
{
    return checkpointOf(doc.rootFrame()->frameFormat());
}

void setEndCheckpoint(QTextDocument &doc, const std::optional<RVCheckpoint> &checkpoint)
{
    QTextFrameFormat f = doc.rootFrame()->frameFormat();
    setCheckpoint(f, checkpoint);
    doc.rootFrame()->setFrameFormat(f);
}
