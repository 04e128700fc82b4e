#include "TextCommands.h"
#include "EConvertError.h"
#include "TextTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

namespace {

std::string run(std::string_view name, const std::string &input)
{
    const TextCommand *command = findTextCommand(name);
    if (!command)
        throw std::invalid_argument("no command " + std::string(name));
    const TextCommandOutput out = command->run(input);
    return out ? *out : "<refused>";
}

TEST(TextCommands, OneEntryPerActionNamedAfterIt)
{
    const auto commands = textCommands();
    EXPECT_EQ(commands.size(), 34u);
    std::set<std::string_view> names, actions;
    for (const TextCommand &c : commands) {
        EXPECT_TRUE(names.insert(c.name).second) << c.name;
        EXPECT_TRUE(actions.insert(c.actionName).second) << c.actionName;
        EXPECT_FALSE(c.description.empty()) << c.name;
        EXPECT_EQ(findTextCommand(c.name), &c);
        if (c.actionName.starts_with("act")) {
            std::string lower(c.actionName.substr(3));
            std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char ch) { return std::tolower(ch); });
            EXPECT_EQ(lower, c.name);
        }
    }
    EXPECT_EQ(findTextCommand("UpperCase"), nullptr);
    EXPECT_EQ(findTextCommand(""), nullptr);
}

TEST(TextCommands, LengthPreservingFlagTellsTheTruth)
{
    std::string sample = byteRange(0, 255) + w("Привет, World. Ёлка №1\r\nghbdtn ");
    for (const TextCommand &c : textCommands()) {
        if (!c.lengthPreserving)
            continue;
        const TextCommandOutput out = c.run(sample);
        ASSERT_TRUE(out.has_value()) << c.name;
        EXPECT_EQ(out->size(), sample.size()) << c.name;
    }
    // The others really do change lengths, or the editor could have kept formatting for them too.
    for (const std::string_view name : {"translit", "sortasc", "dos", "hex2bin"})
        EXPECT_FALSE(findTextCommand(name)->lengthPreserving) << name;
}

TEST(TextCommands, ScopeAndEnabling)
{
    for (const TextCommand &c : textCommands()) {
        const bool document = c.name == "autocod" || c.name == "dos" || c.name == "unixbreak" || c.name == "macbreak";
        EXPECT_EQ(c.wholeDocument, document) << c.name;
    }
    EXPECT_TRUE(findTextCommand("uppercase")->needsSelection);
    EXPECT_TRUE(findTextCommand("autocod")->needsSelection);
    EXPECT_FALSE(findTextCommand("sortasc")->needsSelection);
    EXPECT_FALSE(findTextCommand("dec2bin")->needsSelection);
}

TEST(TextCommands, RunTheirTransforms)
{
    struct Case {
        const char *name;
        std::string input, expected;
    } const cases[] = {
        {"uppercase", w("ёлка"), w("ЁЛКА")},
        {"effup", "one. two", "One. Two"},
        {"convert", w("ghbdtn мир"), w("привет vbh")},
        {"windos", w("Ёлка №1"), bytes({0xF0, 0xAB, 0xAA, 0xA0, ' ', 0xFC, '1'})},
        {"koi8rwin", bytes({0xD0, 0xD2, 0xC9, 0xD7, 0xC5, 0xD4}) + "N", w("привет") + "N"},
        {"macwin", bytes({0xFF, 0xF0}), w("аб")},
        {"translit", w("объём"), "ob'yom"},
        {"autocod", bytes({0xD0, 0xD2, 0xC9, 0xD7, 0xC5, 0xD4}), w("привет")},
        {"autocod", bytes({0xAF, 0xE0, 0xA8, 0xA2, 0xA5, 0xE2}), w("привет")},
        {"autocod", w("привет"), w("привет")},
        {"sortasc", "a\r\nc\r\nb", "c\r\nb\r\na\r\n"}, // "Sort Ascending" is greatest first
        {"sortdesc", "a\r\nc\r\nb", "a\r\nb\r\nc\r\n"},
        {"unixbreak", "a\r\nb", "a\nb"},
        {"dec2bin", "10", "1010"},
        {"dec2hex", "0255", "ff"},
        {"dec2oct", "8", "10"},
        {"hex2dec", "FFFFFFFF", "-1"},
        {"hex2bin", "A5", "10100101"},
        {"bin2dec", "", "0"}, // nothing selected inserts 0
        {"bin2hex", "11111111", "ff"},
        {"oct2dec", "777", "511"},
        {"hex2dec", "1g", "<refused>"},
        {"bin2hex", "102", "<refused>"},
        {"dec2bin", "-5", "<refused>"},
        {"oct2dec", "8", "<refused>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(run(c.name, c.input), c.expected) << c.name << " on " << c.input;
}

TEST(TextCommands, DecimalSourcesRaiseTheConversionError)
{
    for (const char *name : {"dec2bin", "dec2hex", "dec2oct"}) {
        EXPECT_THROW(run(name, ""), EConvertError) << name;
        EXPECT_THROW(run(name, "2147483648"), EConvertError) << name;
    }
}

} // namespace
