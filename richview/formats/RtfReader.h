#pragma once
// Reads RTF into RtfContent, adding the text, paragraph and list styles it needs to the
// document's style sheet (an equal style is reused) and asking the document's OnReadHyperlink hook
// for link targets. Damaged input is read as far as it makes sense; the result then says so.

#include "RtfContent.h"

#include <optional>
#include <string_view>

class RVDocument;

struct RtfReadResult {
    RtfContent content;
    bool ok = true;
    QString error; // why ok is false
    std::optional<RVColor> background;
    std::optional<RVPageSetup> pageSetup;
};

RtfReadResult readRtfContent(std::string_view bytes, RVDocument &doc);
