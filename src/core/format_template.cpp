#include "format_template.h"

namespace hv {

namespace {

const char* const kNames[] = {"R", "G", "B", "RR", "GG", "BB", "CODE", "LONG"};

std::string Hex2(int v) {
    const char* digits = "0123456789ABCDEF";
    return {digits[v >> 4], digits[v & 15]};
}

std::string Placeholder(int which, ColorValue c) {
    const int parts[] = {RedOf(c), GreenOf(c), BlueOf(c)};
    if (which < 3) return std::to_string(parts[which]);
    if (which < 6) return Hex2(parts[which - 3]);
    return which == 6 ? ColorCodeText(c) : std::to_string(c);
}

bool IsLeadByte(unsigned codePage, unsigned char b) {
    switch (codePage) {
    case 932:
        return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    case 936:
    case 949:
    case 950:
        return b >= 0x81 && b <= 0xFE;
    case 1361:
        return (b >= 0x84 && b <= 0xD3) || (b >= 0xD8 && b <= 0xDE) || (b >= 0xE0 && b <= 0xF9);
    default:
        return false;
    }
}

// Where the placeholder's closing brace is, or npos; a character's second byte is no brace.
std::size_t NextBrace(std::string_view t, std::size_t i, unsigned codePage) {
    for (; i < t.size(); ++i) {
        if (t[i] == '{' || t[i] == '}') return i;
        if (IsLeadByte(codePage, static_cast<unsigned char>(t[i]))) ++i;
    }
    return std::string_view::npos;
}

// One pass for both the check and the expansion, so that they cannot disagree.
TemplateCheck Scan(std::string_view t, ColorValue c, std::string* out, unsigned codePage) {
    if (t.empty()) return {TemplateFault::Empty, {}};
    if (t.size() > kTemplateMaxLength) return {TemplateFault::TooLong, {}};
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char ch = t[i];
        if (IsLeadByte(codePage, static_cast<unsigned char>(ch)) && i + 1 < t.size()) {
            if (out) out->append(t.substr(i, 2));
            ++i;
            continue;
        }
        if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F)
            return {TemplateFault::ControlCharacter, {}};
        if ((ch == '{' || ch == '}') && i + 1 < t.size() && t[i + 1] == ch) {
            if (out) *out += ch;
            ++i;
            continue;
        }
        if (ch == '}') return {TemplateFault::Unbalanced, {}};
        if (ch != '{') {
            if (out) *out += ch;
            continue;
        }
        const std::size_t close = NextBrace(t, i + 1, codePage);
        if (close == std::string_view::npos || t[close] == '{')
            return {TemplateFault::Unbalanced, {}};
        const std::string_view name = t.substr(i + 1, close - i - 1);
        int which = 0;
        while (which < 8 && name != kNames[which])
            ++which;
        if (which == 8)
            return {TemplateFault::UnknownPlaceholder, std::string(t.substr(i, close - i + 1))};
        if (out) *out += Placeholder(which, c);
        i = close;
    }
    return {};
}

} // namespace

TemplateCheck CheckTemplate(std::string_view text, unsigned codePage) {
    return Scan(text, 0, nullptr, codePage);
}

std::string TemplateFaultText(const TemplateCheck& check) {
    switch (check.fault) {
    case TemplateFault::None:
        return {};
    case TemplateFault::Empty:
        return "A format needs some text.";
    case TemplateFault::TooLong:
        return "A format has at most " + std::to_string(kTemplateMaxLength) + " characters.";
    case TemplateFault::ControlCharacter:
        return "A format is one line, without tabs.";
    case TemplateFault::Unbalanced:
        return "Every { needs its }; write {{ or }} for a brace of its own.";
    case TemplateFault::UnknownPlaceholder:
        break;
    }
    return check.placeholder +
           " is no placeholder. Use {R} {G} {B}, {RR} {GG} {BB}, {CODE} or {LONG}.";
}

std::string ExpandTemplate(std::string_view text, ColorValue c, unsigned codePage) {
    std::string out;
    return Scan(text, c, &out, codePage).fault == TemplateFault::None ? out : std::string();
}

std::string LiteralMenuText(std::string_view text) {
    std::string out;
    for (char ch : text)
        out += ch == '&' ? "&&" : std::string(1, ch);
    return out;
}

} // namespace hv
