#include "office_code.h"
#include "office_palette.h"
#include <algorithm>
#include <cmath>

namespace hv {

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
bool Same(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}
bool EndsWith(std::string_view a, std::string_view tail) {
    return a.size() >= tail.size() && Same(a.substr(a.size() - tail.size()), tail);
}
bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
std::size_t SkipBlanks(std::string_view s, std::size_t i) {
    while (i < s.size() && IsBlank(s[i])) ++i;
    return i;
}
std::string_view Trim(std::string_view s) {
    std::size_t a = SkipBlanks(s, 0), b = s.size();
    while (b > a && IsBlank(s[b - 1])) --b;
    return s.substr(a, b - a);
}

// After the member: "=" or ":=" and blanks; where the value starts, or npos.
std::size_t ValueStart(std::string_view s, std::size_t i) {
    i = SkipBlanks(s, i);
    if (i + 1 < s.size() && s[i] == ':' && s[i + 1] == '=') return SkipBlanks(s, i + 2);
    if (i < s.size() && s[i] == '=') return SkipBlanks(s, i + 1);
    return std::string_view::npos;
}

// What may follow a whole value: the end, a comment, another statement.
bool ValueEnds(std::string_view s, std::size_t i) {
    i = SkipBlanks(s, i);
    return i >= s.size() || s[i] == '\'' || s[i] == ':';
}

struct Number {
    double value = 0;
    std::size_t end = 0;
    bool whole = true; // no fraction
};

// [-]digits[.digits], .digits, or &H hex (a Long's bits, as VB reads &HD400FFFF).
std::optional<Number> ReadNumber(std::string_view s, std::size_t i) {
    std::size_t j = i;
    if (j + 1 < s.size() && s[j] == '&' && Lower(s[j + 1]) == 'h') {
        std::uint64_t v = 0;
        std::size_t k = j + 2;
        for (; k < s.size(); ++k) {
            const char c = Lower(s[k]);
            const int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
            if (d < 0) break;
            v = v * 16 + static_cast<unsigned>(d);
            if (v > 0xFFFFFFFFu) return std::nullopt;
        }
        if (k == j + 2) return std::nullopt;
        if (k < s.size() && s[k] == '&') ++k;
        if (k < s.size() && IsNameChar(s[k])) return std::nullopt;
        return Number{static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v))), k, true};
    }
    if (j < s.size() && s[j] == '-') j = SkipBlanks(s, j + 1);
    const std::size_t digits = j;
    bool whole = true;
    while (j < s.size() && ((s[j] >= '0' && s[j] <= '9') || (s[j] == '.' && whole))) {
        if (s[j] == '.') whole = false;
        ++j;
    }
    if (j == digits || (j == digits + 1 && !whole)) return std::nullopt;
    if (j < s.size() && (s[j] == '#' || s[j] == '!' || s[j] == '&')) ++j; // type characters
    if (j < s.size() && IsNameChar(s[j])) return std::nullopt;
    // The digits by hand (the C runtime's strtod costs the DLL more than this whole reader).
    double v = 0, scale = 1;
    bool fraction = false;
    for (std::size_t k = digits; k < j; ++k) {
        if (s[k] == '.') {
            fraction = true;
        } else if (s[k] >= '0' && s[k] <= '9') {
            v = v * 10 + (s[k] - '0');
            if (fraction) scale *= 10;
        }
    }
    v /= scale;
    return Number{s[i] == '-' ? -v : v, j, whole};
}

std::size_t NameEnd(std::string_view s, std::size_t i) {
    while (i < s.size() && IsNameChar(s[i])) ++i;
    return i;
}

// The object a member at `dot` (the '.' before it) belongs to: the text of its statement
// before the '.', trimmed ("" in a With block).
std::string ObjectBefore(std::string_view s, std::size_t dot) {
    std::size_t from = s.rfind(':', dot);
    from = from == std::string_view::npos ? 0 : from + 1;
    return std::string(Trim(s.substr(from, dot - from)));
}

ThemeFamily FamilyOfMember(std::string_view member) {
    if (Same(member, "ThemeColor")) return ThemeFamily::Excel;
    if (Same(member, "ObjectThemeColor")) return ThemeFamily::Office;
    return ThemeFamily::Access;
}

TintRule RuleOf(ThemeFamily f) {
    return f == ThemeFamily::Excel ? TintRule::Excel : TintRule::Drawing;
}

ColorValue ThemeValue(const OfficeColour& c) {
    const OfficeTheme& t = OfficeTheme2013();
    return ApplyTintAndShade(t[c.slot], c.tint ? c.tint->tintAndShade : 0, RuleOf(c.family));
}

std::optional<OfficeColour> ReadTheme(std::string_view s, std::string_view member, std::size_t v) {
    OfficeColour c;
    c.family = FamilyOfMember(member);
    const std::size_t nameEnd = NameEnd(s, v);
    if (nameEnd > v && !(s[v] >= '0' && s[v] <= '9')) {
        const auto k = FindThemeConstant(s.substr(v, nameEnd - v));
        if (!k) return std::nullopt;
        c.family = k->family; // an mso or wd constant tells whose numbers these are
        c.slot = k->slot;
        c.end = nameEnd;
    } else {
        const auto n = ReadNumber(s, v);
        const auto slot = n && n->whole ? ThemeSlotOf(c.family, static_cast<int>(n->value)) : std::nullopt;
        if (!slot) return std::nullopt;
        c.slot = *slot;
        c.end = n->end;
    }
    if (!ValueEnds(s, c.end)) return std::nullopt;
    c.form = OfficeForm::ThemeColour;
    c.start = v;
    if (c.family == ThemeFamily::Excel)
        c.tintName = "TintAndShade";
    else if (c.family == ThemeFamily::Access)
        c.tintName = std::string(member.substr(0, member.size() - std::string_view("ThemeColorIndex").size()));
    else
        c.tintName = "Brightness";
    return c;
}

std::optional<OfficeColour> ReadIndex(std::string_view s, std::string_view member, std::size_t v) {
    OfficeColour c;
    c.form = OfficeForm::ColourIndex;
    c.start = v;
    c.wordIndex = Same(member, "HighlightColorIndex");
    std::optional<ColorValue> colour;
    const std::size_t nameEnd = NameEnd(s, v);
    if (nameEnd > v && !(s[v] >= '0' && s[v] <= '9')) {
        const auto n = FindWordColorIndex(s.substr(v, nameEnd - v));
        if (!n) return std::nullopt;
        c.wordIndex = true;
        colour = WordColorIndexColour(*n);
        c.end = nameEnd;
    } else {
        const auto n = ReadNumber(s, v);
        if (!n || !n->whole) return std::nullopt;
        const int index = static_cast<int>(n->value);
        colour = c.wordIndex ? WordColorIndexColour(index) : ExcelColorIndexColour(index);
        c.end = n->end;
    }
    if (!colour || !ValueEnds(s, c.end)) return std::nullopt; // xlColorIndexNone, wdAuto: no colour
    c.value = *colour;
    return c;
}

// "...Color = <Word theme Long>" or "...Color = "#RRGGBB"".
std::optional<OfficeColour> ReadColourValue(std::string_view s, std::size_t v) {
    OfficeColour c;
    c.start = v;
    if (v < s.size() && s[v] == '"') {
        if (v + 8 >= s.size() || s[v + 1] != '#' || s[v + 8] != '"') return std::nullopt;
        int rgb = 0;
        for (std::size_t k = v + 2; k < v + 8; ++k) {
            const char x = Lower(s[k]);
            const int d = x >= '0' && x <= '9' ? x - '0' : x >= 'a' && x <= 'f' ? x - 'a' + 10 : -1;
            if (d < 0) return std::nullopt;
            rgb = rgb * 16 + d;
        }
        c.form = OfficeForm::HashString;
        c.end = v + 9;
        c.value = RGBColor(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
        return ValueEnds(s, c.end) ? std::optional(c) : std::nullopt;
    }
    const auto n = ReadNumber(s, v);
    if (!n || !n->whole || n->value >= 0) return std::nullopt;
    const auto w = DecodeWordThemeLong(static_cast<std::uint32_t>(static_cast<std::int32_t>(n->value)));
    if (!w || !ValueEnds(s, n->end)) return std::nullopt;
    const auto slot = ThemeSlotOf(ThemeFamily::Word, w->themeIndex);
    if (!slot) return std::nullopt;
    c.form = OfficeForm::WordThemeLong;
    c.end = n->end;
    c.slot = *slot;
    c.family = ThemeFamily::Word;
    c.tint = OfficeTint{w->TintAndShade(), c.start, c.end};
    c.value = ThemeValue(c);
    return c;
}

std::string PercentText(double tintAndShade, bool shade) {
    return ShortDecimalText(std::round((1 - (shade ? -tintAndShade : tintAndShade)) * 100 * 100) / 100);
}

} // namespace

std::optional<OfficeColour> ReadOfficeMember(std::string_view s, std::size_t from, std::size_t to) {
    if (from == 0 || s[from - 1] != '.') return std::nullopt;
    const std::string_view member = s.substr(from, to - from);
    const std::size_t v = ValueStart(s, to);
    if (v == std::string_view::npos || v >= s.size()) return std::nullopt;
    std::optional<OfficeColour> c;
    if (Same(member, "ThemeColor") || Same(member, "ObjectThemeColor") || EndsWith(member, "ThemeColorIndex")) {
        c = ReadTheme(s, member, v);
        if (c) {
            c->object = ObjectBefore(s, from - 1);
            c->tint = FindOfficeTint(*c, s, c->end);
            c->value = ThemeValue(*c);
        }
    } else if (Same(member, "ColorIndex") || Same(member, "HighlightColorIndex")) {
        c = ReadIndex(s, member, v);
    } else if (EndsWith(member, "Color")) {
        c = ReadColourValue(s, v);
    }
    return c;
}

std::optional<OfficeTint> FindOfficeTint(const OfficeColour& c, std::string_view s, std::size_t from) {
    const bool access = c.family == ThemeFamily::Access;
    for (std::size_t dot = s.find('.', from); dot != std::string_view::npos; dot = s.find('.', dot + 1)) {
        if (s.find('\'', from) < dot) return std::nullopt; // a comment
        const std::size_t end = NameEnd(s, dot + 1);
        const std::string_view name = s.substr(dot + 1, end - dot - 1);
        OfficeTint t;
        if (access) {
            if (!Same(name, c.tintName + "Tint") && !Same(name, c.tintName + "Shade")) continue;
            t.percent = true;
            t.shade = EndsWith(name, "Shade");
        } else if (!Same(name, c.tintName) && !Same(name, "TintAndShade")) {
            continue;
        }
        if (!Same(ObjectBefore(s, dot), c.object)) continue;
        const std::size_t v = ValueStart(s, end);
        const auto n = v == std::string_view::npos ? std::nullopt : ReadNumber(s, v);
        if (!n || !ValueEnds(s, n->end)) continue;
        t.start = v;
        t.end = n->end;
        t.tintAndShade = n->value;
        if (t.percent) {
            // BackTint 60 lightens by 40 %, BackShade 75 darkens by 25 %; 100 is neither.
            const double p = std::clamp(n->value, 0.0, 100.0) / 100;
            t.tintAndShade = t.shade ? -(1 - p) : 1 - p;
        }
        return t;
    }
    return std::nullopt;
}

void SetTint(OfficeColour& c, const OfficeTint& t) {
    c.tint = t;
    c.value = ThemeValue(c);
}

bool EndsTintSearch(const OfficeColour& c, std::string_view line) {
    const std::string_view t = Trim(line);
    const auto starts = [&](std::string_view w) { return t.size() >= w.size() && Same(t.substr(0, w.size()), w); };
    if (starts("End ") || starts("Exit ") || starts("Sub ") || starts("Function ") || starts("With ")) return true;
    if (c.object.empty() ? !t.empty() && t[0] != '.' && t[0] != '\'' : !t.empty() && t[0] != '\'' && !starts(c.object))
        return true;
    // Another colour for the same object starts anew.
    for (std::size_t dot = line.find('.'); dot != std::string_view::npos; dot = line.find('.', dot + 1)) {
        const std::size_t end = NameEnd(line, dot + 1);
        const auto other = ReadOfficeMember(line, dot + 1, end);
        if (other && other->form == OfficeForm::ThemeColour && Same(other->object, c.object)) return true;
    }
    return false;
}

std::optional<OfficeRewrite> OfficeReplacement(const OfficeColour& c, ColorValue current, std::string* nearest) {
    if (IsSystemColor(current)) return std::nullopt;
    switch (c.form) {
    case OfficeForm::HashString: {
        static const char kHex[] = "0123456789ABCDEF";
        std::string s = "\"#";
        for (int v : {RedOf(current), GreenOf(current), BlueOf(current)}) {
            s += kHex[v >> 4];
            s += kHex[v & 15];
        }
        return OfficeRewrite{s + "\"", ""};
    }
    case OfficeForm::ColourIndex: {
        const IndexMatch m = c.wordIndex ? NearestWordColorIndex(current) : NearestExcelColorIndex(current);
        if (m.difference == 0) {
            const char* name = c.wordIndex ? WordColorIndexName(m.index) : nullptr;
            return OfficeRewrite{name ? name : std::to_string(m.index), ""};
        }
        if (nearest)
            *nearest = (c.wordIndex ? std::string(WordColorIndexName(m.index)) : "ColorIndex " + std::to_string(m.index)) +
                       ", which differs by " + std::to_string(m.difference);
        return std::nullopt;
    }
    case OfficeForm::ThemeColour:
    case OfficeForm::WordThemeLong: {
        const TintRule rule = RuleOf(c.family);
        ThemeMatch m = NearestThemeColour(OfficeTheme2013(), current, rule);
        // Word's bytes and Access's whole percents hold fewer tints than a Double.
        if (c.form == OfficeForm::WordThemeLong) {
            const std::uint32_t w = EncodeWordThemeLong(ThemeConstantFor(ThemeFamily::Word, m.slot).value, m.tint);
            m.tint = DecodeWordThemeLong(w)->TintAndShade();
        } else if (c.family == ThemeFamily::Access) {
            m.tint = std::round(m.tint * 100) / 100;
        }
        m.colour = ApplyTintAndShade(OfficeTheme2013()[m.slot], m.tint, rule);
        m.difference = ChannelDifference(m.colour, current);
        if (m.difference != 0) {
            if (nearest)
                *nearest = ThemeMatchText(m) + ", which differs by " + std::to_string(m.difference);
            return std::nullopt;
        }
        const ThemeConstant k = ThemeConstantFor(c.family, m.slot);
        if (c.form == OfficeForm::WordThemeLong)
            return OfficeRewrite{"&H" + HexText(static_cast<std::int32_t>(EncodeWordThemeLong(k.value, m.tint))), ""};
        OfficeRewrite r{*k.name ? k.name : std::to_string(k.value), ""};
        if (c.family != ThemeFamily::Access) {
            r.tint = ShortDecimalText(m.tint);
        } else if (m.tint != 0 && c.tint && c.tint->shade != (m.tint < 0)) {
            // BackShade cannot lighten, nor BackTint darken: that would be another member.
            if (nearest) *nearest = ThemeMatchText(m) + ", which needs " + c.tintName + (m.tint < 0 ? "Shade" : "Tint");
            return std::nullopt;
        } else {
            r.shade = c.tint ? c.tint->shade : m.tint < 0;
            r.tint = PercentText(m.tint, r.shade);
        }
        return r;
    }
    }
    return std::nullopt;
}

} // namespace hv
