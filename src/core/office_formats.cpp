#include "office_formats.h"
#include "office_palette.h"

namespace hv {

namespace {

TintRule RuleOf(OfficeHost host) {
    return host == OfficeHost::Excel ? TintRule::Excel : TintRule::Drawing;
}

// The strings are built by appending: each temporary of a '+' costs the DLL code.
std::string Marked(std::string what, int difference) {
    if (difference == 0) return what += " (exact)";
    what += " (nearest, differs by ";
    what += std::to_string(difference);
    return what += ')';
}

// Code for an approximate colour says so in a comment.
std::string Noted(std::string code, int difference) {
    if (difference) {
        code += " ' nearest, differs by ";
        code += std::to_string(difference);
    }
    return code;
}

OfficeFormat ThemeFormat(OfficeHost host, ColorValue c) {
    ThemeMatch m = NearestThemeColour(OfficeTheme2013(), c, RuleOf(host));
    std::string code;
    if (host == OfficeHost::Word) {
        // Word's theme Long holds the tint in a byte.
        const int index = ThemeConstantFor(ThemeFamily::Word, m.slot).value;
        const std::uint32_t w = EncodeWordThemeLong(index, m.tint);
        m.tint = DecodeWordThemeLong(w)->TintAndShade();
        code = ".Color = &H";
        code += HexText(static_cast<std::int32_t>(w));
    } else if (host == OfficeHost::Access) {
        m.tint = static_cast<double>(static_cast<int>(m.tint * 100 + (m.tint < 0 ? -0.5 : 0.5))) / 100;
        const int percent = static_cast<int>((1 - (m.tint < 0 ? -m.tint : m.tint)) * 100 + 0.5);
        code = ".BackThemeColorIndex = ";
        code += std::to_string(ThemeConstantFor(ThemeFamily::Access, m.slot).value);
        if (m.tint != 0) {
            code += m.tint < 0 ? ": .BackShade = " : ": .BackTint = ";
            code += std::to_string(percent);
        }
    } else {
        const bool excel = host == OfficeHost::Excel;
        code = excel ? ".ThemeColor = " : ".ObjectThemeColor = ";
        code += ThemeConstantFor(excel ? ThemeFamily::Excel : ThemeFamily::Office, m.slot).name;
        if (m.tint != 0) {
            code += excel ? ": .TintAndShade = " : ": .Brightness = ";
            code += ShortDecimalText(m.tint);
        }
    }
    m.colour = ApplyTintAndShade(OfficeTheme2013()[m.slot], m.tint, RuleOf(host));
    m.difference = ChannelDifference(m.colour, c);
    std::string what = "Theme color: ";
    what += ThemeMatchText(m);
    return {Marked(std::move(what), m.difference), Noted(std::move(code), m.difference)};
}

OfficeFormat IndexFormat(const std::string& index, int difference) {
    std::string what = "Color index ", code = ".ColorIndex = ";
    what += index;
    code += index;
    return {Marked(std::move(what), difference), Noted(std::move(code), difference)};
}

} // namespace

std::vector<OfficeFormat> OfficeFormats(OfficeHost host, ColorValue c) {
    std::vector<OfficeFormat> out;
    if (host == OfficeHost::None || IsSystemColor(c)) return out;
    out.push_back(ThemeFormat(host, c));
    if (host == OfficeHost::Excel) {
        const IndexMatch m = NearestExcelColorIndex(c);
        out.push_back(IndexFormat(std::to_string(m.index), m.difference));
    } else if (host == OfficeHost::Word) {
        const IndexMatch m = NearestWordColorIndex(c);
        out.push_back(IndexFormat(WordColorIndexName(m.index), m.difference));
    } else if (host == OfficeHost::Access) {
        static const char kHex[] = "0123456789ABCDEF";
        std::string hash = "#";
        for (int v : {RedOf(c), GreenOf(c), BlueOf(c)}) {
            hash += kHex[v >> 4];
            hash += kHex[v & 15];
        }
        std::string quoted = "\"";
        quoted += hash;
        out.push_back({std::move(hash), quoted += '"'});
    }
    return out;
}

std::string ThemeColourHint(OfficeHost host, ColorValue c) {
    if (host == OfficeHost::None || IsSystemColor(c)) return {};
    const auto m = ExactThemeStep(OfficeTheme2013(), c, RuleOf(host));
    if (!m) return {};
    std::string text = "Theme color: ";
    return text += ThemeMatchText(*m);
}

OfficeHost OfficeHostNamed(std::string_view name) {
    const struct {
        const char* name;
        OfficeHost host;
    } kNames[] = {{"Microsoft Excel", OfficeHost::Excel},
                  {"Microsoft Word", OfficeHost::Word},
                  {"Microsoft PowerPoint", OfficeHost::PowerPoint},
                  {"Microsoft Access", OfficeHost::Access}};
    for (const auto& n : kNames)
        if (name == n.name) return n.host;
    return OfficeHost::None;
}

} // namespace hv
