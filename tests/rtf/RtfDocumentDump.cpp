#include "RtfDocumentDump.h"

#include "RVDocument.h"
#include "RVPicture.h"

#include <QTextBlock>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

namespace {

QString textStyleText(const RVTextStyle &s)
{
    return QStringLiteral("%1/%2/%3%4%5%6%7/c%8/b%9/v%10/j%11/cs%12")
        .arg(s.fontName)
        .arg(s.size)
        .arg(s.bold ? "B" : "")
        .arg(s.italic ? "I" : "")
        .arg(s.underline ? QStringLiteral("U%1").arg(int(s.underlineType)) : QString())
        .arg(s.strikeOut ? "S" : "")
        .arg(s.caps != RVCaps::Normal ? "C" : "")
        .arg(s.color)
        .arg(s.backColor)
        .arg(s.vShift)
        .arg(s.jump)
        .arg(s.charSpacing);
}

QString paraStyleText(const RVParaStyle &p)
{
    QString tabs;
    for (const RVTab &t : p.tabs)
        tabs += QStringLiteral("%1:%2:%3,").arg(t.position).arg(int(t.align)).arg(int(t.leader));
    return QStringLiteral("a%1/i%2,%3,%4/s%5,%6/l%7/t%8/br%9,%10%11%12%13/bg%14/k%15%16%17")
        .arg(int(p.alignment))
        .arg(p.leftIndent)
        .arg(p.rightIndent)
        .arg(p.firstIndent)
        .arg(p.spaceBefore)
        .arg(p.spaceAfter)
        .arg(p.lineSpacing)
        .arg(tabs)
        .arg(int(p.border.style))
        .arg(p.border.left)
        .arg(p.border.top)
        .arg(p.border.right)
        .arg(p.border.bottom)
        .arg(p.backColor)
        .arg(p.keepWithNext)
        .arg(p.keepLinesTogether)
        .arg(p.pageBreakBefore);
}

void dumpFrame(const RVDocument &doc, const QTextFrame *frame, QString &out, int depth);

void dumpBlock(const RVDocument &doc, const QTextBlock &b, QString &out, int depth)
{
    const QString indent(depth * 2, QLatin1Char(' '));
    const RVParaStyle &p = doc.style().ParaStyles.at(std::size_t(paraStyleNo(b.blockFormat())));
    out += indent + QStringLiteral("P[%1]").arg(paraStyleText(p));
    if (b.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        out += QStringLiteral(" pagebreak");
    if (const QTextList *l = b.textList())
        out += QStringLiteral(" list(%1 '%2')").arg(int(l->format().style())).arg(l->itemText(b));
    out += QLatin1Char('\n');
    for (auto it = b.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        const QTextCharFormat cf = f.charFormat();
        if (const auto pic = pictureOf(cf)) {
            out += indent + QStringLiteral("  picture %1 %2x%3 %4 bytes\n")
                                .arg(int(pic->kind))
                                .arg(pic->size.width())
                                .arg(pic->size.height())
                                .arg(pic->data.size());
            continue;
        }
        const RVTextStyle &s = doc.style().TextStyles.at(std::size_t(textStyleNo(cf)));
        out += indent + QStringLiteral("  '%1' [%2] tag=%3\n").arg(f.text(), textStyleText(s), cf.stringProperty(rvprop::Tag));
    }
}

void dumpTable(const RVDocument &doc, const QTextTable *t, QString &out, int depth)
{
    const QString indent(depth * 2, QLatin1Char(' '));
    out += indent + QStringLiteral("table %1x%2\n").arg(t->rows()).arg(t->columns());
    for (int r = 0; r < t->rows(); ++r)
        for (int c = 0; c < t->columns(); ++c) {
            const QTextTableCell cell = t->cellAt(r, c);
            if (cell.row() != r || cell.column() != c)
                continue;
            out += indent + QStringLiteral(" cell %1,%2 span %3x%4\n").arg(r).arg(c).arg(cell.rowSpan()).arg(cell.columnSpan());
            for (auto it = cell.begin(); !it.atEnd(); ++it) {
                if (const auto *nested = qobject_cast<const QTextTable *>(it.currentFrame()))
                    dumpTable(doc, nested, out, depth + 2);
                else if (!it.currentFrame())
                    dumpBlock(doc, it.currentBlock(), out, depth + 2);
            }
        }
}

void dumpFrame(const RVDocument &doc, const QTextFrame *frame, QString &out, int depth)
{
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (const auto *t = qobject_cast<const QTextTable *>(it.currentFrame()))
            dumpTable(doc, t, out, depth);
        else if (const QTextFrame *f = it.currentFrame())
            dumpFrame(doc, f, out, depth);
        else
            dumpBlock(doc, it.currentBlock(), out, depth);
    }
}

} // namespace

QString dumpDocument(const RVDocument &doc)
{
    QString out;
    dumpFrame(doc, doc.textDocument()->rootFrame(), out, 0);
    return out;
}
