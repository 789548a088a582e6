#include "interpret/CharacterText.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void appendUtf8(std::string& text, char32_t c) {
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// What a one-line cell shows for a character.
char32_t shownAs(char32_t c) {
    if (c < 0x20) {
        return 0x2400 + c;
    }
    if (c == 0x7F) {
        return 0x2421;
    }
    if ((c >= 0x80 && c < 0xA0) || c == 0x2028 || c == 0x2029) {
        return kReplacement;
    }
    return c;
}

void appendShown(std::string& text, char32_t c) {
    appendUtf8(text, shownAs(c));
}

bool isContinuation(std::uint8_t byte) {
    return (byte & 0xC0) == 0x80;
}

// Whether `second` may follow the lead byte `first` in a longer sequence
// (the ranges that keep out overlong forms, surrogates and values beyond
// U+10FFFF).
bool mayFollowLead(std::uint8_t first, std::uint8_t second) {
    if (first == 0xE0) {
        return second >= 0xA0 && second <= 0xBF;
    }
    if (first == 0xED) {
        return second >= 0x80 && second <= 0x9F;
    }
    if (first == 0xF0) {
        return second >= 0x90 && second <= 0xBF;
    }
    if (first == 0xF4) {
        return second >= 0x80 && second <= 0x8F;
    }
    return (first >= 0xE1 && first <= 0xEF) || (first >= 0xF1 && first <= 0xF3)
               ? isContinuation(second)
               : false;
}

}  // namespace

std::string singleByteText(std::uint8_t byte) {
    std::string text;
    if (byte != 0) {
        appendShown(text, byte < 0x80 ? char32_t{byte} : kReplacement);
    }
    return text;
}

std::string twoByteText(std::uint8_t first, std::uint8_t second) {
    if (first == 0) {
        return {};
    }
    std::string text;
    if (first >= 0xC2 && first <= 0xDF && isContinuation(second)) {
        appendShown(text, (char32_t{first} & 0x1F) << 6 | (char32_t{second} & 0x3F));
        return text;
    }
    if (mayFollowLead(first, second)) {
        // The start of a longer character, cut off: one replacement for both.
        appendShown(text, kReplacement);
        return text;
    }
    text = singleByteText(first);
    return second == 0 ? text : text + singleByteText(second);
}

std::string codeUnitText(std::uint16_t unit) {
    std::string text;
    if (unit != 0) {
        appendShown(text, unit >= 0xD800 && unit <= 0xDFFF ? kReplacement : char32_t{unit});
    }
    return text;
}
