#include "form_model.h"
#include "ansi_file.h"
#include "com.h"
#include <algorithm>

namespace host {

namespace {

constexpr long kSys = static_cast<long>(0x80000000);

struct ClassInfo {
    ControlKind kind;
    const wchar_t* name;
    bool inMsForms;
    std::vector<ColourProperty> vb, msForms;
};

const std::vector<ClassInfo>& Classes() {
    static const std::vector<ClassInfo> classes = {
        {ControlKind::Label,
         L"Label",
         true,
         {{L"BackColor", kSys | 0xF, kSys | 0xF}, {L"ForeColor", kSys | 0x12, kSys | 0x12}},
         {{L"BackColor", kSys | 0xF, kSys | 0xF},
          {L"ForeColor", kSys | 0x12, kSys | 0x12},
          {L"BorderColor", kSys | 6, kSys | 6}}},
        {ControlKind::CommandButton,
         L"CommandButton",
         true,
         {{L"BackColor", kSys | 0xF, kSys | 0xF}, {L"MaskColor", 0xC0C0C0, 0xC0C0C0}},
         {{L"BackColor", kSys | 0xF, kSys | 0xF}, {L"ForeColor", kSys | 0x12, kSys | 0x12}}},
        {ControlKind::Shape,
         L"Shape",
         false,
         {{L"BackColor", kSys | 5, kSys | 5},
          {L"BorderColor", kSys | 8, kSys | 8},
          {L"FillColor", 0, 0}},
         {}},
        {ControlKind::Line, L"Line", false, {{L"BorderColor", kSys | 8, kSys | 8}}, {}},
        {ControlKind::Image,
         L"Image",
         true,
         {},
         {{L"BackColor", kSys | 0xF, kSys | 0xF}, {L"BorderColor", kSys | 6, kSys | 6}}},
        {ControlKind::PictureBox,
         L"PictureBox",
         false,
         {{L"BackColor", kSys | 0xF, kSys | 0xF},
          {L"FillColor", 0, 0},
          {L"ForeColor", kSys | 0x12, kSys | 0x12}},
         {}},
        {ControlKind::TextBox,
         L"TextBox",
         true,
         {{L"BackColor", kSys | 5, kSys | 5}, {L"ForeColor", kSys | 8, kSys | 8}},
         {{L"BackColor", kSys | 5, kSys | 5},
          {L"BorderColor", kSys | 6, kSys | 6},
          {L"ForeColor", kSys | 8, kSys | 8}}},
    };
    return classes;
}

const ClassInfo* ClassNamed(const std::wstring& full) {
    const size_t dot = full.find(L'.');
    const std::wstring library = dot == std::wstring::npos ? L"" : full.substr(0, dot);
    if (!SameText(library, L"VB") && !SameText(library, L"MSForms")) return nullptr;
    for (const ClassInfo& c : Classes())
        if (SameText(full.substr(dot + 1), c.name)) return &c;
    return nullptr;
}

std::wstring Trim(const std::wstring& s) {
    const size_t a = s.find_first_not_of(L" \t");
    if (a == std::wstring::npos) return L"";
    return s.substr(a, s.find_last_not_of(L" \t") - a + 1);
}

// A number as a .frm writes it: decimal, or &H...& hex.
bool ParseNumber(const std::wstring& text, long* value) {
    std::wstring s = Trim(text);
    const size_t quote = s.find(L'\'');
    if (quote != std::wstring::npos) s = Trim(s.substr(0, quote)); // a comment: 1  'Graphical
    if (s.empty()) return false;
    wchar_t* end = nullptr;
    if (s.size() > 2 && s[0] == L'&' && (s[1] == L'H' || s[1] == L'h')) {
        if (s.back() == L'&') s.pop_back();
        *value = static_cast<long>(wcstoul(s.c_str() + 2, &end, 16));
    } else {
        *value = wcstol(s.c_str(), &end, 10);
    }
    return end && *end == 0;
}

std::wstring Hex(long v) {
    wchar_t text[16];
    wsprintfW(text, L"&H%08X&", static_cast<unsigned>(v));
    return text;
}

std::wstring Quoted(const std::wstring& s) {
    return L"\"" + s + L"\"";
}

std::wstring Unquoted(const std::wstring& s) {
    const std::wstring t = Trim(s);
    if (t.size() >= 2 && t.front() == L'"' && t.back() == L'"') return t.substr(1, t.size() - 2);
    return t;
}

bool ReadText(const std::wstring& path, std::wstring* text) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    std::string bytes;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got)
        bytes.append(buf, got);
    CloseHandle(f);
    text->assign(bytes.size(), L'\0');
    text->resize(static_cast<size_t>(
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text->data(),
                            static_cast<int>(text->size()))));
    return true;
}

std::vector<std::wstring> Lines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find(L'\n', at);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(at, end - at);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        lines.push_back(line);
        at = end + 1;
    }
    return lines;
}

// "Name = value" of a property line.
bool SplitProperty(const std::wstring& line, std::wstring* name, std::wstring* value) {
    const size_t eq = line.find(L'=');
    if (eq == std::wstring::npos) return false;
    *name = Trim(line.substr(0, eq));
    *value = Trim(line.substr(eq + 1));
    return !name->empty();
}

void ReadControlProperty(FormControl& c, const std::wstring& name, const std::wstring& value) {
    long n = 0;
    const bool number = ParseNumber(value, &n);
    const bool line = c.kind == ControlKind::Line;
    if (ColourProperty* colour = c.Colour(name); colour && number) {
        colour->value = n;
    } else if (SameText(name, L"Caption")) {
        c.caption = Unquoted(value);
    } else if (number && SameText(name, line ? L"X1" : L"Left")) {
        c.left = n;
    } else if (number && SameText(name, line ? L"Y1" : L"Top")) {
        c.top = n;
    } else if (number && SameText(name, line ? L"X2" : L"Width")) {
        c.width = line ? n - c.left : n;
    } else if (number && SameText(name, line ? L"Y2" : L"Height")) {
        c.height = line ? n - c.top : n;
    } else {
        c.others.emplace_back(name, value);
    }
}

void ReadFormProperty(FormModel& f, const std::wstring& name, const std::wstring& value) {
    long n = 0;
    const bool number = ParseNumber(value, &n);
    if (number && SameText(name, L"BackColor"))
        f.backColor = n;
    else if (SameText(name, L"Caption"))
        f.caption = Unquoted(value);
    else if (number && SameText(name, L"ClientWidth"))
        f.clientWidth = n;
    else if (number && SameText(name, L"ClientHeight"))
        f.clientHeight = n;
    else
        f.others.emplace_back(name, value);
}

using Lines_ = std::vector<std::pair<std::wstring, std::wstring>>;

// Property lines sorted by name, as VB6 writes them.
void WriteProperties(std::wstring& out, Lines_ lines, int depth) {
    std::stable_sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) {
        return CompareStringOrdinal(a.first.c_str(), -1, b.first.c_str(), -1, TRUE) ==
               CSTR_LESS_THAN;
    });
    const std::wstring indent(static_cast<size_t>(depth) * 3, L' ');
    for (const auto& [name, value] : lines) {
        std::wstring padded = name;
        if (padded.size() < 16) padded.resize(16, L' ');
        out += indent + padded + L"=   " + value + L"\r\n";
    }
}

} // namespace

ColourProperty* FormControl::Colour(const std::wstring& property) {
    for (ColourProperty& p : colours)
        if (SameText(p.name, property)) return &p;
    return nullptr;
}

FormControl NewControl(ControlKind kind, const std::wstring& name, bool msForms) {
    FormControl c;
    c.kind = kind;
    c.name = c.caption = name;
    for (const ClassInfo& info : Classes())
        if (info.kind == kind) {
            c.className = std::wstring(msForms ? L"MSForms." : L"VB.") + info.name;
            c.colours = msForms ? info.msForms : info.vb;
        }
    return c;
}

bool IsFormFile(const std::wstring& path) {
    return path.size() > 4 && SameText(path.substr(path.size() - 4), L".frm");
}

bool ValidColour(long value) {
    const auto v = static_cast<unsigned long>(value);
    return (v & 0xFF000000u) == 0 || (v & 0xFFFFFF00u) == 0x80000000u;
}

bool ReadForm(const std::wstring& path, bool msForms, FormModel* form) {
    std::wstring text;
    if (!ReadText(path, &text)) return false;
    const std::vector<std::wstring> lines = Lines(text);
    size_t i = 0;
    while (i < lines.size() && Trim(lines[i]).rfind(L"Begin ", 0) != 0)
        ++i;
    if (i == lines.size()) return false;
    FormModel f;
    {
        const std::wstring head = Trim(lines[i]).substr(6);
        const size_t space = head.find(L' ');
        if (space == std::wstring::npos) return false;
        f.className = head.substr(0, space);
        f.name = Trim(head.substr(space + 1));
    }
    f.path = path;
    // Depth 1 is the form's block, depth 2 a control's; deeper blocks (fonts, nested
    // containers) are kept out of this subset.
    int depth = 1;
    FormControl* control = nullptr;
    bool skipping = false;
    for (++i; i < lines.size() && depth > 0; ++i) {
        const std::wstring line = Trim(lines[i]);
        if (line.rfind(L"Begin", 0) == 0 || line.rfind(L"BeginProperty", 0) == 0) {
            ++depth;
            if (depth != 2 || line.rfind(L"BeginProperty", 0) == 0) continue;
            const std::wstring head = Trim(line.substr(5));
            const size_t space = head.find(L' ');
            const ClassInfo* info = ClassNamed(head.substr(0, space));
            skipping = !info || (msForms && !info->inMsForms) || space == std::wstring::npos;
            if (skipping) continue;
            f.controls.push_back(NewControl(info->kind, Trim(head.substr(space + 1)), msForms));
            f.controls.back().className = head.substr(0, space);
            control = &f.controls.back();
            continue;
        }
        if (line == L"End" || line == L"EndProperty") {
            if (--depth == 1) control = nullptr;
            continue;
        }
        std::wstring name, value;
        if (!SplitProperty(line, &name, &value)) continue;
        if (depth == 1)
            ReadFormProperty(f, name, value);
        else if (depth == 2 && control && !skipping)
            ReadControlProperty(*control, name, value);
    }
    for (; i < lines.size(); ++i)
        f.trailer += lines[i] + L"\r\n";
    *form = std::move(f);
    return true;
}

std::wstring FormText(const FormModel& form) {
    std::wstring out = L"VERSION 5.00\r\nBegin " + form.className + L" " + form.name + L"\r\n";
    Lines_ props = form.others;
    if (form.backColor != static_cast<long>(0x8000000F))
        props.emplace_back(L"BackColor", Hex(form.backColor));
    props.emplace_back(L"Caption", Quoted(form.caption));
    props.emplace_back(L"ClientHeight", std::to_wstring(form.clientHeight));
    props.emplace_back(L"ClientWidth", std::to_wstring(form.clientWidth));
    WriteProperties(out, props, 1);
    for (const FormControl& c : form.controls) {
        out += L"   Begin " + c.className + L" " + c.name + L"\r\n";
        Lines_ lines = c.others;
        for (const ColourProperty& p : c.colours)
            if (p.value != p.initial) lines.emplace_back(p.name, Hex(p.value));
        if (c.kind == ControlKind::Line) {
            lines.emplace_back(L"X1", std::to_wstring(c.left));
            lines.emplace_back(L"X2", std::to_wstring(c.left + c.width));
            lines.emplace_back(L"Y1", std::to_wstring(c.top));
            lines.emplace_back(L"Y2", std::to_wstring(c.top + c.height));
        } else {
            if (c.kind != ControlKind::Shape && c.kind != ControlKind::Image &&
                c.kind != ControlKind::PictureBox)
                lines.emplace_back(L"Caption", Quoted(c.caption));
            lines.emplace_back(L"Height", std::to_wstring(c.height));
            lines.emplace_back(L"Left", std::to_wstring(c.left));
            lines.emplace_back(L"Top", std::to_wstring(c.top));
            lines.emplace_back(L"Width", std::to_wstring(c.width));
        }
        WriteProperties(out, lines, 2);
        out += L"   End\r\n";
    }
    out += L"End\r\n";
    return out + (form.trailer.empty() ? L"Attribute VB_Name = \"" + form.name + L"\"\r\n"
                                       : form.trailer);
}

bool WriteForm(const std::wstring& path, const FormModel& form) {
    return WriteAnsiFile(path, FormText(form));
}

} // namespace host
