#include "marks/DatamarkProperties.h"

#include "editdata/CEditData.h"
#include "marks/AdvancedFind.h"
#include "marks/DatamarkDefinition.h"
#include "marks/DatamarkList.h"
#include "marks/DatamarkStore.h"

DatamarkProperties::DatamarkProperties(const CBmitemObj& datamark)
    : normal(datamark.normalDatamark),
      name(datamark.name),
      comment(datamark.comment),
      level(datamark.level),
      associations(datamark.associations),
      original_(datamark) {}

DatamarkProperties::Validity DatamarkProperties::validate(CEditData& data) const {
    const std::uint64_t size = data.getDataSize();
    if (original_.position >= size) {
        return {};
    }
    if (original_.normalDatamark) {
        return {true, 0};
    }
    const std::vector<std::uint8_t> expected = advancedBytes(original_.findResultString);
    if (expected.empty() || expected.size() > size - original_.position) {
        return {};
    }
    std::vector<std::uint8_t> actual(expected.size());
    std::uint64_t read = 0;
    if (!data.readData(actual.data(), actual.size(), read, original_.position) ||
        read != actual.size() || actual != expected) {
        return {};
    }
    return {true, expected.size()};
}

int DatamarkProperties::checkCommon() const {
    if (name.empty()) {
        return marktext::kNoName;
    }
    if (!normal && (original_.findString.empty() || original_.findResultString.empty() ||
                    original_.operateString.empty() || original_.operateResultString.empty() ||
                    original_.compareString.empty())) {
        return marktext::kIncomplete;
    }
    if (renamed() && name.find('#') != std::string::npos) {
        return marktext::kHashInName;
    }
    return 0;
}

int DatamarkProperties::checkFromView(const DatamarkList& list, std::size_t self) const {
    if (const int refused = checkCommon()) {
        return refused;
    }
    if (renamed()) {
        const auto taken = list.find(name);
        if (taken && *taken != self) {
            return marktext::kNameUsed;
        }
    }
    return 0;
}

int DatamarkProperties::checkFromStore(const DatamarkStore& store) const {
    if (const int refused = checkCommon()) {
        return refused;
    }
    if (renamed() && store.reloadDatamark(original_.filePath, name)) {
        return marktext::kStoredNameUsed;
    }
    return 0;
}

CBmitemObj DatamarkProperties::accepted() const {
    CBmitemObj datamark = original_;
    datamark.name = name;
    datamark.comment = comment;
    datamark.level = level;
    datamark.associations = associations;
    if (normal && !original_.normalDatamark) {
        datamark.normalDatamark = true;
        datamark.findString.clear();
        datamark.operateString.clear();
        datamark.compareString.clear();
        datamark.findResultString.clear();
        datamark.operateResultString.clear();
    }
    return datamark;
}
