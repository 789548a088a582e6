// The engine against a plain reading of the search rules: byte-wise masked
// compares, a recursive matcher on a folded copy, the same block loop over a
// vector. The plain reading is itself checked against a brute force over the
// whole range for fixed patterns. Random data, patterns and ranges, with
// occurrences planted across the block edges of both directions.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "search/SearchEngine.h"
#include "tests/search/SearchTestSupport.h"

namespace {

struct Pattern {
    std::string text;
    bool hex = false;
    bool regex = false;
    bool matchCase = true;
    bool wildcards = true;
    char wildcard = '.';
};

std::uint8_t fold(std::uint8_t byte) {
    return byte >= 'a' && byte <= 'z' ? static_cast<std::uint8_t>(byte - 0x20) : byte;
}

// ------------------------------------------------------------ the plain reading

// The matcher as written: a pattern character at a time, "*" trying runs
// from the shortest, sets read where they stand. -1 for no match.
long plainGlob(const std::uint8_t* p, const std::uint8_t* end, const std::uint8_t* d,
               const std::uint8_t* from) {
    if (p == end) {
        return d - from;
    }
    if (*p == '?') {
        return *d == 0 ? -1 : plainGlob(p + 1, end, d + 1, from);
    }
    if (*p == '*') {
        for (std::size_t k = 0;; ++k) {
            const long rest = plainGlob(p + 1, end, d + k, from);
            if (rest >= 0) {
                return rest;
            }
            if (d[k] == 0) {
                return -1;
            }
        }
    }
    if (*p == '[') {
        const std::uint8_t* q = p + 1;
        const bool negated = q < end && *q == '^';
        q += negated ? 1 : 0;
        std::uint8_t previous = 0;
        bool member = false;
        for (;;) {
            if (q == end) {
                return -1;
            }
            if (*q == ']') {
                break;
            }
            if (*q == '-') {
                if (q + 1 == end || q[1] == ']') {
                    return -1;
                }
                member = member || (previous <= *d && *d <= q[1]);
                previous = q[1];
                q += 2;
            } else {
                member = member || *q == *d;
                previous = *q;
                ++q;
            }
        }
        const bool empty = q == p + 1 + (negated ? 1 : 0);
        if (*d == 0 || empty || member == negated) {
            return -1;
        }
        return plainGlob(q + 1, end, d + 1, from);
    }
    return *d == *p ? plainGlob(p + 1, end, d + 1, from) : -1;
}

struct PlainEntry {
    std::uint8_t value, mask;
};

std::vector<PlainEntry> plainHex(const Pattern& pattern) {
    std::vector<PlainEntry> entries;
    std::istringstream tokens(pattern.text);
    std::string token;
    const auto digit = [&](char c) {
        return pattern.wildcards && c == pattern.wildcard
                   ? 0
                   : std::stoi(std::string(1, c), nullptr, 16);
    };
    const auto wild = [&](char c) { return pattern.wildcards && c == pattern.wildcard; };
    while (tokens >> token) {
        if (token.size() == 1) {
            entries.push_back(wild(token[0])
                                  ? PlainEntry{0, 0}
                                  : PlainEntry{static_cast<std::uint8_t>(digit(token[0])), 0xFF});
        } else {
            std::uint8_t mask = wild(token[0]) ? 0x0F : 0xFF;
            mask &= wild(token[1]) ? 0xF0 : 0xFF;
            entries.push_back(
                {static_cast<std::uint8_t>(digit(token[0]) * 16 + digit(token[1])), mask});
        }
    }
    return entries;
}

// (index, length) of the match in the block, as the rules read.
std::optional<std::pair<std::size_t, std::size_t>> plainBlock(const Pattern& pattern,
                                                              std::vector<std::uint8_t> block,
                                                              bool forward) {
    const std::size_t n = block.size();
    std::optional<std::pair<std::size_t, std::size_t>> result;
    if (pattern.hex) {
        const auto entries = plainHex(pattern);
        const std::size_t k = entries.size();
        for (std::size_t i = 0; k <= n && i + k <= n; ++i) {
            bool all = true;
            for (std::size_t j = 0; j < k && all; ++j) {
                all = (block[i + j] & entries[j].mask) == entries[j].value;
            }
            if (all) {
                result = std::pair{i, k};
                if (forward) {
                    break;
                }
            }
        }
        return result;
    }
    std::string text = pattern.text;
    if (!pattern.matchCase) {
        for (auto& byte : block) {
            byte = fold(byte);
        }
        for (char& c : text) {
            c = static_cast<char>(fold(static_cast<std::uint8_t>(c)));
        }
    }
    const auto* p = reinterpret_cast<const std::uint8_t*>(text.data());
    if (pattern.regex) {
        block.push_back(0);
        for (std::size_t i = 0; i < n; ++i) {
            const long length = plainGlob(p, p + text.size(), block.data() + i, block.data() + i);
            if (length >= 0) {
                result = std::pair{i, static_cast<std::size_t>(length)};
                if (forward) {
                    break;
                }
            }
        }
        return result;
    }
    for (std::size_t i = 0; text.size() <= n && i + text.size() <= n; ++i) {
        if (std::equal(text.begin(), text.end(), block.begin() + static_cast<long>(i),
                       [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; })) {
            result = std::pair{i, text.size()};
            if (forward) {
                break;
            }
        }
    }
    return result;
}

// The block loop of the rules over a vector.
std::optional<SearchMatch> plainRange(const Pattern& pattern, const std::vector<std::uint8_t>& data,
                                      bool forward, std::uint64_t start, std::uint64_t end,
                                      std::uint64_t m) {
    const std::uint64_t blockSize = 64 * m;
    const auto block = [&](std::uint64_t at, std::uint64_t n) {
        return std::vector<std::uint8_t>(data.begin() + static_cast<long>(at),
                                         data.begin() + static_cast<long>(at + n));
    };
    if (forward) {
        while (start < end) {
            const std::uint64_t n = std::min(end - start, blockSize);
            if (const auto found = plainBlock(pattern, block(start, n), true)) {
                return SearchMatch{start + found->first, found->second};
            }
            start += start + n < end ? 63 * m : n;
        }
        return std::nullopt;
    }
    while (start < end) {
        const std::uint64_t n = std::min(end - start, blockSize);
        end -= n;
        if (const auto found = plainBlock(pattern, block(end, n), false)) {
            return SearchMatch{end + found->first, found->second};
        }
        if (end != start) {
            end += m;
        }
    }
    return std::nullopt;
}

// ------------------------------------------------------------ random cases

class Cases {
  public:
    explicit Cases(std::uint32_t seed) : random_(seed) {}

    std::size_t below(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }
    bool coin(int percent = 50) { return below(100) < static_cast<std::size_t>(percent); }

    std::vector<std::uint8_t> data(std::size_t size) {
        static const std::string alphabet("aAbBcC01\0\xE4\xC4-", 13);
        const std::size_t letters = 2 + below(alphabet.size() - 1);
        std::vector<std::uint8_t> bytes(size);
        for (auto& byte : bytes) {
            byte = static_cast<std::uint8_t>(coin(3) ? below(256) : alphabet[below(letters)]);
        }
        return bytes;
    }

    Pattern pattern(const std::vector<std::uint8_t>& data, std::size_t m) {
        Pattern p;
        const int kind = static_cast<int>(below(3));
        p.matchCase = coin();
        const std::size_t length = 1 + below(std::min<std::size_t>(m, 8));
        const std::size_t from = below(data.size() - length);
        if (kind == 0) {
            p.hex = true;
            p.wildcards = coin(70);
            p.wildcard = coin() ? '.' : '*';
            static const char digits[] = "0123456789abcdefABCDEF";
            for (std::size_t i = 0; i < length; ++i) {
                char text[3];
                std::snprintf(text, sizeof text, "%02x", data[from + i]);
                std::string token =
                    coin(20) ? std::string(1, digits[below(22)]) : std::string(text);
                for (char& c : token) {
                    if (p.wildcards && coin(25)) {
                        c = p.wildcard;
                    }
                }
                p.text += (i > 0 ? std::string(1 + below(2), coin() ? ' ' : '\t') : "") + token;
            }
            return p;
        }
        // Text: a piece of the data (which may hold a zero: the pattern ends there).
        for (std::size_t i = 0; i < length; ++i) {
            const auto byte = static_cast<char>(data[from + i]);
            p.text += byte == '\0' ? 'a' : byte;
        }
        if (kind == 2) {
            p.regex = true;
            static const char* pieces[] = {"?",    "*",      "[a-c]", "[^ab]", "[]",
                                           "[-b]", "[A-C0]", "[^]",   "]"};
            std::string regex;
            for (const char c : p.text) {
                regex += c;
                if (coin(30)) {
                    regex += pieces[below(std::size(pieces))];
                }
            }
            if (coin(5)) {
                regex += coin() ? "[a-" : "[";
            }
            p.text = regex;
        }
        return p;
    }

  private:
    std::mt19937 random_;
};

bool fixedWithin(const Pattern& p, std::size_t m) {
    if (p.regex) {
        return false;
    }
    if (!p.hex) {
        return p.text.size() <= m;
    }
    const auto entries = plainHex(p);
    return entries.size() <= m;
}

// Brute force over the whole range: the lowest or highest match inside it.
std::optional<SearchMatch> wholeRange(const Pattern& p, const std::vector<std::uint8_t>& data,
                                      bool forward, std::uint64_t start, std::uint64_t end) {
    if (end <= start) {
        return std::nullopt;
    }
    const auto found = plainBlock(p,
                                  std::vector<std::uint8_t>(data.begin() + static_cast<long>(start),
                                                            data.begin() + static_cast<long>(end)),
                                  forward);
    if (!found) {
        return std::nullopt;
    }
    return SearchMatch{start + found->first, found->second};
}

TEST(SearchDifferentialTest, TheEngineFindsWhatThePlainRulesFind) {
    constexpr std::uint32_t kSeed = 20261208;
    Cases cases(kSeed);
    for (int round = 0; round < 1500; ++round) {
        const std::size_t m = 1 + cases.below(16);
        std::vector<std::uint8_t> data = cases.data(64 * m * 3 + cases.below(200));
        const Pattern pattern = cases.pattern(data, m);
        // A copy of a piece around the edges of the blocks of both directions.
        const std::vector<std::uint8_t> piece(data.begin() + 7,
                                              data.begin() + 7 + static_cast<long>(m));
        for (std::size_t edge = 63 * m; edge < data.size(); edge += 63 * m) {
            for (const std::size_t at : {edge, data.size() - edge}) {
                const std::size_t shift = cases.below(17);
                const std::size_t place = at + shift >= 8 ? at + shift - 8 : 0;
                if (place + piece.size() <= data.size()) {
                    std::copy(piece.begin(), piece.end(), data.begin() + static_cast<long>(place));
                }
            }
        }
        searchtest::StoreOf file(std::string(data.begin(), data.end()));
        SearchEngine engine(&file.store(), {static_cast<std::int32_t>(m), pattern.wildcards,
                                            pattern.wildcard, true, 4u << 20});
        const bool compiled =
            engine.compilePattern(pattern.text, pattern.hex, pattern.regex, pattern.matchCase);
        const bool valid =
            pattern.hex
                ? validateHexString(pattern.text, pattern.wildcards, pattern.wildcard).has_value()
                : true;
        ASSERT_EQ(compiled, valid)
            << "seed " << kSeed << " round " << round << " pattern " << pattern.text;
        if (!compiled) {
            continue;
        }
        for (const bool forward : {true, false}) {
            const std::uint64_t start = cases.coin(30) ? 0 : cases.below(data.size());
            const std::uint64_t end =
                cases.coin(30) ? data.size() : start + cases.below(data.size() - start + 1);
            bool cancelled = false;
            const auto found = engine.searchRange(forward, start, end, nullptr, cancelled);
            const auto expected = plainRange(pattern, data, forward, start, end, m);
            ASSERT_EQ(found, expected)
                << "seed " << kSeed << " round " << round << " pattern \"" << pattern.text
                << "\" hex " << pattern.hex << " regex " << pattern.regex << " case "
                << pattern.matchCase << " M " << m << " forward " << forward << " range [" << start
                << ", " << end << ")";
            if (fixedWithin(pattern, m)) {
                ASSERT_EQ(expected, wholeRange(pattern, data, forward, start, end))
                    << "seed " << kSeed << " round " << round << " pattern " << pattern.text;
            }
        }
    }
}

}  // namespace
