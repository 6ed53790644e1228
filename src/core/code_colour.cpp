#include "code_colour.h"
#include "hsl_hsv.h"
#include "office_palette.h"
#include <cstdint>

namespace hv {

namespace {

struct Named {
    const char* name;
    ColorValue value;
};

const Named kConstants[] = {
    {"vbBlack", 0x000000}, {"vbRed", 0x0000FF},     {"vbGreen", 0x00FF00}, {"vbYellow", 0x00FFFF},
    {"vbBlue", 0xFF0000},  {"vbMagenta", 0xFF00FF}, {"vbCyan", 0xFFFF00},  {"vbWhite", 0xFFFFFF},
};

// VB's SystemColorConstants, index = the system colour index.
const Named kSystemConstants[] = {
    {"vbScrollBars", SystemColor(0)},
    {"vbDesktop", SystemColor(1)},
    {"vbActiveTitleBar", SystemColor(2)},
    {"vbInactiveTitleBar", SystemColor(3)},
    {"vbMenuBar", SystemColor(4)},
    {"vbWindowBackground", SystemColor(5)},
    {"vbWindowFrame", SystemColor(6)},
    {"vbMenuText", SystemColor(7)},
    {"vbWindowText", SystemColor(8)},
    {"vbTitleBarText", SystemColor(9)},
    {"vbActiveBorder", SystemColor(10)},
    {"vbInactiveBorder", SystemColor(11)},
    {"vbApplicationWorkspace", SystemColor(12)},
    {"vbHighlight", SystemColor(13)},
    {"vbHighlightText", SystemColor(14)},
    {"vbButtonFace", SystemColor(15)},
    {"vb3DFace", SystemColor(15)},
    {"vbButtonShadow", SystemColor(16)},
    {"vb3DShadow", SystemColor(16)},
    {"vbGrayText", SystemColor(17)},
    {"vbButtonText", SystemColor(18)},
    {"vbInactiveCaptionText", SystemColor(19)},
    {"vb3DHighlight", SystemColor(20)},
    {"vb3DDKShadow", SystemColor(21)},
    {"vb3DLight", SystemColor(22)},
    {"vbInfoText", SystemColor(23)},
    {"vbInfoBackground", SystemColor(24)},
};
constexpr int kLastSystemIndex = 24;

const ColorValue kQBColors[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

constexpr ColorValue kWhite = 0xFFFFFF;

bool IsSystemValue(std::uint32_t v) {
    return v >= 0x80000000u && v <= 0x80000000u + kLastSystemIndex;
}

char32_t Lower(char32_t c) {
    return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
}

// Characters beyond ASCII are taken as letters: VB allows them in names (code pages, DBCS).
bool IsNameStart(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c >= 0x80;
}
bool IsNameChar(char32_t c) {
    return IsNameStart(c) || (c >= '0' && c <= '9');
}
bool IsDigit(char32_t c) {
    return c >= '0' && c <= '9';
}
int HexDigit(char32_t c) {
    if (IsDigit(c)) return static_cast<int>(c - '0');
    c = Lower(c);
    if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a' + 10);
    return -1;
}
bool IsBlank(char32_t c) {
    return c == ' ' || c == '\t';
}
// VB's type characters; glued to a literal or a name they make it another type or another name.
bool IsTypeChar(char32_t c) {
    return c == '%' || c == '&' || c == '!' || c == '#' || c == '@' || c == '^' || c == '$';
}

// One line as a sequence of characters, whatever its character type.
template <typename Ch> class Line {
  public:
    explicit Line(std::basic_string_view<Ch> s) : s_(s) {}
    std::size_t size() const { return s_.size(); }
    // Past the end reads as 0, which matches nothing.
    char32_t operator[](std::size_t i) const {
        if (i >= s_.size()) return 0;
        if constexpr (sizeof(Ch) == 1)
            return static_cast<unsigned char>(s_[i]);
        else
            return static_cast<char32_t>(s_[i]);
    }
    bool NameIs(std::size_t from, std::size_t to, const char* name) const {
        std::size_t i = from;
        for (; *name; ++name, ++i)
            if (i >= to || Lower((*this)[i]) != Lower(static_cast<unsigned char>(*name))) return false;
        return i == to;
    }
    std::size_t SkipBlanks(std::size_t i) const {
        while (IsBlank((*this)[i])) ++i;
        return i;
    }

  private:
    std::basic_string_view<Ch> s_;
};

// A number that fits the caller's limit; its value and where it ends.
struct Number {
    std::uint32_t value = 0;
    std::size_t end = 0;
    bool hex = false, longSuffix = false;
};

// &H and hex digits (at most eight after leading zeros), with an optional & suffix; not followed by a name
// character. Starts at the '&'.
template <typename Ch> std::optional<Number> ReadHex(const Line<Ch>& s, std::size_t i) {
    if (s[i] != '&' || Lower(s[i + 1]) != 'h') return std::nullopt;
    std::size_t j = i + 2;
    std::uint32_t v = 0;
    int digits = 0, significant = 0; // leading zeros do not count towards the eight
    for (int d; (d = HexDigit(s[j])) >= 0; ++j, ++digits) {
        if (significant == 0 && d == 0) continue;
        if (++significant <= 8) v = v * 16 + static_cast<std::uint32_t>(d);
    }
    if (digits == 0 || significant > 8) return std::nullopt;
    Number n{v, j, true, false};
    if (s[j] == '&') {
        n.longSuffix = true;
        ++n.end;
    }
    // &HFF% is an Integer, &HFF# a Double, ...: another literal, whose text is no colour's.
    if (IsNameChar(s[n.end]) || IsTypeChar(s[n.end])) return std::nullopt;
    return n;
}

// Decimal digits (no fraction, no exponent), with an optional & suffix.
template <typename Ch> std::optional<Number> ReadDecimal(const Line<Ch>& s, std::size_t i) {
    std::size_t j = i;
    std::uint64_t v = 0;
    for (; IsDigit(s[j]); ++j)
        if (v <= 0xFFFFFFFFu) v = v * 10 + (s[j] - '0');
    if (j == i || v > 0xFFFFFFFFu) return std::nullopt;
    Number n{static_cast<std::uint32_t>(v), j, false, false};
    if (s[j] == '&') {
        n.longSuffix = true;
        ++n.end;
    }
    if (IsNameChar(s[n.end]) || s[n.end] == '.') return std::nullopt;
    return n;
}

// A hex literal's value as VB reads it: without the & suffix, up to four digits are an
// Integer, so &H8000 to &HFFFF are negative numbers, not colours.
std::optional<ColorValue> HexColour(const Number& n) {
    if (!n.longSuffix && n.value >= 0x8000 && n.value <= 0xFFFF) return std::nullopt;
    if (n.value <= static_cast<std::uint32_t>(kWhite) || IsSystemValue(n.value))
        return static_cast<ColorValue>(n.value);
    return std::nullopt;
}

template <typename Ch> std::optional<Number> ReadInteger(const Line<Ch>& s, std::size_t i) {
    return s[i] == '&' ? ReadHex(s, i) : ReadDecimal(s, i);
}

// "(" a, b, c ")" with `count` integer literals from 0 to `max`, blanks anywhere between;
// each above `clamp` reads as `clamp`.
template <typename Ch>
std::optional<std::size_t> ReadArguments(const Line<Ch>& s, std::size_t i, int count, int max,
                                         int* out, int clamp = 0x7FFF) {
    i = s.SkipBlanks(i);
    if (s[i] != '(') return std::nullopt;
    ++i;
    for (int a = 0; a < count; ++a) {
        if (a > 0) {
            if (s[i] != ',') return std::nullopt;
            ++i;
        }
        i = s.SkipBlanks(i);
        const auto n = ReadInteger(s, i);
        if (!n) return std::nullopt;
        const auto v = n->hex ? HexColour(*n) : std::optional<ColorValue>(n->value);
        if (!v || *v < 0 || *v > max) return std::nullopt;
        out[a] = *v > clamp ? clamp : *v;
        i = s.SkipBlanks(n->end);
    }
    if (s[i] != ')') return std::nullopt;
    return i + 1;
}

// After a name ending in "Color": = or := and a decimal colour that is the whole value.
template <typename Ch>
std::optional<CodeColour> ReadAssignedDecimal(const Line<Ch>& s, std::size_t i) {
    i = s.SkipBlanks(i);
    if (s[i] == ':' && s[i + 1] == '=')
        i += 2;
    else if (s[i] == '=')
        i += 1;
    else
        return std::nullopt;
    i = s.SkipBlanks(i);
    const auto n = ReadDecimal(s, i);
    if (!n || n->value > static_cast<std::uint32_t>(kWhite)) return std::nullopt;
    const char32_t after = s[s.SkipBlanks(n->end)];
    if (after != 0 && after != '\'' && after != ':' && after != ',' && after != ')')
        return std::nullopt;
    return CodeColour{i, n->end, CodeColourForm::Decimal, static_cast<ColorValue>(n->value)};
}

// A named expression starting at the name [from, to): constant, RGB or QBColor call, or a
// decimal assigned to a ...Color member. `qualified` names follow a '.' (members of something
// else), which only the ...Color assignment accepts. A name with a type character is another
// name (vbRed$ would not take a hex literal's place).
template <typename Ch>
std::optional<CodeColour> ReadNamed(const Line<Ch>& s, std::size_t from, std::size_t to,
                                    bool qualified) {
    if (!qualified && !IsTypeChar(s[to]) && s[to] != '.') {
        for (const Named& c : kConstants)
            if (s.NameIs(from, to, c.name)) return CodeColour{from, to, CodeColourForm::Constant, c.value};
        for (const Named& c : kSystemConstants)
            if (s.NameIs(from, to, c.name))
                return CodeColour{from, to, CodeColourForm::SystemConstant, c.value};
        if ((s[from] == 'w' || s[from] == 'W') && to - from > 7) {
            char name[32] = {};
            for (std::size_t k = from; k < to && k - from < sizeof name - 1; ++k)
                name[k - from] = static_cast<char>(s[k] < 0x80 ? s[k] : '?');
            if (const auto v = WdColorConstant(name)) return CodeColour{from, to, CodeColourForm::WdConstant, *v};
        }
        int args[3];
        // A call glued to what follows (RGB(1, 2, 3)&"x") would glue to a literal put there.
        const auto free = [&](std::optional<std::size_t> end) {
            return end && !IsNameChar(s[*end]) && !IsTypeChar(s[*end]) && s[*end] != '.' ? end : std::nullopt;
        };
        if (s.NameIs(from, to, "RGB")) {
            // VB's RGB takes Integers and uses 255 for anything above.
            if (auto end = free(ReadArguments(s, to, 3, 0x7FFF, args, 255)))
                return CodeColour{from, *end, CodeColourForm::RgbCall,
                                  RGBColor(args[0], args[1], args[2])};
            return std::nullopt;
        }
        if (s.NameIs(from, to, "QBColor")) {
            if (auto end = free(ReadArguments(s, to, 1, 15, args)))
                return CodeColour{from, *end, CodeColourForm::QBColorCall, kQBColors[args[0]]};
            return std::nullopt;
        }
    }
    if (to - from >= 5 && s.NameIs(to - 5, to, "Color")) return ReadAssignedDecimal(s, to);
    return std::nullopt;
}

// The line as bytes for Office's members (ASCII names): a wide line is narrowed once, at its
// first member, every character beyond ASCII one '?'.
inline std::string_view Narrow(std::string_view text, std::string&) {
    return text;
}
inline std::string_view Narrow(std::wstring_view text, std::string& narrow) {
    if (narrow.empty())
        for (wchar_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
    return narrow;
}

// Past the parenthesised group that starts at `i` ("(" with blanks before it): at its ")",
// the comment that cuts it short, or the line's end. Strings inside are passed over.
template <typename Ch> std::size_t SkipGroup(const Line<Ch>& s, std::size_t i) {
    i = s.SkipBlanks(i);
    if (s[i] != '(') return i;
    for (int depth = 0; i < s.size(); ++i) {
        const char32_t c = s[i];
        if (c == '\'') return i;
        if (c == '"') {
            for (++i; i < s.size() && !(s[i] == '"' && s[i + 1] != '"'); ++i)
                if (s[i] == '"') ++i;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')' && --depth == 0) {
            return i + 1;
        }
    }
    return s.size();
}

template <typename Ch> std::vector<CodeColour> Find(std::basic_string_view<Ch> text) {
    const Line<Ch> s(text);
    std::string narrow;
    std::vector<CodeColour> found;
    char32_t previous = 0; // the last character before the current token, blanks skipped
    std::size_t i = 0;
    while (i < s.size()) {
        const char32_t c = s[i];
        if (IsBlank(c)) {
            ++i;
            continue;
        }
        if (c == '\'') break;
        if (c == '"') {
            // A string runs to its closing quote; "" inside is one quote.
            for (++i; i < s.size(); ++i) {
                if (s[i] != '"') continue;
                if (s[i + 1] != '"') break;
                ++i;
            }
            ++i;
        } else if (IsNameStart(c)) {
            std::size_t end = i;
            while (IsNameChar(s[end])) ++end;
            // After '!' a name is a field (rs!vbRed), in [] any name at all: never a colour.
            const bool field = previous == '!' || previous == '[';
            // Rem can't be a name of the program's own: unless qualified it starts a comment
            // wherever it stands (after Then, Else, a colon, a line number or a label).
            if (!field && previous != '.' && s.NameIs(i, end, "Rem")) break;
            if (previous == '.' && i > 0 && s[i - 1] == '.') {
                if (auto o = ReadOfficeMember(Narrow(text, narrow), i, end)) {
                    const std::size_t valueEnd = o->end;
                    found.push_back(CodeColour{o->start, o->end, CodeColourForm::Office, o->value, std::move(o)});
                    i = valueEnd;
                    previous = s[i - 1];
                    continue;
                }
            }
            if (auto e = field ? std::nullopt : ReadNamed(s, i, end, previous == '.')) {
                found.push_back(*e);
                end = e->end;
            } else if (!field && previous != '.' && !IsTypeChar(s[end]) &&
                       (s.NameIs(i, end, "RGB") || s.NameIs(i, end, "QBColor"))) {
                // The arguments of a call we cannot read are components, never colours.
                end = SkipGroup(s, end);
            }
            i = end;
        } else if (c == '&' && Lower(s[i + 1]) == 'h') {
            // Right after a name, '&' is the name's type character (a&), not a literal.
            const auto n = i > 0 && IsNameChar(s[i - 1]) ? std::nullopt : ReadHex(s, i);
            const auto v = n ? HexColour(*n) : std::nullopt;
            if (v) {
                const bool system = IsSystemValue(n->value);
                found.push_back(CodeColour{i, n->end,
                                           system ? CodeColourForm::SystemHex : CodeColourForm::HexLiteral, *v});
            }
            // The literal's digits, and a name glued to it, are never the start of anything else.
            for (i += 2; IsNameChar(s[i]) || s[i] == '&'; ++i) {}
        } else if (IsDigit(c)) {
            while (IsNameChar(s[i]) || s[i] == '.') ++i;
        } else {
            ++i;
        }
        previous = s[i - 1];
    }
    return found;
}

} // namespace

std::vector<CodeColour> FindCodeColours(std::wstring_view line) {
    return Find(line);
}

std::vector<CodeColour> FindCodeColours(std::string_view line) {
    return Find(line);
}

std::size_t CaretAfterColour(std::wstring_view sent, std::size_t colourStart, std::wstring_view shown) {
    const auto before = Find(sent), after = Find(shown);
    if (before.size() == after.size())
        for (std::size_t k = 0; k < before.size(); ++k)
            if (before[k].start == colourStart) return after[k].end;
    return shown.size();
}

std::optional<CodeColour> ColourForCaret(const std::vector<CodeColour>& found, std::size_t caret) {
    for (const CodeColour& c : found)
        if (c.start <= caret && caret <= c.end) return c;
    if (found.size() == 1) return found.front();
    return std::nullopt;
}

const char* SystemColourName(ColorValue c) {
    for (const Named& n : kSystemConstants)
        if (n.value == c) return n.name;
    return nullptr;
}

ColorValue QBColorValue(int index) {
    return kQBColors[index & 15];
}

std::string ReplacementText(const CodeColour& found, ColorValue current) {
    if (!IsSystemColor(current)) {
        switch (found.form) {
        case CodeColourForm::RgbCall:
            return "RGB(" + RedText(current) + ", " + GreenText(current) + ", " + BlueText(current) + ")";
        case CodeColourForm::Constant:
            for (const Named& c : kConstants)
                if (c.value == current) return c.name;
            break;
        case CodeColourForm::QBColorCall:
            for (int n = 0; n < 16; ++n)
                if (kQBColors[n] == current) return "QBColor(" + std::to_string(n) + ")";
            break;
        case CodeColourForm::Decimal:
            return std::to_string(current);
        case CodeColourForm::WdConstant:
            if (const char* name = WdColorName(current)) return name;
            break;
        default:
            break;
        }
    }
    return ColorCodeText(current);
}

std::optional<ColorValue> ParseTypedColour(std::string_view text) {
    const Line<char> all(text);
    std::size_t from = all.SkipBlanks(0), to = text.size();
    while (to > from && IsBlank(all[to - 1])) --to;
    text = text.substr(from, to - from);
    const Line<char> s(text);
    if (text.empty()) return std::nullopt;
    if (const auto c = ParseHslHsv(text)) return c;
    if (s[0] == '#') {
        if (text.size() != 7) return std::nullopt;
        int v[6];
        for (int k = 0; k < 6; ++k)
            if ((v[k] = HexDigit(s[k + 1])) < 0) return std::nullopt;
        return RGBColor(v[0] * 16 + v[1], v[2] * 16 + v[3], v[4] * 16 + v[5]);
    }
    if (IsDigit(s[0])) {
        // A decimal colour, or three components "R, G, B" (read as an RGB call's arguments).
        if (const auto n = ReadDecimal(s, 0); n && n->end == text.size())
            return n->value <= static_cast<std::uint32_t>(kWhite) ? std::optional<ColorValue>(n->value)
                                                                  : std::nullopt;
        const std::string call = "(" + std::string(text) + ")";
        int args[3];
        const Line<char> c(call);
        if (auto end = ReadArguments(c, 0, 3, 255, args); end && *end == call.size())
            return RGBColor(args[0], args[1], args[2]);
        return std::nullopt;
    }
    const auto found = FindCodeColours(text);
    if (found.size() != 1 || found[0].start != 0 || found[0].end != text.size()) return std::nullopt;
    // Typed, a component above 255 is a slip to show, not one for VB's RGB to clamp.
    int args[3];
    if (found[0].form == CodeColourForm::RgbCall && !ReadArguments(s, text.find('('), 3, 255, args))
        return std::nullopt;
    return found[0].value;
}

} // namespace hv
