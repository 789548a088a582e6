#include "marks/AssociationMenu.h"

#include "marks/DatamarkNavigator.h"
#include "platform/PrintfFormat.h"
#include "platform/Utf8.h"

namespace {

std::string_view withoutLeadingBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

}  // namespace

std::string shortenedAssociation(std::string_view association) {
    const auto hash = association.rfind('#');
    if (hash == std::string_view::npos || utf8Length(association.substr(0, hash)) < 8) {
        return std::string(association);
    }
    return std::string(association.substr(0, utf8PrefixBytes(association, 5))) + "..." +
           std::string(association.substr(hash));
}

std::vector<AssociationMenuEntry> associationMenu(
    const CBmitemObj& datamark, const DatamarkList& list,
    const std::function<bool(const CBmitemObj&)>& shown, std::uint64_t dataSize) {
    std::vector<AssociationMenuEntry> entries;
    for (std::size_t i = 0; i < datamark.associations.size(); ++i) {
        const std::string_view association = withoutLeadingBlanks(datamark.associations[i]);
        const auto target = splitAssociation(association);
        if (!target) {
            continue;  // names no datamark
        }
        AssociationMenuEntry entry;
        entry.id = AssociationMenuEntry::kFirstId + static_cast<int>(i);
        if (target->path.empty()) {
            const auto found = list.find(target->name);
            if (!found || list.at(*found).position >= dataSize ||
                (shown && !shown(list.at(*found)))) {
                continue;
            }
            entry.target = found;
            entry.text = platform::formatPrintf("Go To: %s", {std::string(association)});
        } else {
            entry.text = platform::formatPrintf("Go To: %s", {shortenedAssociation(association)});
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}
