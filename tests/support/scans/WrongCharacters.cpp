#include "tests/support/scans/WrongCharacters.h"

#include <algorithm>
#include <regex>
#include <vector>

namespace tavo::testing {
namespace {

std::u32string scalars(const std::string& utf8) {
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (int k = 1; k < length && i + k < utf8.size(); ++k) {
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        out.push_back(c);
        i += length;
    }
    return out;
}

std::size_t editDistance(const std::u32string& a, const std::u32string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::vector<std::u32string> lines(const std::string& text) {
    std::vector<std::u32string> out;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        out.push_back(scalars(text.substr(start, end - start)));
    }
    if (start < text.size()) {
        out.push_back(scalars(text.substr(start)));
    }
    return out;
}

}  // namespace

std::size_t wrongCharacters(const std::string& expected, const std::string& received) {
    const std::vector<std::u32string> want = lines(expected);
    const std::vector<std::u32string> got =
        lines(std::regex_replace(received, std::regex("<[A-Za-z0-9_]+>"), "\uFFFD"));
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
        const std::u32string empty;
        const std::u32string& a = i < want.size() ? want[i] : empty;
        const std::u32string& b = i < got.size() ? got[i] : empty;
        wrong += editDistance(a, b) + (i >= want.size() || i >= got.size() ? 1 : 0);
    }
    return wrong;
}

}  // namespace tavo::testing
