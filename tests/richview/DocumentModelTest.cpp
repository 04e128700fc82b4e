#include "RVDocument.h"
#include "RVStyle.h"

#include <QTextCursor>
#include <QTextTable>
#include <gtest/gtest.h>

TEST(StyleSheet, ShipsTheStandardStyles)
{
    const TRVStyle s;
    ASSERT_EQ(s.TextStyles.size(), 12u);
    ASSERT_EQ(s.ParaStyles.size(), 8u);
    EXPECT_EQ(s.TextStyles[0].name, "Normal");
    EXPECT_EQ(s.TextStyles[0].fontName, "Times New Roman");
    EXPECT_EQ(s.TextStyles[0].size, 12);
    EXPECT_EQ(s.TextStyles[1].color, rvColor(0, 0, 255));
    EXPECT_EQ(s.TextStyles[5].backColor, rvColor(64, 128, 128));
    EXPECT_EQ(s.TextStyles[5].hoverColor, rvColor(255, 255, 206));
    EXPECT_EQ(s.TextStyles[6].color, rvColor(128, 64, 0));
    EXPECT_EQ(s.TextStyles[11].name, "Unicode");
    EXPECT_EQ(s.ParaStyles[4].firstIndent, 30);
    EXPECT_EQ(s.ParaStyles[6].nextParaNo, 7);
    EXPECT_FALSE(s.ParaStyles[6].border.bottom);
    EXPECT_FALSE(s.ParaStyles[7].border.top);
    ASSERT_EQ(s.ListStyles.size(), 1u);
    EXPECT_EQ(s.ListStyles[0].levels.at(0).leftIndent, 24);
    for (const auto &t : s.TextStyles)
        EXPECT_TRUE(t.standard);
}

TEST(StyleSheet, AddsStylesOnlyWhenNoEqualOneExists)
{
    TRVStyle s;
    RVTextStyle heading = s.TextStyles[1];
    heading.name = QStringLiteral("Imported heading");
    EXPECT_EQ(s.addTextStyleIfNeeded(heading), 1);
    heading.size = 33;
    const int added = s.addTextStyleIfNeeded(heading);
    EXPECT_EQ(added, 12);
    EXPECT_FALSE(s.TextStyles[12].standard);
    EXPECT_EQ(s.addTextStyleIfNeeded(heading), 12);
}

TEST(DocumentModel, CountsItems)
{
    RVDocument doc;
    EXPECT_EQ(doc.itemCount(), 1); // one empty paragraph
    QTextCursor c(doc.textDocument());
    c.insertText(QStringLiteral("plain "), doc.style().charFormat(0));
    c.insertText(QStringLiteral("bold"), doc.style().charFormat(1));
    EXPECT_EQ(doc.itemCount(), 2);
    c.insertBlock();
    EXPECT_EQ(doc.itemCount(), 3); // the new empty paragraph is one item
    c.insertTable(2, 2);
    c.movePosition(QTextCursor::End);
    c.insertText(QStringLiteral("after"));
    EXPECT_EQ(doc.itemCount(), 5); // the table is one item; the paragraph after it another
    doc.clear();
    EXPECT_EQ(doc.itemCount(), 1);
}

TEST(DocumentModel, ClearingForgetsBackgroundLayoutAndPageSetup)
{
    RVDocument doc;
    doc.setBackground(rvColor(1, 2, 3));
    RVLayout wide;
    wide.leftMargin = 40;
    doc.setLayout(wide);
    RVPageSetup landscape;
    landscape.paperWidth = 16838;
    doc.setPageSetup(landscape);
    doc.clear();
    EXPECT_EQ(doc.background(), rvNoColor);
    EXPECT_EQ(doc.layout(), RVLayout{});
    EXPECT_EQ(doc.pageSetup(), RVPageSetup{});
}

TEST(StyleSheet, ListFormatOfAListStyleWithoutLevelsIsPlain)
{
    TRVStyle s;
    s.ListStyles = {RVListStyle{QStringLiteral("Empty"), {}}};
    const QTextListFormat f = s.listFormat(0, 3);
    EXPECT_FALSE(f.hasProperty(rvprop::ListStyleNo));
    s.ListStyles.clear();
    EXPECT_FALSE(s.listFormat(5, 0).hasProperty(rvprop::ListStyleNo));
}
