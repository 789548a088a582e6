#include "marks/CBmitemObj.h"

#include <algorithm>

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool sameMarkName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lower(x) == lower(y); });
}

std::string foldedMarkName(std::string_view name) {
    std::string out(name);
    std::transform(out.begin(), out.end(), out.begin(), lower);
    return out;
}

bool isUsableDatamarkName(std::string_view name) {
    return !name.empty() && name.size() <= kMaxDatamarkName &&
           name.find('#') == std::string_view::npos;
}

std::string_view markop::text(int code) {
    switch (code) {
        case Add:
            return "+";
        case Subtract:
            return "-";
        case Multiply:
            return "*";
        case Divide:
            return "/";
        case Mod:
            return "Mod";
        case And:
            return "And";
        case Or:
            return "Or";
        case Xor:
            return "Xor";
        case Not:
            return "Not";
        case ShiftLeft:
            return "Lsh";
        case ShiftRight:
            return "Rsh";
        case Equal:
            return "==";
        case NotEqual:
            return "!=";
        case GreaterOrEqual:
            return ">=";
        case LessOrEqual:
            return "<=";
        case Greater:
            return ">";
        case Less:
            return "<";
        default:
            return {};
    }
}
