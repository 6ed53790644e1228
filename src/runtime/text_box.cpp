#include "text_box.h"
#include "font.h"
#include "form.h"
#include "system_colour.h"
#include <oleacc.h>
#include <vector>

namespace hv::rt {

TextBox::TextBox(Form& form, std::string name, double left, double top, double width, double height,
                 Align alignment, bool border, bool multiLine)
    : Control(form, std::move(name), left, top, width, height) {
    const DWORD align = alignment == Align::Center  ? ES_CENTER
                        : alignment == Align::Right ? ES_RIGHT
                                                    : ES_LEFT;
    AttachChild("EDIT",
                WS_TABSTOP | ES_AUTOHSCROLL | align | (border ? WS_BORDER : 0) |
                    (multiLine ? ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL : 0));
    // The form's "MS Sans Serif" 8.25, shared rather than made again for each box.
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(form.DefaultFont()), FALSE);
    AccRole = ROLE_SYSTEM_TEXT; // named by its tooltip, which the edit's own object lacks
}

std::string TextBox::Text() const {
    return WindowText();
}

// The same text again is left alone: rewriting it would repaint the box for nothing, and a
// pick while the pointer moves mostly writes what is already there.
void TextBox::SetText(const std::string& text) {
    if (Text() != text) ReplaceWindowText(text);
}

void TextBox::Describe(AccDescription& d) const {
    Control::Describe(d);
    d.value = Text();
}

int TextBox::SelStart() const {
    DWORD start = 0, end = 0;
    SendMessageA(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(start);
}

int TextBox::SelLength() const {
    DWORD start = 0, end = 0;
    SendMessageA(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TextBox::SetSelStart(int start) {
    SendMessageA(hwnd(), EM_SETSEL, start, start);
}

void TextBox::SetSelLength(int length) {
    const int start = SelStart();
    SendMessageA(hwnd(), EM_SETSEL, start, start + length);
}

void TextBox::SetForeColor(ColorValue c) {
    fore_ = c;
    Invalidate();
}

void TextBox::SetBackColor(ColorValue c) {
    back_ = c;
    brush_.reset();
    Invalidate();
}

void TextBox::SetFont(const std::string& face, double points, bool bold) {
    font_ = CreateVbFont(face, points, bold);
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()),
                 IsWindowVisible(hwnd()));
}

HBRUSH TextBox::CtlColor(HDC dc) {
    if (!brush_) brush_.reset(CreateSolidBrush(ResolveColor(back_)));
    SetTextColor(dc, ResolveColor(fore_));
    SetBkColor(dc, ResolveColor(back_));
    return brush_.get();
}

void TextBox::Command(WORD notifyCode) {
    if (notifyCode == EN_CHANGE && OnChange) OnChange();
}

LRESULT TextBox::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CHAR && OnKeyPress) {
        int keyAscii = static_cast<int>(wp);
        OnKeyPress(keyAscii);
        if (keyAscii == 0) return 0;
        wp = static_cast<WPARAM>(keyAscii);
    }
    // A whole list of lines is not selected: one key would replace it.
    if (msg == WM_SETFOCUS && !(GetWindowLongA(hwnd(), GWL_STYLE) & ES_MULTILINE)) {
        LRESULT r = Default(msg, wp, lp);
        SetSelStart(0);
        SetSelLength(GetWindowTextLengthA(hwnd()));
        return r;
    }
    return Control::HandleMessage(msg, wp, lp);
}

} // namespace hv::rt
