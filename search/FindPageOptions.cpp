#include "search/FindPageOptions.h"

#include "platform/NumberText.h"
#include "settings/CSettings.h"

FindPageOptions FindPageOptions::load(const CSettings& settings) {
    namespace edit = settings::edit;
    FindPageOptions page;
    page.findContinue = settings.get(edit::FindContinue) != 0;
    page.asyncFind = settings.get(edit::EnableAsynFind) != 0;
    page.maxFindBytes = settings.get(edit::MaxFindBytes);
    page.asyncThreshold = settings.get(edit::AsynThreshold);
    page.allowWildcard = settings.get(edit::AllowHexWildcard) != 0;
    page.wildcard = std::string(1, static_cast<char>(settings.get(edit::HexWildcard)));
    page.closeAfterFind = settings.get(edit::CloseAfterFind) != 0;
    page.closeAfterReplace = settings.get(edit::CloseAfterReplace) != 0;
    page.closeAfterReplaceAll = settings.get(edit::CloseAfterRepAll) != 0;
    return page;
}

std::optional<std::string> FindPageOptions::validate() const {
    if (maxFindBytes < 1 || maxFindBytes > 4096) {
        return rangeMessage(1, 4096);
    }
    if (asyncThreshold < 1 || asyncThreshold > 1024) {
        return rangeMessage(1, 1024);
    }
    return std::nullopt;
}

char FindPageOptions::storedWildcard() const {
    const std::size_t first = wildcard.find_first_not_of(" \t\r\n");
    return first == std::string::npos ? '.' : wildcard[first];
}

void FindPageOptions::apply(CSettings& settings) const {
    namespace edit = settings::edit;
    settings.write(edit::FindContinue, findContinue ? 1 : 0);
    settings.write(edit::EnableAsynFind, asyncFind ? 1 : 0);
    settings.write(edit::MaxFindBytes, static_cast<std::int32_t>(maxFindBytes));
    settings.write(edit::AsynThreshold, static_cast<std::int32_t>(asyncThreshold));
    settings.write(edit::AllowHexWildcard, allowWildcard ? 1 : 0);
    settings.write(edit::HexWildcard, static_cast<unsigned char>(storedWildcard()));
    settings.write(edit::CloseAfterFind, closeAfterFind ? 1 : 0);
    settings.write(edit::CloseAfterReplace, closeAfterReplace ? 1 : 0);
    settings.write(edit::CloseAfterRepAll, closeAfterReplaceAll ? 1 : 0);
}
