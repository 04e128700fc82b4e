#pragma once
// The code-page converter: re-encodes a Russian text between DOS, Windows-1251, KOI8-R, ISO-8859-5,
// the program's own Mac table and UTF-16. Between the 8-bit encodings it is letter-oriented: only the
// 66 Russian letters and the numero sign move, every other byte keeps its value.

#include <string>

enum TCodeTable : unsigned char {
    ctOem,     // DOS Cyrillic, IBM code page 866
    ctWin1251, // Windows-1251
    ctKoi8R,   // KOI8-R
    ctIso,     // ISO/IEC 8859-5
    ctUtf16,   // UTF-16 little-endian with byte order mark, carried as bytes
    ctMac,     // the program's own Mac table: code page 866 letters with а, б and Ё moved
};

class TCodeChanger
{
public:
    TCodeTable SourceCode() const { return FSourceCode; }
    void SetSourceCode(TCodeTable value);
    TCodeTable DestCode() const { return FDestCode; }
    void SetDestCode(TCodeTable value);

    // Converts `text` in place from SourceCode to DestCode. Returns false and leaves `text` exactly as
    // it was when both name the same encoding or when the conversion fails (a UTF-16 source whose
    // body after the two-byte mark is empty or of odd length, or memory running out).
    bool Change(std::string &text) const;

private:
    // Any value past ctUtf16 selects the Mac table, so a stored out-of-range value still converts.
    static TCodeTable selectorOf(TCodeTable value) { return value > ctUtf16 ? ctMac : value; }

    TCodeTable FSourceCode = ctOem;
    TCodeTable FDestCode = ctOem;
    TCodeTable FSourceSelector = ctOem;
    TCodeTable FDestSelector = ctOem;
};
