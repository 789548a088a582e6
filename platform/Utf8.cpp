#include "platform/Utf8.h"

namespace {

bool startsCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

}  // namespace

std::size_t utf8Length(std::string_view text) {
    std::size_t characters = 0;
    for (const char byte : text) {
        characters += startsCharacter(byte) ? 1 : 0;
    }
    return characters;
}

std::size_t utf8PrefixBytes(std::string_view text, std::size_t characters) {
    if (characters == 0) {
        return 0;
    }
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (startsCharacter(text[i])) {
            if (seen == characters) {
                return i;
            }
            ++seen;
        }
    }
    return text.size();
}
