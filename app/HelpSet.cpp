#include "app/HelpSet.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string readAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

std::string lowered(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return lower;
}

// "Title|page" (or "Keyword|page"); nothing without the bar.
std::optional<std::pair<std::string, std::string>> split(const std::string& line) {
    const std::size_t bar = line.rfind('|');
    if (bar == std::string::npos || bar == 0 || bar + 1 == line.size()) {
        return std::nullopt;
    }
    return std::pair{line.substr(0, bar), line.substr(bar + 1)};
}

int countOf(const std::string& text, const std::string& word) {
    int count = 0;
    for (std::size_t at = text.find(word); at != std::string::npos;
         at = text.find(word, at + word.size())) {
        ++count;
    }
    return count;
}

}  // namespace

std::string plainTextOfHtml(std::string_view html) {
    std::string text;
    bool inTag = false;
    for (std::size_t i = 0; i < html.size(); ++i) {
        const char c = html[i];
        if (inTag) {
            inTag = c != '>';
            if (!inTag) {
                text += ' ';
            }
            continue;
        }
        if (c == '<') {
            inTag = true;
            continue;
        }
        if (c == '&') {
            static const std::pair<std::string_view, char> kEntities[] = {
                {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&nbsp;", ' '}};
            bool decoded = false;
            for (const auto& [entity, character] : kEntities) {
                if (html.substr(i, entity.size()) == entity) {
                    text += character;
                    i += entity.size() - 1;
                    decoded = true;
                    break;
                }
            }
            if (decoded) {
                continue;
            }
        }
        text += c;
    }
    return text;
}

HelpSet HelpSet::load(const std::string& folder) {
    HelpSet set;
    set.folder_ = folder;
    for (const std::string& line : linesOf(readAll(folder + "/contents.txt"))) {
        const std::size_t depth = line.find_first_not_of('\t');
        if (depth == std::string::npos) {
            continue;
        }
        if (const auto entry = split(line.substr(depth))) {
            set.contents_.push_back({static_cast<int>(depth), entry->first, entry->second});
        }
    }
    for (const std::string& line : linesOf(readAll(folder + "/index.txt"))) {
        if (const auto entry = split(line)) {
            set.index_.push_back({entry->first, entry->second});
        }
    }
    int topic = -1;
    std::string text;
    const auto flush = [&] {
        while (!text.empty() && text.back() == '\n') {
            text.pop_back();
        }
        if (topic >= 0 && !text.empty()) {
            set.popups_[topic] = text;
        }
        topic = -1;
        text.clear();
    };
    for (const std::string& line : linesOf(readAll(folder + "/kstpopup.txt"))) {
        if (line.starts_with(".topic ")) {
            flush();
            topic = std::atoi(line.c_str() + 7);
        } else if (line.empty()) {
            flush();
        } else if (topic >= 0) {
            text += (text.empty() ? "" : " ") + line;
        }
    }
    flush();
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.ends_with(".htm") || name.ends_with(".html")) {
            set.pageTexts_[name] = lowered(plainTextOfHtml(readAll(entry.path().string())));
        }
    }
    return set;
}

std::vector<HelpSet::IndexEntry> HelpSet::indexMatching(std::string_view filter) const {
    const std::string wanted = lowered(filter);
    std::vector<IndexEntry> matching;
    for (const IndexEntry& entry : index_) {
        if (lowered(entry.keyword).find(wanted) != std::string::npos) {
            matching.push_back(entry);
        }
    }
    return matching;
}

std::optional<std::string> HelpSet::popup(int topic) const {
    const auto found = popups_.find(topic);
    return found == popups_.end() ? std::nullopt : std::optional<std::string>(found->second);
}

std::vector<HelpSet::Hit> HelpSet::search(std::string_view words) const {
    std::vector<std::string> wanted;
    std::istringstream stream{lowered(words)};
    for (std::string word; stream >> word;) {
        wanted.push_back(word);
    }
    std::vector<Hit> hits;
    if (wanted.empty()) {
        return hits;
    }
    for (const auto& [page, text] : pageTexts_) {
        int total = 0;
        bool all = true;
        for (const std::string& word : wanted) {
            const int count = countOf(text, word);
            all = all && count > 0;
            total += count;
        }
        if (all) {
            hits.push_back({page, titleOf(page), total});
        }
    }
    std::sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) {
        return a.count != b.count ? a.count > b.count : a.title < b.title;
    });
    return hits;
}

std::string HelpSet::titleOf(const std::string& page) const {
    for (const ContentsEntry& entry : contents_) {
        if (entry.page == page) {
            return entry.title;
        }
    }
    return page;
}

std::string helpFolderFor(const std::string& executable) {
    const fs::path program(executable);
    return (program.parent_path() / program.stem()).string() + ".help";
}
