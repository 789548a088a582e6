#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The help set beside the program ("Kestrane.help"): HTML pages, a
// contents tree ("contents.txt": tab-indented "Title|page"), an index
// ("index.txt": "Keyword|page") and the controls' popup texts
// ("kstpopup.txt": ".topic N" followed by its text up to a blank line).
class HelpSet {
  public:
    struct ContentsEntry {
        int depth = 0;
        std::string title;
        std::string page;
    };
    struct IndexEntry {
        std::string keyword;
        std::string page;
    };
    struct Hit {
        std::string page;
        std::string title;
        int count = 0;  // how often the words occur on the page
    };

    // Reads the set in `folder`; a missing or partial set gives what there is.
    static HelpSet load(const std::string& folder);

    bool empty() const { return contents_.empty(); }
    const std::string& folder() const { return folder_; }
    const std::vector<ContentsEntry>& contents() const { return contents_; }
    const std::vector<IndexEntry>& index() const { return index_; }
    // The keywords holding `filter` (without case), in index order.
    std::vector<IndexEntry> indexMatching(std::string_view filter) const;
    std::optional<std::string> popup(int topic) const;
    // The pages holding every word of `words` (without case), the most
    // hits first; nothing for no words.
    std::vector<Hit> search(std::string_view words) const;
    std::string pagePath(const std::string& page) const { return folder_ + "/" + page; }
    // The page's title from the contents, else its file name.
    std::string titleOf(const std::string& page) const;

  private:
    std::string folder_;
    std::vector<ContentsEntry> contents_;
    std::vector<IndexEntry> index_;
    std::map<int, std::string> popups_;
    std::map<std::string, std::string> pageTexts_;  // page -> its text, lower case
};

// The help set of a program: its folder with the program's name + ".help".
std::string helpFolderFor(const std::string& executable);
// The text of an HTML page: tags dropped, the common entities decoded.
std::string plainTextOfHtml(std::string_view html);
