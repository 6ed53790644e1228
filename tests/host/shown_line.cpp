#include "shown_line.h"
#include <algorithm>
#include <cwctype>
#include <vector>

namespace host {

namespace {

enum class Tok { Word, Keyword, Literal, Operator, Comma, Open, Close, Dot, Colon, Tight, Other, Comment };

struct Token {
    Tok kind;
    std::wstring text;
    bool spaceBefore;
    bool unary = false;
};

// The words the editors put in their own case (a few of the library's names among them).
const wchar_t* const kKeywords[] = {
    L"And", L"As", L"Boolean", L"ByRef", L"Byte", L"ByVal", L"Call", L"Case", L"Const",
    L"Currency", L"Date", L"Dim", L"Do", L"Double", L"Each", L"Else", L"ElseIf", L"Empty",
    L"End", L"Enum", L"Eqv", L"Exit", L"False", L"For", L"Friend", L"Function", L"Get",
    L"GoSub", L"GoTo", L"If", L"Imp", L"In", L"Integer", L"Is", L"Let", L"Like", L"Long",
    L"Loop", L"Me", L"Mod", L"New", L"Next", L"Not", L"Nothing", L"Null", L"Object", L"On",
    L"Optional", L"Or", L"Private", L"Property", L"Public", L"QBColor", L"ReDim", L"Rem",
    L"Resume", L"Return", L"RGB", L"Select", L"Set", L"Single", L"Static", L"Step", L"String",
    L"Sub", L"Then", L"To", L"True", L"Type", L"Until", L"Variant", L"Wend", L"While", L"With",
    L"Xor", L"vbBlack", L"vbBlue", L"vbCyan", L"vbGreen", L"vbMagenta", L"vbRed", L"vbWhite",
    L"vbYellow"};

const wchar_t* KeywordCase(const std::wstring& word) {
    for (const wchar_t* k : kKeywords) {
        size_t n = 0;
        while (k[n] && n < word.size() && std::towlower(k[n]) == std::towlower(word[n]))
            ++n;
        if (!k[n] && n == word.size()) return k;
    }
    return nullptr;
}

bool IsHex(wchar_t c) {
    return std::iswxdigit(c) != 0;
}
bool IsWordChar(wchar_t c) {
    return std::iswalnum(c) || c == L'_';
}
bool IsTypeChar(wchar_t c) {
    return c == L'&' || c == L'%' || c == L'!' || c == L'#' || c == L'@' || c == L'^' || c == L'$';
}
// &H or &O and a digit.
bool StartsBasedLiteral(const std::wstring& s, size_t i) {
    return i + 2 < s.size() && s[i] == L'&' &&
           (s[i + 1] == L'H' || s[i + 1] == L'h' || s[i + 1] == L'O' || s[i + 1] == L'o') &&
           IsHex(s[i + 2]);
}

std::wstring WithoutLeadingZeros(std::wstring digits) {
    const size_t first = digits.find_first_not_of(L'0');
    digits.erase(0, first == std::wstring::npos ? digits.size() - 1 : first);
    return digits;
}

} // namespace

std::wstring AsTheEditorShows(const std::wstring& line) {
    size_t i = line.find_first_not_of(L" \t");
    if (i == std::wstring::npos) return L"";
    const std::wstring indent = line.substr(0, i);
    std::vector<Token> tokens;
    while (i < line.size()) {
        bool space = false;
        while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) {
            space = true;
            ++i;
        }
        if (i >= line.size()) break;
        const wchar_t c = line[i];
        const size_t from = i;
        Token t{Tok::Literal, L"", space};
        if (c == L'\'') {
            t = {Tok::Comment, line.substr(i), space};
            i = line.size();
        } else if (c == L'"') {
            for (++i; i < line.size(); ++i)
                if (line[i] == L'"' && !(i + 1 < line.size() && line[i + 1] == L'"')) break;
                else if (line[i] == L'"') ++i;
            i = std::min(i + 1, line.size());
            t.text = line.substr(from, i - from);
        } else if (c == L'[') {
            i = line.find(L']', i);
            i = i == std::wstring::npos ? line.size() : i + 1;
            t = {Tok::Word, line.substr(from, i - from), space};
        } else if (StartsBasedLiteral(line, i)) {
            const wchar_t base = static_cast<wchar_t>(std::towupper(line[i + 1]));
            i += 2;
            std::wstring digits;
            while (i < line.size() && IsHex(line[i]))
                digits += static_cast<wchar_t>(std::towupper(line[i++]));
            t.text = std::wstring(L"&") + base + WithoutLeadingZeros(digits);
            if (i < line.size() && IsTypeChar(line[i]) && line[i] != L'$') t.text += line[i++];
        } else if (std::iswdigit(c)) {
            std::wstring digits;
            while (i < line.size() && std::iswdigit(line[i]))
                digits += line[i++];
            t.text = WithoutLeadingZeros(digits);
            while (i < line.size() && (std::iswalnum(line[i]) || line[i] == L'.'))
                t.text += line[i++]; // fraction and exponent as written
            if (i < line.size() && IsTypeChar(line[i]) && line[i] != L'$' &&
                !StartsBasedLiteral(line, i))
                t.text += line[i++];
        } else if (std::iswalpha(c) || c == L'_') {
            while (i < line.size() && IsWordChar(line[i]))
                ++i;
            // A type character, unless an & starts what follows (a&b is a & b).
            if (i < line.size() && IsTypeChar(line[i]) &&
                !(line[i] == L'&' && i + 1 < line.size() &&
                  (IsWordChar(line[i + 1]) || line[i + 1] == L'"' || line[i + 1] == L'&')))
                ++i;
            t.text = line.substr(from, i - from);
            if (const wchar_t* k = KeywordCase(t.text)) {
                t = {Tok::Keyword, k, space};
                if (t.text == std::wstring(L"Rem")) { // the rest is a comment
                    t.text += line.substr(i);
                    t.kind = Tok::Comment;
                    i = line.size();
                }
            } else {
                t.kind = Tok::Word;
            }
        } else if (c == L':' && i + 1 < line.size() && line[i + 1] == L'=') {
            t = {Tok::Tight, L":=", space};
            i += 2;
        } else if (c == L'<' || c == L'>' || c == L'=' || c == L'+' || c == L'-' || c == L'*' ||
                   c == L'/' || c == L'\\' || c == L'^' || c == L'&') {
            t = {Tok::Operator, std::wstring(1, c), space};
            ++i;
            if ((c == L'<' && i < line.size() && (line[i] == L'>' || line[i] == L'=')) ||
                (c == L'>' && i < line.size() && line[i] == L'='))
                t.text += line[i++];
            const Tok before = tokens.empty() ? Tok::Operator : tokens.back().kind;
            t.unary = (c == L'-' || c == L'+') &&
                      !(before == Tok::Word || before == Tok::Literal || before == Tok::Close);
        } else {
            t.kind = c == L',' ? Tok::Comma
                     : c == L'(' ? Tok::Open
                     : c == L')' ? Tok::Close
                     : c == L'.' || c == L'!' ? Tok::Dot
                     : c == L':' ? Tok::Colon
                                  : Tok::Other;
            t.text = std::wstring(1, c);
            ++i;
        }
        tokens.push_back(t);
    }

    std::wstring out = indent;
    for (size_t k = 0; k < tokens.size(); ++k) {
        const Token& t = tokens[k];
        if (k > 0) {
            const Token& p = tokens[k - 1];
            bool space = t.spaceBefore;
            if (t.kind == Tok::Comma || t.kind == Tok::Close || t.kind == Tok::Colon ||
                p.kind == Tok::Open || t.kind == Tok::Tight || p.kind == Tok::Tight ||
                (p.kind == Tok::Operator && p.unary))
                space = false;
            else if (p.kind == Tok::Comma || p.kind == Tok::Colon || t.kind == Tok::Comment ||
                     (t.kind == Tok::Operator && !t.unary) || p.kind == Tok::Operator)
                space = true;
            else if (p.kind == Tok::Dot || (t.kind == Tok::Dot && p.kind != Tok::Keyword))
                space = false;
            if (space) out += L' ';
        }
        out += t.text;
    }
    return out;
}

} // namespace host
