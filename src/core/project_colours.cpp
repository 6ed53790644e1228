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
} // namespace

std::vector<ColourRow> GroupByColour(const std::vector<ColourUse>& uses) {
    std::vector<ColourRow> rows;
    std::vector<std::size_t> order(uses.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return Order(uses[a].value) < Order(uses[b].value); });
    for (std::size_t i : order) {
        if (rows.empty() || rows.back().value != uses[i].value) rows.push_back({uses[i].value, {}});
        rows.back().uses.push_back(i);
    }
    std::stable_sort(rows.begin(), rows.end(), [](const ColourRow& a, const ColourRow& b) {
        return a.uses.size() > b.uses.size();
    });
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
    return use.component + L" (" + std::to_wstring(use.line) + L"): " + use.text;
}

ReplacePlan PlanReplace(const std::vector<ColourUse>& uses, const std::vector<std::size_t>& chosen,
                        ColorValue to) {
    ReplacePlan plan;
    std::vector<std::size_t> picked;
    for (std::size_t i : chosen)
        if (i < uses.size() && uses[i].value != to) picked.push_back(i);
    // The uses of one line go together, rewritten from the right so that the places read
    // stay true.
    std::stable_sort(picked.begin(), picked.end(), [&](std::size_t a, std::size_t b) {
        const ColourUse &x = uses[a], &y = uses[b];
        if (x.component != y.component) return x.component < y.component;
        if (x.line != y.line) return x.line < y.line;
        return x.at.start > y.at.start;
    });
    picked.erase(std::unique(picked.begin(), picked.end()), picked.end());
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
        e.before = e.after = u.text;
        for (; k < picked.size() && uses[picked[k]].InCode() &&
               uses[picked[k]].component == u.component && uses[picked[k]].line == u.line;
             ++k) {
            e.uses.push_back(picked[k]);
            e.after = ReplaceCodeColour(std::wstring_view(e.after), uses[picked[k]].at, to);
        }
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
        if (r < 4.5) failing.push_back({i, ContrastHundredths(r)});
    }
    return failing;
}

} // namespace hv
