#include "RtfTokenizer.h"

#include <climits>

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

RtfToken RtfTokenizer::next()
{
    while (pos_ < in_.size()) {
        const char c = in_[pos_];
        switch (c) {
        case '{': ++pos_; return {RtfToken::GroupOpen};
        case '}': ++pos_; return {RtfToken::GroupClose};
        case '\\': return control();
        case '\r':
        case '\n': ++pos_; continue;
        default: break;
        }
        const std::size_t start = pos_;
        while (pos_ < in_.size()) {
            const char d = in_[pos_];
            if (d == '{' || d == '}' || d == '\\' || d == '\r' || d == '\n')
                break;
            ++pos_;
        }
        RtfToken t{RtfToken::Text};
        t.text = in_.substr(start, pos_ - start);
        return t;
    }
    return {RtfToken::End};
}

RtfToken RtfTokenizer::control()
{
    ++pos_; // the backslash
    if (pos_ >= in_.size()) {
        truncated_ = true;
        return {RtfToken::End};
    }
    const char c = in_[pos_];
    if (!isLetter(c)) {
        ++pos_;
        if (c == '\'') {
            const int hi = pos_ < in_.size() ? hexValue(in_[pos_]) : -1;
            const int lo = pos_ + 1 < in_.size() ? hexValue(in_[pos_ + 1]) : -1;
            if (hi < 0 || lo < 0) {
                // A broken \'x: the digits that are there are ordinary text.
                RtfToken t{RtfToken::Symbol};
                t.symbol = '\'';
                return t;
            }
            pos_ += 2;
            RtfToken t{RtfToken::HexByte};
            t.byte = static_cast<unsigned char>(hi << 4 | lo);
            return t;
        }
        RtfToken t{RtfToken::Symbol};
        t.symbol = c;
        return t;
    }
    const std::size_t start = pos_;
    while (pos_ < in_.size() && isLetter(in_[pos_]))
        ++pos_;
    RtfToken t{RtfToken::Word};
    t.word = in_.substr(start, pos_ - start);
    bool negative = false;
    if (pos_ + 1 < in_.size() && in_[pos_] == '-' && isDigit(in_[pos_ + 1])) {
        negative = true;
        ++pos_;
    }
    if (pos_ < in_.size() && isDigit(in_[pos_])) {
        long long value = 0;
        while (pos_ < in_.size() && isDigit(in_[pos_])) {
            if (value <= INT_MAX)
                value = value * 10 + (in_[pos_] - '0');
            ++pos_;
        }
        if (value > INT_MAX)
            value = INT_MAX;
        t.hasParam = true;
        t.param = int(negative ? -value : value);
    }
    if (pos_ < in_.size() && in_[pos_] == ' ')
        ++pos_;
    if (t.word == "bin") {
        std::size_t length = t.hasParam && t.param > 0 ? std::size_t(t.param) : 0;
        if (length > in_.size() - pos_) {
            truncated_ = true;
            length = in_.size() - pos_;
        }
        RtfToken b{RtfToken::Binary};
        b.text = in_.substr(pos_, length);
        pos_ += length;
        return b;
    }
    return t;
}
