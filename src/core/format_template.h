// The user's own output formats: a text with placeholders for the colour, {R} {G} {B}
// (decimal), {RR} {GG} {BB} (two upper-case hex digits), {CODE} (the code text, &H00FF&) and
// {LONG} (the decimal Long); "{{" and "}}" stand for a brace of their own.
#pragma once
#include "colour.h"
#include <string>
#include <string_view>

namespace hv {

constexpr std::size_t kTemplateMaxLength = 200;
constexpr int kMaxFormats = 16;

enum class TemplateFault { None, Empty, TooLong, ControlCharacter, Unbalanced, UnknownPlaceholder };

struct TemplateCheck {
    TemplateFault fault = TemplateFault::None;
    std::string placeholder; // the unknown one, braces included
};

// Texts are in the ANSI code page `codePage` (GetACP); in a double-byte one (932, 936, 949,
// 950, 1361) the byte after a lead byte is the second half of a character, even a brace's
// byte. 0: one byte a character.
TemplateCheck CheckTemplate(std::string_view text, unsigned codePage = 0);
// What the user is told about a refused template; "" for a good one.
std::string TemplateFaultText(const TemplateCheck& check);
// The text for colour `c`; "" for a template that fails the check.
std::string ExpandTemplate(std::string_view text, ColorValue c, unsigned codePage = 0);

// A menu caption that shows `text` as written: "&" would underline the next letter.
std::string LiteralMenuText(std::string_view text);

} // namespace hv
