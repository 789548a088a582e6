#include "marks/DatamarkClearing.h"

#include <algorithm>

#include "marks/DatamarkStore.h"

bool ClearConfirmation::ask() {
    if (noLongerHint_) {
        return autoDisconnect_;
    }
    const Answer answer = show_ ? show_(noLongerHint_, autoDisconnect_) : Answer{};
    noLongerHint_ = answer.noLongerHint;
    autoDisconnect_ = answer.autoDisconnect;
    return answer.ok;
}

namespace {

// "#name" naming `name`, ignoring case.
bool namesInFile(const std::string& association, const std::string& name) {
    return !association.empty() && association.front() == '#' &&
           sameMarkName(std::string_view(association).substr(1), name);
}

void disconnectInList(DatamarkList& list, std::size_t index, ClearConfirmation& confirm) {
    const std::string& name = list.at(index).name;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i == index) {
            continue;
        }
        auto& associations = list.at(i).associations;
        const auto found = std::find_if(associations.rbegin(), associations.rend(),
                                        [&](const std::string& a) { return namesInFile(a, name); });
        if (found != associations.rend() && confirm.ask()) {
            associations.erase(std::next(found).base());
        }
    }
}

void disconnectInStore(const CBmitemObj& cleared, DatamarkStore& store, ClearConfirmation& confirm,
                       std::vector<CBmitemObj>* stored) {
    const std::string target = cleared.filePath + "#" + cleared.name;
    const auto refers = [&](const CBmitemObj& datamark) {
        return std::any_of(datamark.associations.begin(), datamark.associations.end(),
                           [&](const std::string& a) { return sameMarkName(a, target); });
    };
    std::vector<CBmitemObj> referring;
    if (stored != nullptr) {
        std::copy_if(stored->begin(), stored->end(), std::back_inserter(referring), refers);
    } else {
        referring = store.findReferringDatamarks(target);
    }
    if (referring.empty() || !confirm.ask()) {
        return;
    }
    for (CBmitemObj& datamark : referring) {
        std::erase_if(datamark.associations,
                      [&](const std::string& a) { return sameMarkName(a, target); });
        store.saveDatamark(datamark);  // a store error is not shown
    }
    if (stored != nullptr) {
        for (CBmitemObj& entry : *stored) {
            if (refers(entry)) {
                std::erase_if(entry.associations,
                              [&](const std::string& a) { return sameMarkName(a, target); });
            }
        }
    }
}

}  // namespace

bool clearDatamark(DatamarkList& list, std::size_t index, DatamarkStore& store,
                   ClearConfirmation& confirm, std::vector<CBmitemObj>* stored) {
    if (index >= list.size()) {
        return false;
    }
    if (!list.at(index).name.empty()) {
        disconnectInList(list, index, confirm);
    }
    const CBmitemObj cleared = list.at(index);
    if (!cleared.filePath.empty()) {
        disconnectInStore(cleared, store, confirm, stored);
    }
    list.removeAt(index);
    return !cleared.filePath.empty();
}

bool clearAllDatamarks(DatamarkList& list, DatamarkStore& store, ClearConfirmation& confirm) {
    std::vector<CBmitemObj> stored = store.loadAllDatamarks().datamarks;
    bool modified = false;
    while (!list.empty()) {
        modified = clearDatamark(list, list.size() - 1, store, confirm, &stored) || modified;
    }
    return modified;
}
