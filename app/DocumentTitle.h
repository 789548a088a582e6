#pragma once

#include <string>

// The " *" rule of document titles: a modified document's title ends in
// " *"; the mark goes when it is saved.
std::string titleWithMark(const std::string& title, bool modified);
// The title without the mark, as Save As proposes it.
std::string titleWithoutMark(const std::string& title);
