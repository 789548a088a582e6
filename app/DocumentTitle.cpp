#include "app/DocumentTitle.h"

namespace {

bool hasMark(const std::string& title) {
    return title.size() >= 2 && title.compare(title.size() - 2, 2, " *") == 0;
}

}  // namespace

std::string titleWithMark(const std::string& title, bool modified) {
    if (modified == hasMark(title)) {
        return title;
    }
    return modified ? title + " *" : title.substr(0, title.size() - 2);
}

std::string titleWithoutMark(const std::string& title) {
    return titleWithMark(title, false);
}
