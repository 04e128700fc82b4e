#pragma once
// The options of the editor's native format: what a save stores and how a load treats what it meets.

#include <QtGlobal>

enum TRVFOption : unsigned {
    rvfoSavePicturesBody,        // store picture data
    rvfoSaveControlsBody,        // store embedded controls
    rvfoSaveBack,                // store the background
    rvfoSaveLayout,              // store margins and layout
    rvfoSaveBinary,              // write the binary form
    rvfoLoadBack,                // read the background
    rvfoLoadLayout,              // read margins and layout
    rvfoIgnoreUnknownPicFmt,     // skip pictures of unknown format
    rvfoIgnoreUnknownCtrls,      // skip controls of unknown class
    rvfoConvUnknownStylesToZero, // style numbers that do not exist become style 0
    rvfoConvLargeImageIdxToZero, // image indices out of range become 0
    rvfoSaveTextStyles,          // store the text styles
    rvfoSaveParaStyles,          // store the paragraph styles
    rvfoUseStyleNames,           // refer to styles by name
    rvfoSaveDocProperties,       // store document properties
    rvfoLoadDocProperties,       // read document properties
};
constexpr unsigned rvfoCount = rvfoLoadDocProperties + 1;

class TRVFOptions
{
public:
    constexpr TRVFOptions() = default; // no option set

    // The editor's built-in set: everything stored and read, nothing skipped, converted or named.
    static constexpr TRVFOptions defaults()
    {
        TRVFOptions o;
        for (TRVFOption on : {rvfoSavePicturesBody, rvfoSaveControlsBody, rvfoSaveBack, rvfoSaveLayout, rvfoSaveBinary,
                              rvfoLoadBack, rvfoLoadLayout, rvfoSaveTextStyles, rvfoSaveParaStyles,
                              rvfoSaveDocProperties, rvfoLoadDocProperties})
            o.set(on, true);
        return o;
    }

    constexpr bool has(TRVFOption option) const { return bits_ & bit(option); }
    constexpr void set(TRVFOption option, bool on) { bits_ = on ? bits_ | bit(option) : bits_ & ~bit(option); }

    constexpr bool operator==(const TRVFOptions &) const = default;

private:
    static constexpr quint32 bit(TRVFOption option) { return quint32(1) << unsigned(option); }
    quint32 bits_ = 0;
};
