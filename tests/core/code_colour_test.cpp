#include "core/code_colour.h"
#include <gtest/gtest.h>
#include <random>

using namespace hv;

namespace {

using Form = CodeColourForm;

// The found expressions as "text=value" pairs, the text cut from the line by position.
std::vector<std::string> Found(const std::string& line) {
    std::vector<std::string> out;
    for (const CodeColour& c : FindCodeColours(line))
        out.push_back(line.substr(c.start, c.end - c.start) + "=" + std::to_string(c.value));
    return out;
}

using V = std::vector<std::string>;

CodeColour Only(const std::string& line) {
    const auto found = FindCodeColours(line);
    EXPECT_EQ(found.size(), 1u) << line;
    return found.empty() ? CodeColour{} : found[0];
}

} // namespace

TEST(FindCodeColours, HexLiteralsInEveryCaseWithOrWithoutTheSuffix) {
    EXPECT_EQ(Found("x = &HFF&"), V{"&HFF&=255"});
    EXPECT_EQ(Found("x = &H00C0FFFF&"), V{"&H00C0FFFF&=12648447"});
    EXPECT_EQ(Found("x = &hff0000"), V{"&hff0000=16711680"});
    EXPECT_EQ(Found("x = &H0&"), V{"&H0&=0"});
    EXPECT_EQ(Found("x = &HfF&"), V{"&HfF&=255"});
    EXPECT_EQ(Only("Me.BackColor = &HFF&").form, Form::HexLiteral);
    // Not colours: no digits, nine digits, beyond white, a name glued on, an Integer that VB
    // reads as negative (&HFFFF is -1), a name's type character.
    EXPECT_EQ(Found("x = &H"), V{});
    EXPECT_EQ(Found("x = &H123456789&"), V{});
    EXPECT_EQ(Found("x = &H0000000001&"), V{"&H0000000001&=1"});
    EXPECT_EQ(Found("x = &H1000000&"), V{});
    EXPECT_EQ(Found("x = &HFFFFFFFF"), V{});
    EXPECT_EQ(Found("x = &HFFG"), V{});
    EXPECT_EQ(Found("x = &HFFFF"), V{});
    EXPECT_EQ(Found("x = a&H10"), V{});
    EXPECT_EQ(Found("x = &HFFFF&"), V{"&HFFFF&=65535"});
    EXPECT_EQ(Found("x = &O17"), V{});
}

TEST(FindCodeColours, RgbCallsWithThreeLiteralsOnly) {
    EXPECT_EQ(Found("Me.BackColor = RGB(10, 20, 30)"), V{"RGB(10, 20, 30)=1971210"});
    EXPECT_EQ(Found("c = rgb (  0,0 ,\t255 ) + 1"), V{"rgb (  0,0 ,\t255 )=16711680"});
    EXPECT_EQ(Found("c = RGB(&HFF, 0, 0)"), V{"RGB(&HFF, 0, 0)=255"});
    EXPECT_EQ(Only("c = Rgb(1, 2, 3)").form, Form::RgbCall);
    // VB uses 255 for a component above it; an Integer can't be above 32767.
    EXPECT_EQ(Found("c = RGB(256, 0, &H1FF)"), V{"RGB(256, 0, &H1FF)=16711935"});
    EXPECT_EQ(Found("c = RGB(0, 32767, 0)"), V{"RGB(0, 32767, 0)=65280"});
    for (const char* bad : {"c = RGB(32768, 0, 0)", "c = RGB(r, 0, 0)", "c = RGB(1, 2)",
                            "c = RGB(1, 2, 3, 4)", "c = RGB(1, 2, 3", "c = RGB(1.5, 2, 3)",
                            "c = RGB(-1, 2, 3)", "c = RGB(1 + 1, 2, 3)", "c = Me.RGB(1, 2, 3)",
                            "c = MyRGB(1, 2, 3)", "c = RGB"})
        EXPECT_EQ(Found(bad), V{}) << bad;
    // The arguments of a call that can't be read are still components, never colours; what
    // follows the call is read again.
    for (const char* line : {"c = RGB(r, g, &HFF)", "c = RGB(QBColor(1), 0, 0)",
                             "c = QBColor(&HFF& - n)", "c = RGB(\")\", &HFF, 0", "c = RGB (f(1), &HFF, 0)"})
        EXPECT_EQ(Found(line), V{}) << line;
    EXPECT_EQ(Found("c = RGB(x, (1), &HFF) + &HFF&"), V{"&HFF&=255"});
    EXPECT_EQ(Found("c = RGB(x, &HFF ' &HFF"), V{});
    EXPECT_EQ(Found("c = MyRGB(x, &HFF, 0)"), V{"&HFF=255"});
}

TEST(FindCodeColours, ConstantsAndQBColor) {
    EXPECT_EQ(Found("a = vbRed: b = VBBLUE: c = vbwhite"),
              (V{"vbRed=255", "VBBLUE=16711680", "vbwhite=16777215"}));
    EXPECT_EQ(Found("x = vbBlack + vbGreen + vbYellow + vbMagenta + vbCyan").size(), 5u);
    EXPECT_EQ(Only("x = vbCyan").form, Form::Constant);
    EXPECT_EQ(Found("x = vbRedish + myvbRed + Me.vbRed + vbRed_"), V{});
    EXPECT_EQ(Found("x = QBColor(12)"), V{"QBColor(12)=255"});
    EXPECT_EQ(Found("x = qbcolor( 1 )"), V{"qbcolor( 1 )=8388608"});
    EXPECT_EQ(Only("x = QBColor(7)").form, Form::QBColorCall);
    EXPECT_EQ(Found("x = QBColor(16)"), V{});
    EXPECT_EQ(Found("x = QBColor(n)"), V{});
    // VB's sixteen, in order.
    const ColorValue qb[16] = {0, 8388608, 32768, 8421376, 128, 8388736, 32896, 12632256,
                               8421504, 16711680, 65280, 16776960, 255, 16711935, 65535, 16777215};
    for (int n = 0; n < 16; ++n) {
        EXPECT_EQ(QBColorValue(n), qb[n]);
        EXPECT_EQ(Only("x = QBColor(" + std::to_string(n) + ")").value, qb[n]);
    }
}

TEST(FindCodeColours, SystemColoursKeepTheirIndex) {
    const CodeColour hex = Only("BackColor = &H80000005&");
    EXPECT_EQ(hex.form, Form::SystemHex);
    EXPECT_EQ(hex.value, SystemColor(5));
    EXPECT_EQ(Only("x = &H80000018").value, SystemColor(24));
    EXPECT_EQ(Only("x = &H80000000&").value, SystemColor(0));
    EXPECT_EQ(Found("x = &H80000019&"), V{});
    const CodeColour named = Only("x = vbButtonFace");
    EXPECT_EQ(named.form, Form::SystemConstant);
    EXPECT_EQ(named.value, SystemColor(15));
    EXPECT_EQ(Only("x = VBSCROLLBARS").value, SystemColor(0));
    EXPECT_EQ(Only("x = vbInfoBackground").value, SystemColor(24));
    EXPECT_EQ(Only("x = vb3DDKShadow").value, SystemColor(21));
}

TEST(FindCodeColours, DecimalsOnlyAsTheWholeValueOfAColorMember) {
    EXPECT_EQ(Found("BackColor = 255"), V{"255=255"});
    EXPECT_EQ(Found("  .ForeColor = 16711680 ' blue"), V{"16711680=16711680"});
    EXPECT_EQ(Found("Me.picX.FillColor=0&"), V{"0&=0"});
    EXPECT_EQ(Found("Paint BorderColor:=65280, Width:=2"), V{"65280=65280"});
    EXPECT_EQ(Only("BackColor = 255: x = 1").form, Form::Decimal);
    for (const char* bad : {"x = 255", "BackColor = 255 + 1", "BackColor = 16777216", "Colors = 5",
                            "BackColor = 2.5", "BackColor = 1e3", "Width = 255",
                            "BackColor = -1", "If BackColor = 255 Then"})
        EXPECT_EQ(Found(bad), V{}) << bad;
}

TEST(FindCodeColours, NothingInStringsOrComments) {
    EXPECT_EQ(Found("s = \"&HFF& vbRed RGB(1, 2, 3)\" & vbBlue"), V{"vbBlue=16711680"});
    EXPECT_EQ(Found("s = \"say \"\"vbRed\"\" \" + vbGreen"), V{"vbGreen=65280"});
    EXPECT_EQ(Found("s = \"open string vbRed"), V{});
    EXPECT_EQ(Found("x = vbRed ' was vbBlue"), V{"vbRed=255"});
    EXPECT_EQ(Found("' vbRed"), V{});
    EXPECT_EQ(Found("Rem vbRed"), V{});
    EXPECT_EQ(Found("  rem vbRed"), V{});
    EXPECT_EQ(Found("x = vbRed: Rem vbBlue"), V{"vbRed=255"});
    EXPECT_EQ(Found("Remark = vbRed"), V{"vbRed=255"}); // a name, not Rem
    EXPECT_EQ(Found("Rem"), V{});
}

TEST(FindCodeColours, SeveralOnALineInOrderWithPositions) {
    const std::string line = "Line (0, 0)-(9, 9), RGB(1, 2, 3), BF: c = &HFF& + vbRed";
    const auto found = FindCodeColours(line);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].start, line.find("RGB"));
    EXPECT_EQ(found[0].end, line.find(", BF"));
    EXPECT_EQ(found[1].start, line.find("&HFF&"));
    EXPECT_EQ(found[1].end, line.find(" + vbRed"));
    EXPECT_EQ(found[2].start, line.find("vbRed"));
    EXPECT_EQ(found[2].end, line.size());
    // Wide lines are read the same way, characters beyond ASCII included.
    const auto wide = FindCodeColours(std::wstring_view(L"\u00e9t\u00e9 = \"\u4e2d\" & vbRed"));
    ASSERT_EQ(wide.size(), 1u);
    EXPECT_EQ(wide[0].start, 12u);
    EXPECT_EQ(Found("\xe9vbRed = vbRed"), V{"vbRed=255"}); // a name's letters beyond ASCII
}

TEST(ColourForCaret, TheOneHoldingTheCaretEdgesIncludedOrTheOnlyOne) {
    const std::string line = "x = RGB(1, 2, 3) + &HFF&";
    const auto found = FindCodeColours(line);
    const std::size_t rgb = line.find("RGB"), rgbEnd = line.find(" +"), hex = line.find("&HFF");
    EXPECT_EQ(ColourForCaret(found, rgb)->form, Form::RgbCall);
    EXPECT_EQ(ColourForCaret(found, rgb + 5)->form, Form::RgbCall);
    EXPECT_EQ(ColourForCaret(found, rgbEnd)->form, Form::RgbCall);
    EXPECT_EQ(ColourForCaret(found, hex)->form, Form::HexLiteral);
    EXPECT_EQ(ColourForCaret(found, line.size())->form, Form::HexLiteral);
    EXPECT_FALSE(ColourForCaret(found, 0).has_value());
    EXPECT_FALSE(ColourForCaret(found, rgbEnd + 1).has_value());
    const auto one = FindCodeColours(std::string_view("Me.BackColor = vbRed"));
    EXPECT_EQ(ColourForCaret(one, 0)->value, 255);
    EXPECT_EQ(ColourForCaret(one, 999)->value, 255);
    EXPECT_FALSE(ColourForCaret({}, 0).has_value());
}

TEST(ReplacementText, KeepsTheFormWhereTheColourAllows) {
    auto in = [](const std::string& line, ColorValue c) { return ReplacementText(Only(line), c); };
    const ColorValue teal = RGBColor(0, 128, 128);
    EXPECT_EQ(in("x = &HFF&", teal), "&H00808000&");
    EXPECT_EQ(in("x = RGB(1, 2, 3)", teal), "RGB(0, 128, 128)");
    EXPECT_EQ(in("x = vbRed", 0xFF0000), "vbBlue");
    EXPECT_EQ(in("x = vbRed", teal), "&H00808000&");
    EXPECT_EQ(in("x = QBColor(1)", teal), "QBColor(3)");
    EXPECT_EQ(in("x = QBColor(1)", 0xFFFFFF), "QBColor(15)");
    EXPECT_EQ(in("x = QBColor(1)", 0x123456), "&H00123456&");
    EXPECT_EQ(in("x = vbButtonFace", teal), "&H00808000&");
    EXPECT_EQ(in("x = &H8000000F&", 0xFF), "&H00FF&");
    EXPECT_EQ(in("BackColor = 255", teal), "8421376");
    // A system colour as the current colour is written as its code in every form.
    EXPECT_EQ(in("x = RGB(1, 2, 3)", SystemColor(5)), "&H0080000005&");
    EXPECT_EQ(in("BackColor = 255", SystemColor(5)), "&H0080000005&");
    EXPECT_EQ(Only("x = &H0080000005&").value, SystemColor(5));
}

// What is written back reads back as the colour written, in the same place.
TEST(ReplacementText, ReadsBackAsTheColourWritten) {
    std::mt19937 rng(15);
    const std::string lines[] = {"x = &HFF&", "x = RGB(1, 2, 3) ' c", "x = vbRed: y = 1",
                                 "x = QBColor(4)", "x = vbHighlight", "BackColor = 9", "x = &H8000000F"};
    for (int k = 0; k < 2000; ++k) {
        const std::string& line = lines[k % std::size(lines)];
        const ColorValue c = k % 5 == 0 ? QBColorValue(static_cast<int>(rng() % 16))
                                        : static_cast<ColorValue>(rng() & 0xFFFFFF);
        const CodeColour old = Only(line);
        const std::string written = line.substr(0, old.start) + ReplacementText(old, c) + line.substr(old.end);
        const CodeColour now = Only(written);
        EXPECT_EQ(now.start, old.start) << written;
        EXPECT_EQ(now.value, c) << written;
        EXPECT_EQ(written.substr(now.end), line.substr(old.end)) << written;
    }
}

TEST(ParseTypedColour, EveryFormAloneAndTheTwoExtraOnes) {
    EXPECT_EQ(ParseTypedColour("&H00FF&"), 255);
    EXPECT_EQ(ParseTypedColour("  RGB(10, 20, 30)\t"), RGBColor(10, 20, 30));
    EXPECT_EQ(ParseTypedColour("vbGreen"), 0xFF00);
    EXPECT_EQ(ParseTypedColour("QBColor(9)"), 0xFF0000);
    EXPECT_EQ(ParseTypedColour("vbWindowText"), SystemColor(8));
    EXPECT_EQ(ParseTypedColour("&H80000008&"), SystemColor(8));
    EXPECT_EQ(ParseTypedColour("16711680"), 0xFF0000);
    EXPECT_EQ(ParseTypedColour("#FF8000"), RGBColor(255, 128, 0));
    EXPECT_EQ(ParseTypedColour("#0a0B0c"), RGBColor(10, 11, 12));
    EXPECT_EQ(ParseTypedColour("255, 128, 0"), RGBColor(255, 128, 0));
    EXPECT_EQ(ParseTypedColour("1,2,3"), RGBColor(1, 2, 3));
    for (const char* bad : {"", "  ", "#FFF", "#FF80001", "#GG0000", "255, 128", "256, 0, 0",
                            "1, 2, 3, 4", "16777216", "vbRed + 1", "x = vbRed", "RGB(1, 2, 3) x",
                            "'vbRed", "\"vbRed\"", "1.5", "red", "&HFFFF", "(1, 2, 3)", "RGB(300, 0, 0)"})
        EXPECT_FALSE(ParseTypedColour(bad).has_value()) << '"' << bad << '"';
}

namespace {

// Every answer is well formed: in the line, in order, apart, and each expression read alone
// means the same colour (decimals need their member, so they are checked in place).
void CheckWellFormed(std::string_view line) {
    const auto found = FindCodeColours(line);
    std::size_t last = 0;
    for (const CodeColour& c : found) {
        ASSERT_LE(last, c.start) << line;
        ASSERT_LT(c.start, c.end) << line;
        ASSERT_LE(c.end, line.size()) << line;
        last = c.end;
        if (c.form != CodeColourForm::Decimal) {
            const auto alone = FindCodeColours(line.substr(c.start, c.end - c.start));
            ASSERT_EQ(alone.size(), 1u) << line;
            ASSERT_EQ(alone[0].value, c.value) << line;
        }
    }
    (void)ColourForCaret(found, found.empty() ? 0 : found.back().end);
    (void)ParseTypedColour(line);
}

template <typename F> void OnExactHeapCopy(const std::string& bytes, F check) {
    // Exactly sized heap buffer, so ASan sees any read past it.
    auto* heap = new char[bytes.empty() ? 1 : bytes.size()];
    std::copy(bytes.begin(), bytes.end(), heap);
    check(std::string_view(heap, bytes.size()));
    delete[] heap;
}

#ifdef _WIN32
constexpr int kRandomLines = 20000, kMutatedLines = 5000;
#else
constexpr int kRandomLines = 1000000, kMutatedLines = 100000;
#endif

} // namespace

// Random lines of VB pieces and stray bytes, a million natively under the sanitizers (a
// short run under Wine).
TEST(CodeColourFuzz, RandomLines) {
    std::mt19937 rng(20261208);
    const char* pieces[] = {"&H", "FF", "0", "8", "&", "RGB(", "rgb (", ",", ")", "(", "vbRed",
                            "vbInfoText", "QBColor(", "12", "255", "300", " ", "\t", "'", "\"",
                            "Rem ", ":", "=", ":=", "BackColor", ".", "x", "#", "\x80", "\xff",
                            " vbBlue", "&HFF& ", "QBColor(1) "};
    std::size_t total = 0;
    for (int i = 0; i < kRandomLines; ++i) {
        std::string bytes;
        for (int n = rng() % 16; n > 0; --n)
            bytes += rng() % 8 == 0 ? std::string(1, static_cast<char>(rng())) : pieces[rng() % std::size(pieces)];
        OnExactHeapCopy(bytes, [&](std::string_view s) {
            CheckWellFormed(s);
            total += FindCodeColours(s).size();
        });
    }
    EXPECT_GT(total, static_cast<std::size_t>(kRandomLines / 10)); // the pieces reach the finds
}

// Real VB lines with characters replaced, inserted, deleted and pieces repeated.
TEST(CodeColourFuzz, MutatedRealLines) {
    const std::string seeds[] = {
        "    Me.BackColor = RGB(10, 20, 30)",
        "picPreview.ForeColor = &H00C0FFFF& ' light yellow",
        "lblTitle.BackColor = vbButtonFace: lblTitle.ForeColor = vbRed",
        "Line (0, 0)-(ScaleWidth, ScaleHeight), QBColor(12), BF",
        "If c = &H80000005& Then txt.BackColor = 16777215 Else txt.BackColor = vbWindowBackground",
        "MsgBox \"vbRed is \" & vbRed, vbInformation",
        "Rem a comment with RGB(1, 2, 3)",
        "Call Paint(BorderColor:=65280, FillColor:=&HFF0000)",
        "x = \"\"\"\" & RGB(&HFF, &H80, 0) & \"\"\"\"",
    };
    std::mt19937 rng(15);
    const char pieces[] = "&H(),: '\"0123456789FRGBvbRedQBColor";
    for (int i = 0; i < kMutatedLines; ++i) {
        std::string s = seeds[rng() % std::size(seeds)];
        for (int m = 1 + rng() % 4; m > 0; --m) {
            const std::size_t at = s.empty() ? 0 : rng() % s.size();
            switch (rng() % 4) {
            case 0: if (!s.empty()) s[at] = pieces[rng() % (sizeof pieces - 1)]; break;
            case 1: s.insert(at, 1, static_cast<char>(rng())); break;
            case 2: if (!s.empty()) s.erase(at, 1 + rng() % 3); break;
            case 3: s.insert(at, s.substr(at, rng() % 12)); break;
            }
        }
        OnExactHeapCopy(s, [](std::string_view v) { CheckWellFormed(v); });
    }
}

// Long lines stay linear: a megabyte of pieces that each start an expression and fail late.
TEST(CodeColourFuzz, LongLinesOfAlmostColours) {
    for (const std::string piece : {"RGB(1,   2,  ", "&H123456789", "BackColor =    ", "QBColor(  ",
                                    "\"\"", "vbRedx "}) {
        std::string line;
        while (line.size() < (1u << 20)) line += piece;
        EXPECT_TRUE(FindCodeColours(line).empty()) << piece;
    }
    std::string many;
    for (int i = 0; i < 50000; ++i) many += "vbRed ";
    EXPECT_EQ(FindCodeColours(many).size(), 50000u);
}

// Texts that look like colours but would change the program if rewritten as one.
TEST(FindCodeColours, NotColoursTypedLiteralsFieldsAndComments) {
    for (const char* typed : {"x = &HFF%", "x = &HFF^", "x = &HFF!", "x = &HFF#", "x = &HFF@",
                              "x = &HFF$", "x = &HFF&%", "x = &HFF&& y", "x = vbRed$", "x = vbRed&",
                              "x = vbRed!", "x = RGB(&HFF%, 0, 0)", "x = RGB(1, 2, 3)&\"s\"", "x = QBColor(1)%", "BackColor = 255%",
                              "BackColor = 255!", "BackColor = 255#"})
        EXPECT_EQ(Found(typed), V{}) << typed;
    // &HFF& is the Long suffix, a colour.
    EXPECT_EQ(Found("x = &HFF& + &HFF"), (V{"&HFF&=255", "&HFF=255"}));
    for (const char* field : {"x = rs!vbRed", "x = rs!vbButtonFace", "rs!BackColor = 255",
                              "x = rs![vbRed]", "x = [vbRed]", "x = Forms!f!RGB(1, 2, 3)"})
        EXPECT_EQ(Found(field), V{}) << field;
    EXPECT_EQ(Found("x = rs!Name & vbRed"), V{"vbRed=255"});
    // Rem starts a comment wherever a statement may start.
    for (const char* rem :
         {"If a Then Rem vbRed", "If a Then x = 1 Else Rem vbRed", "10 Rem vbRed", "10: Rem vbRed",
          "Done: Rem vbRed", "x = 1:Rem vbRed", "Rem:vbRed", "If a Then x = 1 Else REM &HFF&",
          "Rem\tvbRed"})
        EXPECT_EQ(Found(rem), V{}) << rem;
    EXPECT_EQ(Found("If a Then x = vbBlue Else Rem vbRed"), V{"vbBlue=16711680"});
    EXPECT_EQ(Found("x = Me.Rem + vbRed"), V{"vbRed=255"}); // a member of that name
    EXPECT_EQ(Found("Remove vbRed: Remark = vbBlue"), (V{"vbRed=255", "vbBlue=16711680"}));
}

namespace {

// A line of VB pieces: colours in every form and spelling, and what stands around them.
std::string GeneratedLine(std::mt19937& rng) {
    static const char* const pieces[] = {
        "&HFF", "&HFF&", "&hff", "&H00C0FFFF&", "&H8000000F&", "&H80000005", "&H0&", "vbRed",
        "VBBLUE", "vbButtonFace", "vb3DFace", "vbInfoText", "RGB(1, 2, 3)", "rgb( 255 ,0,0 )",
        "RGB(&HFF, 0, 0)", "QBColor(12)", "qbcolor( 1 )", "BackColor = 255", "ForeColor = 255&",
        "FillColor:=65280", "x", "rs!", "[", "]", "%", "!", "#", "@", "^", "$", "&", " ", "  ",
        "\t", ", ", "(", ")", " + ", ": ", " = ", "'", "\"", "Rem ", " Then ", " Else ", "10 ",
        "Done: ", ".", "Me.", "\xe9", "&H", "0", "12"};
    std::string line;
    for (int n = 1 + rng() % 10; n > 0; --n) line += pieces[rng() % std::size(pieces)];
    return line;
}

} // namespace

// Putting back the colour read leaves the line as it was, byte for byte; putting another
// changes only that expression, and every other colour on the line reads as before.
TEST(ReplaceCodeColour, TheColourReadPutBackLeavesTheLineAndAnotherChangesOnlyItsPlace) {
    EXPECT_EQ(ReplaceCodeColour("x = vbButtonFace", Only("x = vbButtonFace"), SystemColor(15)),
              "x = vbButtonFace");
    EXPECT_EQ(ReplaceCodeColour("BackColor = 255&", Only("BackColor = 255&"), 255), "BackColor = 255&");
    EXPECT_EQ(ReplaceCodeColour(std::wstring_view(L"x = &HFF"), Only("x = &HFF"), 255), L"x = &HFF");
    EXPECT_EQ(ReplaceCodeColour(std::wstring_view(L"x = &HFF: y"), Only("x = &HFF"), 0xFF00),
              L"x = &H00FF00&: y");
    std::mt19937 rng(21);
    std::size_t checked = 0;
    for (int k = 0; k < kRandomLines / 5; ++k) {
        const std::string line = GeneratedLine(rng);
        const auto found = FindCodeColours(line);
        for (std::size_t i = 0; i < found.size(); ++i) {
            const CodeColour& c = found[i];
            ASSERT_EQ(ReplaceCodeColour(line, c, c.value), line);
            const ColorValue other = c.value == 0x123456 ? 0x654321 : 0x123456;
            const std::string written = ReplaceCodeColour(line, c, other);
            const auto now = FindCodeColours(written);
            ASSERT_EQ(now.size(), found.size()) << line << " -> " << written;
            const std::ptrdiff_t shift = static_cast<std::ptrdiff_t>(written.size() - line.size());
            for (std::size_t j = 0; j < found.size(); ++j) {
                const std::ptrdiff_t by = j > i ? shift : 0;
                ASSERT_EQ(now[j].start, found[j].start + by) << line << " -> " << written;
                ASSERT_EQ(now[j].value, j == i ? other : found[j].value) << line << " -> " << written;
            }
            ASSERT_EQ(written.substr(0, c.start), line.substr(0, c.start));
            ASSERT_EQ(written.substr(now[i].end), line.substr(c.end));
            ++checked;
        }
    }
    EXPECT_GT(checked, static_cast<std::size_t>(kRandomLines / 20)); // the generator reaches the forms
}

TEST(CaretAfterColour, FollowsTheSameColourOfTheLineAsTheEditorShowsIt) {
    EXPECT_EQ(CaretAfterColour(L"x = &H00FF& + RGB(1,2,3)", 4, L"x = &HFF& + RGB(1, 2, 3)"), 9u);
    EXPECT_EQ(CaretAfterColour(L"x = &H00FF& + RGB(1,2,3)", 14, L"x = &HFF& + RGB(1, 2, 3)"), 24u);
    // A line the editor made into something else: its end.
    EXPECT_EQ(CaretAfterColour(L"x = &H00FF&", 4, L"x = y"), 5u);
}
