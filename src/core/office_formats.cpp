#include "office_formats.h"
#include "office_palette.h"

namespace hv {

namespace {

TintRule RuleOf(OfficeHost host) {
    return host == OfficeHost::Excel ? TintRule::Excel : TintRule::Drawing;
}

std::string Marked(const std::string& what, int difference) {
    return what + (difference == 0 ? " (exact)" : " (nearest, differs by " + std::to_string(difference) + ")");
}

// Code for an approximate colour says so in a comment.
std::string Noted(std::string code, int difference) {
    if (difference) code += " ' nearest, differs by " + std::to_string(difference);
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
        code = ".Color = &H" + HexText(static_cast<std::int32_t>(w));
    } else if (host == OfficeHost::Access) {
        m.tint = static_cast<double>(static_cast<int>(m.tint * 100 + (m.tint < 0 ? -0.5 : 0.5))) / 100;
        const int percent = static_cast<int>((1 - (m.tint < 0 ? -m.tint : m.tint)) * 100 + 0.5);
        code = ".BackThemeColorIndex = " + std::to_string(ThemeConstantFor(ThemeFamily::Access, m.slot).value);
        if (m.tint != 0) code += std::string(m.tint < 0 ? ": .BackShade = " : ": .BackTint = ") + std::to_string(percent);
    } else {
        const bool excel = host == OfficeHost::Excel;
        code = std::string(excel ? ".ThemeColor = " : ".ObjectThemeColor = ") +
               ThemeConstantFor(excel ? ThemeFamily::Excel : ThemeFamily::Office, m.slot).name;
        if (m.tint != 0) code += std::string(excel ? ": .TintAndShade = " : ": .Brightness = ") + ShortDecimalText(m.tint);
    }
    m.colour = ApplyTintAndShade(OfficeTheme2013()[m.slot], m.tint, RuleOf(host));
    m.difference = ChannelDifference(m.colour, c);
    return {Marked("Theme color: " + ThemeMatchText(m), m.difference), Noted(code, m.difference)};
}

} // namespace

std::vector<OfficeFormat> OfficeFormats(OfficeHost host, ColorValue c) {
    std::vector<OfficeFormat> out;
    if (host == OfficeHost::None || IsSystemColor(c)) return out;
    out.push_back(ThemeFormat(host, c));
    if (host == OfficeHost::Excel) {
        const IndexMatch m = NearestExcelColorIndex(c);
        out.push_back({Marked("Color index " + std::to_string(m.index), m.difference),
                       Noted(".ColorIndex = " + std::to_string(m.index), m.difference)});
    } else if (host == OfficeHost::Word) {
        const IndexMatch m = NearestWordColorIndex(c);
        const std::string name = WordColorIndexName(m.index);
        out.push_back({Marked("Color index " + name, m.difference), Noted(".ColorIndex = " + name, m.difference)});
    } else if (host == OfficeHost::Access) {
        static const char kHex[] = "0123456789ABCDEF";
        std::string hash = "#";
        for (int v : {RedOf(c), GreenOf(c), BlueOf(c)}) {
            hash += kHex[v >> 4];
            hash += kHex[v & 15];
        }
        out.push_back({hash, "\"" + hash + "\""});
    }
    return out;
}

std::string ThemeColourHint(OfficeHost host, ColorValue c) {
    if (host == OfficeHost::None || IsSystemColor(c)) return {};
    const auto m = ExactThemeStep(OfficeTheme2013(), c, RuleOf(host));
    return m ? "Theme color: " + ThemeMatchText(*m) : std::string();
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
