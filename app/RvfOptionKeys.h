#pragma once
// The keys of the native-format options in the settings file, in the order they are read and written.

#include "RVFOptions.h"

#include <array>

struct RvfOptionKey {
    const char *key;
    TRVFOption option;
};

inline constexpr std::array<RvfOptionKey, rvfoCount> kRvfOptionKeys = {{
    {"SavePicturesBody", rvfoSavePicturesBody},
    {"SaveControlsBody", rvfoSaveControlsBody},
    {"SaveBackground", rvfoSaveBack},
    {"SaveLayout", rvfoSaveLayout},
    {"SaveBinary", rvfoSaveBinary},
    {"LoadBack", rvfoLoadBack},
    {"LoadLayout", rvfoLoadLayout},
    {"IgnoreUnknownPicFmt", rvfoIgnoreUnknownPicFmt},
    {"IgnoreUnknownCtrls", rvfoIgnoreUnknownCtrls},
    {"ConvUnknownStylesToZero", rvfoConvUnknownStylesToZero},
    {"ConvLargeImageIdxToZero", rvfoConvLargeImageIdxToZero},
    {"SaveTextStyles", rvfoSaveTextStyles},
    {"SaveParaStyles", rvfoSaveParaStyles},
    {"UseStyleNames", rvfoUseStyleNames},
    {"SaveDocProperties", rvfoSaveDocProperties},
    {"LoadDocProperties", rvfoLoadDocProperties},
}};
