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
    bool inVb = true;
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
        {ControlKind::Frame,
         L"Frame",
         true,
         {{L"BackColor", kSys | 0xF, kSys | 0xF}, {L"ForeColor", kSys | 0x12, kSys | 0x12}},
         {{L"BackColor", kSys | 0xF, kSys | 0xF},
          {L"BorderColor", kSys | 6, kSys | 6},
          {L"ForeColor", kSys | 0x12, kSys | 0x12}}},
        {ControlKind::MultiPage,
         L"MultiPage",
         true,
         {},
         {{L"BackColor", kSys | 0xF, kSys | 0xF}, {L"ForeColor", kSys | 0x12, kSys | 0x12}},
         false},
        {ControlKind::Page, L"Page", true, {}, {}, false},
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
    } else if (SameText(name, c.kind == ControlKind::TextBox ? L"Text" : L"Caption")) {
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

// The controls in `container`, each block with the blocks of those inside it.
void WriteControls(std::wstring& out, const FormModel& form, unsigned container, int depth) {
    const std::wstring indent(static_cast<size_t>(depth) * 3, L' ');
    for (const FormControl& c : form.controls) {
        if (c.parent != container) continue;
        out += indent + L"Begin " + c.className + L" " + c.name + L"\r\n";
        Lines_ lines = c.others;
        for (const ColourProperty& p : c.colours)
            if (p.value != p.initial) lines.emplace_back(p.name, Hex(p.value));
        if (c.kind == ControlKind::Line) {
            lines.emplace_back(L"X1", std::to_wstring(c.left));
            lines.emplace_back(L"X2", std::to_wstring(c.left + c.width));
            lines.emplace_back(L"Y1", std::to_wstring(c.top));
            lines.emplace_back(L"Y2", std::to_wstring(c.top + c.height));
        } else {
            if (c.kind == ControlKind::TextBox)
                lines.emplace_back(L"Text", Quoted(c.caption));
            else if (c.kind != ControlKind::Shape && c.kind != ControlKind::Image &&
                     c.kind != ControlKind::PictureBox && c.kind != ControlKind::MultiPage)
                lines.emplace_back(L"Caption", Quoted(c.caption));
            lines.emplace_back(L"Height", std::to_wstring(c.height));
            lines.emplace_back(L"Left", std::to_wstring(c.left));
            lines.emplace_back(L"Top", std::to_wstring(c.top));
            lines.emplace_back(L"Width", std::to_wstring(c.width));
        }
        WriteProperties(out, lines, depth + 1);
        WriteControls(out, form, c.id, depth + 1);
        out += indent + L"End\r\n";
    }
}

} // namespace

size_t FormModel::IndexOf(unsigned id) const {
    size_t i = 0;
    while (i < controls.size() && (id == 0 || controls[i].id != id))
        ++i;
    return i;
}

void FormModel::Number() {
    for (FormControl& c : controls)
        if (!c.id) c.id = ++lastId;
}

bool FormModel::Within(unsigned id, unsigned container) const {
    for (size_t i = IndexOf(id); i < controls.size(); i = IndexOf(controls[i].parent))
        if (controls[i].id == container) return true;
    return container == 0;
}

bool FormModel::Shown(size_t index) const {
    for (size_t i = index; i < controls.size();) {
        const size_t up = IndexOf(controls[i].parent);
        if (controls[i].kind == ControlKind::Page && up < controls.size()) {
            // The pages of a MultiPage in their order: only the selected one is shown.
            long n = 0;
            for (size_t k = 0; k < i; ++k)
                n += controls[k].parent == controls[up].id;
            if (n != controls[up].value) return false;
        }
        i = up;
    }
    return true;
}

long ComponentType(const FormModel& form, bool msForms) {
    if (msForms) return 3;
    const std::wstring& c = form.className;
    if (SameText(c, L"VB.MDIForm")) return 6;
    if (SameText(c, L"VB.PropertyPage")) return 7;
    if (SameText(c, L"VB.UserControl")) return 8;
    if (SameText(c, L"VB.UserDocument")) return 9;
    return 5;
}

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
    if (path.size() <= 4) return false;
    const std::wstring ext = path.substr(path.size() - 4);
    for (const wchar_t* e : {L".frm", L".pag", L".ctl", L".dob"})
        if (SameText(ext, e)) return true;
    return false;
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
    // What each open block is: a control's id, 0 for the form, kNone for a block whose lines
    // are none of ours (a property block, a control of a class not modelled, and all inside it).
    constexpr unsigned kNone = ~0u;
    std::vector<unsigned> open{0};
    for (++i; i < lines.size() && !open.empty(); ++i) {
        const std::wstring line = Trim(lines[i]);
        if (line.rfind(L"BeginProperty", 0) == 0) {
            open.push_back(kNone);
            continue;
        }
        if (line.rfind(L"Begin ", 0) == 0) {
            const std::wstring head = Trim(line.substr(5));
            const size_t space = head.find(L' ');
            const ClassInfo* info = ClassNamed(head.substr(0, space));
            const unsigned parent = open.back();
            if (parent == kNone || !info || !(msForms ? info->inMsForms : info->inVb) ||
                space == std::wstring::npos) {
                open.push_back(kNone);
                continue;
            }
            FormControl c = NewControl(info->kind, Trim(head.substr(space + 1)), msForms);
            c.className = head.substr(0, space);
            c.id = ++f.lastId;
            c.parent = parent;
            f.controls.push_back(std::move(c));
            open.push_back(f.lastId);
            continue;
        }
        if (line == L"End" || line == L"EndProperty") {
            open.pop_back();
            continue;
        }
        std::wstring name, value;
        if (open.back() == kNone || !SplitProperty(line, &name, &value)) continue;
        if (open.back() == 0)
            ReadFormProperty(f, name, value);
        else
            ReadControlProperty(f.controls[f.IndexOf(open.back())], name, value);
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
    WriteControls(out, form, 0, 1);
    out += L"End\r\n";
    return out + (form.trailer.empty() ? L"Attribute VB_Name = \"" + form.name + L"\"\r\n"
                                       : form.trailer);
}

bool WriteForm(const std::wstring& path, const FormModel& form) {
    return WriteAnsiFile(path, FormText(form));
}

} // namespace host
