#include "OrvelCoding.h"
#include "TextTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(DetectCoding, DecidesByTheThreeCounters)
{
    struct Case {
        const char *name;
        std::string text;
        int expected;
    } const cases[] = {
        {"empty", "", 0},
        {"ASCII only", "Hello, world\r\n", 0},
        {"привет in Windows-1251", w("привет"), 0},
        {"привет in KOI8-R", bytes({0xD0, 0xD2, 0xC9, 0xD7, 0xC5, 0xD4}), 1},
        {"привет in 866", bytes({0xAF, 0xE0, 0xA8, 0xA2, 0xA5, 0xE2}), 2},
        {"capitals only look like KOI8-R", w("ПРИВЕТ"), 1},
        {"D = K goes the DOS way", bytes({0x80, 0xC0}), 2},
        {"D = W means no change", bytes({0xE0}), 0},
        {"K = W means KOI8-R", bytes({0xC0, 0xF0}), 1},
        {"ё counts for Windows", bytes({0xC0, 0xB8, 0xB8}), 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(DetectCoding(c.text), c.expected) << c.name;
}

TEST(DetectCoding, CountsExactlyInLongTexts)
{
    // Ties decide the result, so a single byte miscounted anywhere in a long text would show.
    const std::string koi(20011, '\xC0');
    const std::string win(20011, '\xF0');
    EXPECT_EQ(DetectCoding(koi + win), 1);
    EXPECT_EQ(DetectCoding(koi + win + "\xF0"), 0);
    EXPECT_EQ(DetectCoding("ab" + win + koi + std::string(20012, '\x80')), 2);
    EXPECT_EQ(DetectCoding("ab" + win + koi + std::string(20011, '\x80')), 0);
}

// Byte for byte against the published code pages (letters and symbols) and the table's own ASCII
// choices for box drawing, as written down by tests/data/text/make-expected.sh.
TEST(RepairTables, MatchTheExpectedBytes)
{
    const std::string lower = byteRange(0, 0x7F);
    const std::string upper = byteRange(0x80, 0xFF);
    EXPECT_EQ(RepairKoi(lower + upper), lower + expectedData("koi-repair.bin"));
    EXPECT_EQ(RepairDos(lower + upper), lower + expectedData("dos-repair.bin"));
    EXPECT_EQ(std::string(KoiRepairTable.begin(), KoiRepairTable.end()), expectedData("koi-repair.bin"));
    EXPECT_EQ(std::string(DosRepairTable.begin(), DosRepairTable.end()), expectedData("dos-repair.bin"));
}

TEST(RepairTables, RepairWholeTexts)
{
    EXPECT_EQ(RepairKoi(bytes({0xD0, 0xD2, 0xC9, 0xD7, 0xC5, 0xD4})), w("привет"));
    EXPECT_EQ(RepairKoi(w("ПРИВЕТ")), w("опхбер"));
    EXPECT_EQ(RepairKoi(bytes({0x98})), bytes({0x98}));
    EXPECT_EQ(RepairDos(bytes({0xAF, 0xE0, 0xA8, 0xA2, 0xA5, 0xE2})), w("привет"));
    // ┌─┐ │x│ └─┘ drawn in 866, and a double-line ╔═╗
    const std::string box = bytes({0xDA, 0xC4, 0xBF, 0xB3, 'x', 0xB3, 0xC0, 0xC4, 0xD9, 0xC9, 0xCD, 0xBB});
    EXPECT_EQ(RepairDos(box), "+-+" + w("¦x¦") + "+-++-+");
}

} // namespace
