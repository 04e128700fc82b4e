#pragma once
// The FONT section of the settings file: hand-edited attributes of text style 0 ("Normal").


class TIniFile;
class TRichViewEdit;
struct RVTextStyle;

// Reads the FONT keys in their order into `style`; a missing key, a value that is no number and a
// value outside what the attribute can take leave the attribute as it is.
void applyFontSection(const TIniFile &ini, RVTextStyle &style);

// Gives every run of text style `no` the style's current attributes (its tag kept), the caret's
// format too, without an undo step and without marking the document modified.
void reapplyTextStyle(TRichViewEdit &editor, int no);
