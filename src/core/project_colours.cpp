#include "project_colours.h"
#include "colour_names.h"
#include "contrast.h"
#include <algorithm>
#include <cstdint>

namespace hv {

void AddCodeUses(std::vector<ColourUse>& uses, const std::wstring& module, std::wstring_view text,
                 long firstLine) {
    long line = firstLine;
    for (std::size_t from = 0; from <= text.size(); ++line) {
        std::size_t to = std::min(text.find(L'\n', from), text.size());
        const std::size_t next = to + 1;
        if (to > from && text[to - 1] == L'\r') --to;
        const std::wstring_view code = text.substr(from, to - from);
        for (const CodeColour& c : FindCodeColours(code)) {
            ColourUse u;
            u.component = module;
            u.line = line;
            u.text = code;
            u.at = c;
            u.value = c.value;
            uses.push_back(std::move(u));
        }
        from = next;
    }
}

namespace {
// RGB colours before system colours.
std::uint32_t Order(ColorValue c) {
    return static_cast<std::uint32_t>(c);
}
// One sort for every order here, on keys that hold their ties' breaker in the low half: each
// sort of another type would cost the DLL its own copy of the algorithm.
void SortKeys(std::vector<std::uint64_t>& keys) {
    std::sort(keys.begin(), keys.end());
}
std::uint64_t Key(std::uint32_t high, std::size_t low) {
    return static_cast<std::uint64_t>(high) << 32 | static_cast<std::uint32_t>(low);
}
} // namespace

std::vector<ColourRow> GroupByColour(const std::vector<ColourUse>& uses) {
    std::vector<std::uint64_t> keys;
    for (std::size_t i = 0; i < uses.size(); ++i)
        keys.push_back(Key(Order(uses[i].value), i));
    SortKeys(keys);
    std::vector<ColourRow> byValue;
    for (std::uint64_t k : keys) {
        const std::size_t i = static_cast<std::uint32_t>(k);
        if (byValue.empty() || byValue.back().value != uses[i].value)
            byValue.push_back({uses[i].value, {}});
        byValue.back().uses.push_back(i);
    }
    // The most used first; among as many uses, by value, as they stand.
    keys.clear();
    for (std::size_t r = 0; r < byValue.size(); ++r)
        keys.push_back(Key(~static_cast<std::uint32_t>(byValue[r].uses.size()), r));
    SortKeys(keys);
    std::vector<ColourRow> rows;
    for (std::uint64_t k : keys)
        rows.push_back(std::move(byValue[static_cast<std::uint32_t>(k)]));
    return rows;
}

std::string ColourRowName(ColorValue c) {
    if (!IsSystemColor(c)) return ColourName(c);
    const char* name = SystemColourName(c);
    return name ? name : "&H" + HexText(c) + "&";
}

std::wstring UseText(const ColourUse& use) {
    if (!use.InCode()) {
        std::wstring t = use.component + L'.';
        if (use.control != use.component) t += use.control + L'.';
        return t + use.property;
    }
    const std::size_t code = use.text.find_first_not_of(L" \t");
    std::string number;
    AppendDecimal(number, static_cast<unsigned>(use.line));
    std::wstring t = use.component + L" (";
    t.append(number.begin(), number.end());
    t += L"): ";
    if (code != std::wstring::npos) t.append(use.text, code, std::wstring::npos);
    return t;
}

ReplacePlan PlanReplace(const std::vector<ColourUse>& uses, const std::vector<std::size_t>& chosen,
                        ColorValue to) {
    ReplacePlan plan;
    // The uses as read: a component's together, its lines in order, a line's uses left to
    // right. In that order the uses of one line come together; they are rewritten from the
    // right, so that the places read stay true.
    std::vector<std::uint64_t> keys;
    for (std::size_t i : chosen)
        if (i < uses.size() && uses[i].value != to) keys.push_back(i);
    SortKeys(keys);
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    const std::vector<std::size_t> picked(keys.begin(), keys.end());
    const auto sameLine = [&](std::size_t a, std::size_t b) {
        return uses[a].InCode() && uses[b].InCode() && uses[a].line == uses[b].line &&
               uses[a].component == uses[b].component;
    };
    for (std::size_t k = 0; k < picked.size();) {
        const ColourUse& u = uses[picked[k]];
        ColourEdit e;
        e.oldValue = u.value;
        e.newValue = to;
        if (!u.InCode()) {
            e.uses = {picked[k++]};
            plan.edits.push_back(std::move(e));
            continue;
        }
        std::size_t end = k;
        while (end < picked.size() && sameLine(picked[end], picked[k]))
            ++end;
        e.before = e.after = u.text;
        for (std::size_t j = end; j-- > k;) {
            e.uses.push_back(picked[j]);
            e.after = ReplaceCodeColour(std::wstring_view(e.after), uses[picked[j]].at, to);
        }
        k = end;
        if (e.after.size() > kMaxCodeLine)
            plan.refused.insert(plan.refused.end(), e.uses.begin(), e.uses.end());
        else
            plan.edits.push_back(std::move(e));
    }
    return plan;
}

bool StillAsReplaced(const ColourEdit& edit, const ColourUse& use, std::wstring_view lineNow,
                     ColorValue valueNow) {
    return use.InCode() ? lineNow == edit.after : valueNow == edit.newValue;
}

std::vector<ContrastFailure> FailingContrast(const std::vector<TextColours>& pairs,
                                             ColorValue (*resolve)(ColorValue)) {
    std::vector<ContrastFailure> failing;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const double r = ContrastRatio(resolve(pairs[i].fore), resolve(pairs[i].back));
        // A failing ratio never shows as the threshold it misses.
        if (r < 4.5) failing.push_back({i, std::min(ContrastHundredths(r), 449)});
    }
    return failing;
}

} // namespace hv
