#include "recent_colours.h"
#include <algorithm>

namespace hv {

void PutFirst(RecentColours& list, ColorValue c) {
    if (c < 0 || c > 0xFFFFFF) return;
    RecentColours out{c};
    for (ColorValue old : list)
        if (old != c && out.size() < kRecentMax) out.push_back(old);
    list.swap(out);
}

RecentColours ParseRecent(std::string_view text) {
    RecentColours list;
    std::size_t i = 0;
    while (i < text.size() && list.size() < kRecentMax) {
        const std::size_t end = std::min(text.find(' ', i), text.size());
        const std::string_view word = text.substr(i, end - i);
        i = end + 1;
        // At most eight digits: no overflow, and 16777215 is the largest colour.
        if (word.empty() || word.size() > 8 ||
            !std::all_of(word.begin(), word.end(), [](char d) { return d >= '0' && d <= '9'; }))
            continue;
        ColorValue c = 0;
        for (char d : word)
            c = c * 10 + (d - '0');
        if (c <= 0xFFFFFF && std::find(list.begin(), list.end(), c) == list.end())
            list.push_back(c);
    }
    return list;
}

std::string RecentText(const RecentColours& list) {
    std::string text;
    for (ColorValue c : list) {
        // The digits backwards, without std::to_string's bulk.
        char digits[9], *p = digits + sizeof digits;
        do
            *--p = static_cast<char>('0' + c % 10);
        while (c /= 10);
        if (!text.empty()) text += ' ';
        text.append(p, digits + sizeof digits);
    }
    return text;
}

} // namespace hv
