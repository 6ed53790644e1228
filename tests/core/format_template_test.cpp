#include "core/format_template.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <random>

using namespace hv;

namespace {
TemplateFault Fault(std::string_view t) {
    return CheckTemplate(t).fault;
}
} // namespace

TEST(FormatTemplate, ExpandsEveryPlaceholder) {
    const ColorValue c = RGBColor(255, 128, 10);
    EXPECT_EQ(ExpandTemplate("Color.FromArgb({R}, {G}, {B})", c), "Color.FromArgb(255, 128, 10)");
    EXPECT_EQ(ExpandTemplate("#{RR}{GG}{BB}", c), "#FF800A");
    EXPECT_EQ(ExpandTemplate("{CODE} = {LONG}", c), "&H00A80FF& = 688383");
    EXPECT_EQ(ExpandTemplate("{R}{R}{BB}", 0), "0000");
    EXPECT_EQ(ExpandTemplate("{CODE}", 0), "&H000&");
    EXPECT_EQ(ExpandTemplate("{LONG}", 0xFFFFFF), "16777215");
    EXPECT_EQ(ExpandTemplate("no placeholder at all", c), "no placeholder at all");
    // Doubled braces are braces of their own, also next to a placeholder.
    EXPECT_EQ(ExpandTemplate("new Color {{ R = {R} }}", c), "new Color { R = 255 }");
    EXPECT_EQ(ExpandTemplate("{{{R}}}", c), "{255}");
    EXPECT_EQ(CheckTemplate("Color.FromArgb({R}, {G}, {B})").fault, TemplateFault::None);
}

TEST(FormatTemplate, RefusesWhatItCannotExpandWithAMessage) {
    EXPECT_EQ(Fault(""), TemplateFault::Empty);
    EXPECT_EQ(Fault(std::string(kTemplateMaxLength, 'x')), TemplateFault::None);
    EXPECT_EQ(Fault(std::string(kTemplateMaxLength + 1, 'x')), TemplateFault::TooLong);
    EXPECT_EQ(Fault("a\tb"), TemplateFault::ControlCharacter);
    EXPECT_EQ(Fault("a\r\nb"), TemplateFault::ControlCharacter);
    EXPECT_EQ(Fault(std::string("a\0b", 3)), TemplateFault::ControlCharacter);
    for (const char* t : {"{R", "R}", "{R}}", "{{R}", "{R{G}}", "}{", "{", "}", "x{"})
        EXPECT_EQ(Fault(t), TemplateFault::Unbalanced) << t;
    // Names are exact: case, blanks and formats of other tools are refused by name.
    for (const char* t : {"{r}", "{ R}", "{}", "{RED}", "{0}", "{A}", "{R:X2}", "{RRR}"}) {
        const TemplateCheck check = CheckTemplate(std::string("x ") + t + " y");
        EXPECT_EQ(check.fault, TemplateFault::UnknownPlaceholder) << t;
        EXPECT_EQ(check.placeholder, t);
        EXPECT_EQ(TemplateFaultText(check).rfind(std::string(t) + " is no placeholder.", 0), 0u);
        EXPECT_EQ(ExpandTemplate(std::string("x ") + t, 255), "");
    }
    EXPECT_EQ(TemplateFaultText({}), "");
    for (TemplateFault f : {TemplateFault::Empty, TemplateFault::TooLong,
                            TemplateFault::ControlCharacter, TemplateFault::Unbalanced})
        EXPECT_FALSE(TemplateFaultText({f, {}}).empty());
}

TEST(FormatTemplate, DoubleByteCodePagesAreReadByCharacter) {
    // Shift-JIS (932): "\x83\x7B" is katakana BO, "\x83\x7D" MA; their second bytes are
    // the braces' bytes. In a single-byte code page the same bytes are text and braces.
    const std::string bo = "\x83\x7B", ma = "\x83\x7D";
    EXPECT_EQ(ExpandTemplate(bo + "{R}" + ma, RGBColor(7, 0, 0), 932), bo + "7" + ma);
    EXPECT_EQ(ExpandTemplate("{{" + ma + bo + "}}", 0, 932), "{" + ma + bo + "}");
    EXPECT_EQ(CheckTemplate("{" + bo + "}", 932).placeholder, "{" + bo + "}");
    EXPECT_EQ(Fault(bo + "{R}"), TemplateFault::Unbalanced);
    EXPECT_EQ(CheckTemplate(bo + "{R}", 1252).fault, TemplateFault::Unbalanced);
    // A lead byte in another double-byte code page, and 932's last lead byte.
    EXPECT_EQ(ExpandTemplate("\xA5}{G}", RGBColor(0, 9, 0), 936), "\xA5}9");
    EXPECT_EQ(ExpandTemplate("\xFC}{G}", RGBColor(0, 9, 0), 932), "\xFC}9");
    EXPECT_EQ(CheckTemplate("\xFD}{G}", 932).fault, TemplateFault::Unbalanced);
    // A lead byte at the end stands alone.
    EXPECT_EQ(ExpandTemplate("{B}\x83", RGBColor(0, 0, 1), 932), "1\x83");
}

TEST(FormatTemplate, LiteralMenuTextDoublesAmpersands) {
    EXPECT_EQ(LiteralMenuText("&H00FF&"), "&&H00FF&&");
    EXPECT_EQ(LiteralMenuText("RGB({R})"), "RGB({R})");
    EXPECT_EQ(LiteralMenuText(""), "");
}

// Random texts over the characters that matter: the check and the expansion agree, nothing
// of the template's own braces leaks into a result, and results stay bounded.
TEST(FormatTemplate, FuzzedTextsGetAnAnswerThatAgreesWithTheCheck) {
    std::mt19937 random(24);
    const std::string alphabet = "{}RGBCODELNx &\t";
    for (int round = 0; round < 20000; ++round) {
        std::string t;
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i)
            t += alphabet[random() % alphabet.size()];
        if (round % 7 == 0) t = "{" + std::string(round % 3 ? "RR" : "CODE") + "}" + t;
        const ColorValue c = static_cast<ColorValue>(random() & 0xFFFFFF);
        const TemplateCheck check = CheckTemplate(t);
        const std::string out = ExpandTemplate(t, c);
        if (check.fault != TemplateFault::None) {
            EXPECT_EQ(out, "") << t;
            EXPECT_FALSE(TemplateFaultText(check).empty());
            continue;
        }
        EXPECT_FALSE(t.empty());
        EXPECT_LE(out.size(), t.size() * 11 / 6 + 11) << t; // {CODE}: 6 characters to at most 11
        // The expansion holds a brace only where the template doubled it.
        std::size_t doubled = 0;
        for (std::size_t i = 0; i + 1 < t.size(); ++i)
            if ((t[i] == '{' || t[i] == '}') && t[i + 1] == t[i]) ++doubled, ++i;
        EXPECT_EQ(static_cast<std::size_t>(std::count_if(
                      out.begin(), out.end(), [](char ch) { return ch == '{' || ch == '}'; })),
                  doubled)
            << t;
    }
    EXPECT_EQ(Fault(std::string(1 << 20, '{')), TemplateFault::TooLong);
}
