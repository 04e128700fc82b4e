#include "TextCommands.h"

#include "CodeChanger.h"
#include "OrvelUtils.h"
#include "OutputBuffer.h"

#include <algorithm>
#include <array>

namespace {

template <std::string (*transform)(const std::string &)>
TextCommandOutput plain(const std::string &input)
{
    return transform(input);
}

// Code-page commands insert whatever Change leaves behind, converted or not.
template <TCodeTable source, TCodeTable dest>
TextCommandOutput codePage(const std::string &input)
{
    TCodeChanger changer;
    changer.SetSourceCode(source);
    changer.SetDestCode(dest);
    std::string text = textmap::copiedOutput(input);
    changer.Change(text);
    return text;
}

template <TLineBreakKind kind>
TextCommandOutput lineBreaks(const std::string &input)
{
    return ConvertLineBreaks(input, kind);
}

template <TSortOrder order>
TextCommandOutput sortLines(const std::string &input)
{
    return SortLines(input, order);
}

TextCommandOutput autoRepair(const std::string &input)
{
    switch (DetectCoding(input)) {
    case 1: return RepairKoi(input);
    case 2: return RepairDos(input);
    default: return input;
    }
}

template <std::string (*convert)(std::int32_t)>
TextCommandOutput fromDecimal(const std::string &input)
{
    if (!IsNumberText(input, nkDecimal))
        return std::nullopt;
    return convert(StrToInt(input));
}

template <TNumberKind kind, std::int32_t (*convert)(const std::string &)>
TextCommandOutput toDecimal(const std::string &input)
{
    if (!IsNumberText(input, kind))
        return std::nullopt;
    return std::to_string(convert(input));
}

template <TNumberKind kind, std::string (*convert)(const std::string &)>
TextCommandOutput betweenBases(const std::string &input)
{
    if (!IsNumberText(input, kind))
        return std::nullopt;
    return convert(input);
}

constexpr bool kSamePlaces = true;   // length-preserving
constexpr bool kNewText = false;
constexpr bool kDocument = true;     // works on the whole document
constexpr bool kSelection = false;
constexpr bool kNeedsSelection = true;
constexpr bool kAlwaysEnabled = false;

constexpr std::array kCommands = {
    TextCommand{"uppercase", "actUpperCase", "upper-case Russian and Latin letters", kSamePlaces, kSelection, kNeedsSelection, plain<UpperCaseText>},
    TextCommand{"lowercase", "actLowerCase", "lower-case Russian and Latin letters", kSamePlaces, kSelection, kNeedsSelection, plain<LowerCaseText>},
    TextCommand{"randomcase", "actRandomCase", "give every letter a random case", kSamePlaces, kSelection, kNeedsSelection, plain<RandomCaseText>},
    TextCommand{"invertcase", "actInvertCase", "swap the case of every letter", kSamePlaces, kSelection, kNeedsSelection, plain<InvertCaseText>},
    TextCommand{"firstup", "actFirstUp", "first letter upper case, the rest lower case", kSamePlaces, kSelection, kNeedsSelection, plain<FirstUpText>},
    TextCommand{"effup", "actEFFUp", "upper-case the first letter of every phrase (after '.')", kSamePlaces, kSelection, kNeedsSelection, plain<PhraseFirstUpText>},
    TextCommand{"ewfup", "actEWFUp", "upper-case the first letter of every word", kSamePlaces, kSelection, kNeedsSelection, plain<WordFirstUpText>},
    TextCommand{"convert", "actConvert", "swap keyboard layouts: Latin keys to Russian and Russian keys to Latin", kSamePlaces, kSelection, kNeedsSelection, plain<SwapLayout>},
    TextCommand{"ruslat", "actRusLat", "text typed on the Russian layout to the Latin keys", kSamePlaces, kSelection, kNeedsSelection, plain<CyrToLat>},
    TextCommand{"latrus", "actLatRus", "text typed on the Latin layout to the Russian keys", kSamePlaces, kSelection, kNeedsSelection, plain<LatToCyr>},
    TextCommand{"windos", "actWinDos", "Russian letters Windows-1251 to DOS (866)", kSamePlaces, kSelection, kNeedsSelection, codePage<ctWin1251, ctOem>},
    TextCommand{"winkoi8r", "actWinKoi8R", "Russian letters Windows-1251 to KOI8-R", kSamePlaces, kSelection, kNeedsSelection, codePage<ctWin1251, ctKoi8R>},
    TextCommand{"winmac", "actWinMac", "Russian letters Windows-1251 to the Mac table", kSamePlaces, kSelection, kNeedsSelection, codePage<ctWin1251, ctMac>},
    TextCommand{"winiso", "actWinISO", "Russian letters Windows-1251 to ISO-8859-5", kSamePlaces, kSelection, kNeedsSelection, codePage<ctWin1251, ctIso>},
    TextCommand{"doswin", "actDosWin", "Russian letters DOS (866) to Windows-1251", kSamePlaces, kSelection, kNeedsSelection, codePage<ctOem, ctWin1251>},
    TextCommand{"koi8rwin", "actKoi8RWin", "Russian letters KOI8-R to Windows-1251", kSamePlaces, kSelection, kNeedsSelection, codePage<ctKoi8R, ctWin1251>},
    TextCommand{"macwin", "actMacWin", "Russian letters of the Mac table to Windows-1251", kSamePlaces, kSelection, kNeedsSelection, codePage<ctMac, ctWin1251>},
    TextCommand{"isowin", "actISOWin", "Russian letters ISO-8859-5 to Windows-1251", kSamePlaces, kSelection, kNeedsSelection, codePage<ctIso, ctWin1251>},
    TextCommand{"translit", "actTranslit", "write Russian letters with Latin letters", kNewText, kSelection, kNeedsSelection, plain<Translit>},
    TextCommand{"detranslit", "actDetranslit", "turn transliterated Latin back into Russian letters", kNewText, kSelection, kNeedsSelection, plain<Detranslit>},
    TextCommand{"autocod", "actAutoCod", "detect KOI8-R or DOS text read as Windows-1251 and repair it", kSamePlaces, kDocument, kNeedsSelection, autoRepair},
    // The editor's "Sort Ascending" puts the greatest line first and "Sort Descending" the least.
    TextCommand{"sortasc", "actSortAsc", "sort lines, greatest first (the editor's \"Sort Ascending\")", kNewText, kSelection, kAlwaysEnabled, sortLines<soGreatestFirst>},
    TextCommand{"sortdesc", "actSortDesc", "sort lines, least first (the editor's \"Sort Descending\")", kNewText, kSelection, kAlwaysEnabled, sortLines<soLeastFirst>},
    TextCommand{"dos", "actDos", "line breaks to CR LF", kNewText, kDocument, kAlwaysEnabled, lineBreaks<lbDos>},
    TextCommand{"unixbreak", "actUnixBreak", "CR LF line breaks to LF", kNewText, kDocument, kAlwaysEnabled, lineBreaks<lbUnix>},
    TextCommand{"macbreak", "actMacBreak", "CR LF line breaks to CR", kNewText, kDocument, kAlwaysEnabled, lineBreaks<lbMac>},
    TextCommand{"dec2bin", "N48", "decimal number to binary", kNewText, kSelection, kAlwaysEnabled, fromDecimal<DecToBin>},
    TextCommand{"dec2hex", "N49", "decimal number to hexadecimal", kNewText, kSelection, kAlwaysEnabled, fromDecimal<DecToHex>},
    TextCommand{"dec2oct", "N50", "decimal number to octal", kNewText, kSelection, kAlwaysEnabled, fromDecimal<DecToOct>},
    TextCommand{"hex2dec", "N51", "hexadecimal number (32-bit) to decimal", kNewText, kSelection, kAlwaysEnabled, toDecimal<nkHex, HexToDec>},
    TextCommand{"hex2bin", "N52", "hexadecimal number to binary, four digits per digit", kNewText, kSelection, kAlwaysEnabled, betweenBases<nkHex, HexToBin>},
    TextCommand{"bin2dec", "N53", "binary number (32-bit) to decimal", kNewText, kSelection, kAlwaysEnabled, toDecimal<nkBinary, BinToDec>},
    TextCommand{"bin2hex", "N54", "binary number to hexadecimal", kNewText, kSelection, kAlwaysEnabled, betweenBases<nkBinary, BinToHex>},
    TextCommand{"oct2dec", "N55", "octal number (32-bit) to decimal", kNewText, kSelection, kAlwaysEnabled, toDecimal<nkOctal, OctToDec>},
};

} // namespace

std::span<const TextCommand> textCommands()
{
    return kCommands;
}

const TextCommand *findTextCommand(std::string_view name)
{
    const auto found = std::find_if(kCommands.begin(), kCommands.end(),
                                    [name](const TextCommand &command) { return command.name == name; });
    return found != kCommands.end() ? &*found : nullptr;
}
