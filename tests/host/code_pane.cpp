#include "code_pane.h"
#include "ansi_file.h"
#include "shown_line.h"
#include <algorithm>
#include <cwctype>
#include <cwchar>
#include <vector>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace host {

namespace {

constexpr wchar_t kNameAttribute[] = L"Attribute VB_Name = \"";

HINSTANCE Module() {
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

// Every line end as CR LF, as the edit control wants it.
std::wstring WithCrLf(const std::wstring& s) {
    std::wstring out;
    out.reserve(s.size() + s.size() / 16);
    for (size_t i = 0; i < s.size(); ++i) {
        const wchar_t c = s[i];
        if (c == L'\r') {
            out += L"\r\n";
            if (i + 1 < s.size() && s[i + 1] == L'\n') ++i;
        } else if (c == L'\n') {
            out += L"\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

// Code written through the object model, each line as the editor shows it.
std::wstring Shown(const std::wstring& code) {
    const std::wstring all = WithCrLf(code);
    std::wstring out;
    for (size_t from = 0;;) {
        const size_t end = all.find(L"\r\n", from);
        out += AsTheEditorShows(all.substr(from, end == std::wstring::npos ? end : end - from));
        if (end == std::wstring::npos) return out;
        out += L"\r\n";
        from = end + 2;
    }
}

} // namespace

CodePane::CodePane(HWND mdiClient, const wchar_t* windowClass, const std::wstring& name,
                   const std::wstring& path, const std::wstring& text)
    : mdi_(mdiClient), name_(name), path_(path) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(Module(), windowClass, &wc)) {
        wc.lpfnWndProc = &CodePane::Proc;
        wc.hInstance = Module();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = windowClass;
        RegisterClassExW(&wc);
    }
    font_ = CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        FIXED_PITCH | FF_MODERN, L"Courier New");
    const std::wstring title = L"Project1 - " + name + L" (Code)";
    MDICREATESTRUCTW mcs{
        windowClass, title.c_str(), Module(), 12, 12, 600, 360, 0, reinterpret_cast<LPARAM>(this)};
    window_ =
        reinterpret_cast<HWND>(SendMessageW(mdi_, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    if (!window_) return;
    edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", nullptr,
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN | ES_NOHIDESEL,
                            0, 0, 0, 0, window_, nullptr, Module(), nullptr);
    SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SendMessageW(edit_, EM_SETLIMITTEXT, 0, 0);
    SetWindowTextW(edit_, WithCrLf(text).c_str());
    RECT r;
    GetClientRect(window_, &r);
    MoveWindow(edit_, 0, 0, r.right, r.bottom, TRUE);
}

CodePane::~CodePane() {
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        SendMessageW(mdi_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window_), 0);
    }
    if (font_) DeleteObject(font_);
}

LRESULT CALLBACK CodePane::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        auto* mcs = reinterpret_cast<MDICREATESTRUCTW*>(cs->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, mcs->lParam);
    }
    auto* self = reinterpret_cast<CodePane*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) {
        switch (msg) {
        case WM_SIZE:
            if (self->edit_) MoveWindow(self->edit_, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
            break;
        case WM_SETFOCUS:
            if (self->edit_) SetFocus(self->edit_);
            return 0;
        case WM_MDIACTIVATE:
            if (reinterpret_cast<HWND>(lp) == hwnd && self->OnActivated) self->OnActivated(self);
            break;
        case WM_DESTROY: {
            // The user closed the pane: the IDE lets go of it, which may delete `self`.
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->window_ = self->edit_ = nullptr;
            if (self->OnClosed) self->OnClosed(self);
            break;
        }
        default:
            break;
        }
    }
    return DefMDIChildProcW(hwnd, msg, wp, lp);
}

long CodePane::CountOfLines() const {
    if (!edit_ || GetWindowTextLengthW(edit_) == 0) return 0;
    return static_cast<long>(SendMessageW(edit_, EM_GETLINECOUNT, 0, 0));
}

std::wstring CodePane::Line(long line) const {
    if (!edit_) return L"";
    const LRESULT start = SendMessageW(edit_, EM_LINEINDEX, line - 1, 0);
    if (start < 0) return L"";
    const LRESULT length = SendMessageW(edit_, EM_LINELENGTH, start, 0);
    std::vector<wchar_t> buf(std::max<size_t>(length + 1, 2), L'\0');
    *reinterpret_cast<WORD*>(buf.data()) = static_cast<WORD>(std::min<size_t>(buf.size(), 0xFFFF));
    const LRESULT got =
        SendMessageW(edit_, EM_GETLINE, line - 1, reinterpret_cast<LPARAM>(buf.data()));
    return std::wstring(buf.data(), static_cast<size_t>(std::max<LRESULT>(got, 0)));
}

void CodePane::CaretToLine(long line) {
    const LRESULT start = SendMessageW(edit_, EM_LINEINDEX, line - 1, 0);
    if (start >= 0) SendMessageW(edit_, EM_SETSEL, start, start);
}

void CodePane::ReplaceLine(long line, const std::wstring& code) {
    if (!edit_) return;
    const LRESULT start = SendMessageW(edit_, EM_LINEINDEX, line - 1, 0);
    if (start < 0) return;
    const LRESULT length = SendMessageW(edit_, EM_LINELENGTH, start, 0);
    SendMessageW(edit_, EM_SETSEL, start, start + length);
    SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Shown(code).c_str()));
    CaretToLine(line);
}

void CodePane::InsertLines(long line, const std::wstring& code) {
    if (!edit_) return;
    const long count = CountOfLines();
    std::wstring text = Shown(code);
    LRESULT at = 0;
    if (line <= count) {
        at = SendMessageW(edit_, EM_LINEINDEX, line - 1, 0);
        text += L"\r\n";
    } else {
        at = GetWindowTextLengthW(edit_);
        if (count > 0) text.insert(0, L"\r\n");
    }
    SendMessageW(edit_, EM_SETSEL, at, at);
    SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    CaretToLine(line);
}

void CodePane::AddFromString(const std::wstring& code) {
    const long count = CountOfLines();
    long line = 1;
    for (; line <= count; ++line) {
        // A procedure's first line: its kind after any of the words that may go before it.
        std::wstring words = Line(line);
        for (auto& c : words)
            c = static_cast<wchar_t>(std::towlower(c));
        size_t at = words.find_first_not_of(L" \t");
        for (const wchar_t* prefix : {L"public ", L"private ", L"friend ", L"static "})
            if (at != std::wstring::npos && words.compare(at, std::wcslen(prefix), prefix) == 0)
                at = words.find_first_not_of(L" \t", at + std::wcslen(prefix));
        bool procedure = false;
        for (const wchar_t* kind : {L"sub ", L"function ", L"property "})
            procedure = procedure || (at != std::wstring::npos &&
                                      words.compare(at, std::wcslen(kind), kind) == 0);
        if (procedure) break;
    }
    InsertLines(line, code);
}

std::wstring CodePane::Text() const {
    if (!edit_) return L"";
    const int n = GetWindowTextLengthW(edit_);
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    s.resize(static_cast<size_t>(GetWindowTextW(edit_, s.data(), n + 1)));
    return s;
}

void CodePane::GetSelection(long* startLine, long* startColumn, long* endLine,
                            long* endColumn) const {
    DWORD s = 0, e = 0;
    if (edit_)
        SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    const auto place = [this](DWORD pos, long* line, long* column) {
        const LRESULT l = edit_ ? SendMessageW(edit_, EM_LINEFROMCHAR, pos, 0) : 0;
        const LRESULT first = edit_ ? SendMessageW(edit_, EM_LINEINDEX, l, 0) : 0;
        *line = static_cast<long>(l) + 1;
        *column = static_cast<long>(pos - first) + 1;
    };
    place(s, startLine, startColumn);
    place(e, endLine, endColumn);
}

long CodePane::Offset(long line, long column) const {
    const long count = std::max(CountOfLines(), 1L);
    if (!edit_ || line < 1 || line > count || column < 1) return -1;
    const LRESULT start = SendMessageW(edit_, EM_LINEINDEX, line - 1, 0);
    if (start < 0 || column - 1 > SendMessageW(edit_, EM_LINELENGTH, start, 0)) return -1;
    return static_cast<long>(start) + column - 1;
}

bool CodePane::SetSelection(long startLine, long startColumn, long endLine, long endColumn) {
    const long from = Offset(startLine, startColumn), to = Offset(endLine, endColumn);
    if (from < 0 || to < from) return false;
    SendMessageW(edit_, EM_SETSEL, from, to);
    SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
    return true;
}

void CodePane::Show() {
    if (!window_) return;
    if (IsIconic(window_)) SendMessageW(mdi_, WM_MDIRESTORE, reinterpret_cast<WPARAM>(window_), 0);
    SendMessageW(mdi_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window_), 0);
    SetFocus(edit_);
}

bool CodePane::ReadModule(const std::wstring& path, std::wstring* name, std::wstring* text) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    std::string bytes;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got)
        bytes.append(buf, got);
    CloseHandle(f);
    // VB writes modules in the ANSI code page; accept UTF-8 when it says so.
    UINT page = CP_ACP;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        page = CP_UTF8;
        bytes.erase(0, 3);
    }
    std::wstring all(bytes.size(), L'\0');
    all.resize(static_cast<size_t>(MultiByteToWideChar(page, 0, bytes.data(),
                                                       static_cast<int>(bytes.size()), all.data(),
                                                       static_cast<int>(all.size()))));
    all = WithCrLf(all);
    // The VB_Name attribute names the module; the IDE does not show it.
    const std::wstring attr = kNameAttribute;
    if (all.compare(0, attr.size(), attr) == 0) {
        const size_t close = all.find(L'"', attr.size());
        const size_t eol = all.find(L"\r\n");
        if (close != std::wstring::npos && (eol == std::wstring::npos || close < eol)) {
            *name = all.substr(attr.size(), close - attr.size());
            all.erase(0, eol == std::wstring::npos ? all.size() : eol + 2);
        }
    }
    if (name->empty()) {
        const size_t slash = path.find_last_of(L"\\/");
        *name = path.substr(slash == std::wstring::npos ? 0 : slash + 1);
        const size_t dot = name->rfind(L'.');
        if (dot != std::wstring::npos && dot > 0) name->resize(dot);
    }
    *text = all;
    return true;
}

bool CodePane::Save(const std::wstring& path) {
    if (!path.empty()) path_ = path;
    if (path_.empty()) return false;
    const std::wstring all = kNameAttribute + name_ + L"\"\r\n" + Text();
    return WriteAnsiFile(path_, all);
}

} // namespace host
