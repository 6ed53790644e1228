#include "designer.h"
#include <algorithm>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace host {

namespace {

// The class both editors give the window of a form's designer.
constexpr wchar_t kDesignerClass[] = L"DesignerWindow";
constexpr int kHandle = 6; // a selection handle's side, in pixels
constexpr long kTabsTwips = 360; // a page's content starts below its MultiPage's tabs
constexpr long kTabTwips = 900;  // a tab's width

HINSTANCE Module() {
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

COLORREF Resolve(long c) {
    return c < 0 ? GetSysColor(c & 0xFF) : static_cast<COLORREF>(c & 0xFFFFFF);
}

long ColourOf(FormControl& c, const wchar_t* name, long otherwise) {
    const ColourProperty* p = c.Colour(name);
    return p ? p->value : otherwise;
}

void Fill(HDC dc, const RECT& r, long colour) {
    HBRUSH b = CreateSolidBrush(Resolve(colour));
    FillRect(dc, &r, b);
    DeleteObject(b);
}

void Text(HDC dc, RECT r, const std::wstring& s, long colour, UINT format) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Resolve(colour));
    DrawTextW(dc, s.c_str(), static_cast<int>(s.size()), &r, format | DT_NOPREFIX);
}

void Frame(HDC dc, const RECT& r, long colour, int width, int style = PS_SOLID) {
    HPEN pen = CreatePen(style, width, Resolve(colour));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

void Handles(HDC dc, const RECT& r, bool primary) {
    const int xs[] = {static_cast<int>(r.left), static_cast<int>((r.left + r.right) / 2),
                      static_cast<int>(r.right)};
    const int ys[] = {static_cast<int>(r.top), static_cast<int>((r.top + r.bottom) / 2),
                      static_cast<int>(r.bottom)};
    for (int x : xs)
        for (int y : ys) {
            if (x == xs[1] && y == ys[1]) continue;
            RECT h{x - kHandle / 2, y - kHandle / 2, x + kHandle / 2, y + kHandle / 2};
            // The primary selection's handles are filled, the others' hollow, as in VB6.
            if (primary)
                FillRect(dc, &h, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            else
                Frame(dc, h, 0, 1);
        }
}

} // namespace

FormDesigner::FormDesigner(FormModel model, bool msForms, HWND mdiClient)
    : model_(std::move(model)), msForms_(msForms), mdi_(mdiClient) {
    model_.Number();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(Module(), kDesignerClass, &wc)) {
        wc.lpfnWndProc = &FormDesigner::Proc;
        wc.hInstance = Module();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpszClassName = kDesignerClass;
        RegisterClassExW(&wc);
    }
}

FormDesigner::~FormDesigner() {
    Close();
}

int FormDesigner::Pixels(long twips) const {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return MulDiv(static_cast<int>(twips), dpi, 1440);
}

void FormDesigner::Open() {
    if (window_ && !hidden_) {
        SendMessageW(mdi_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window_), 0);
        return;
    }
    Close();
    ++generation_;
    RECT r{0, 0, Pixels(model_.clientWidth), Pixels(model_.clientHeight)};
    AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_MDICHILD);
    const std::wstring title =
        L"Project1 - " + model_.name + (msForms_ ? L" (UserForm)" : L" (Form)");
    MDICREATESTRUCTW mcs{kDesignerClass,
                         title.c_str(),
                         Module(),
                         24,
                         24,
                         r.right - r.left,
                         r.bottom - r.top,
                         0,
                         reinterpret_cast<LPARAM>(this)};
    window_ =
        reinterpret_cast<HWND>(SendMessageW(mdi_, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    hidden_ = false;
}

void FormDesigner::OpenHidden() {
    if (window_) return;
    ++generation_;
    // Not an MDI child: those are always shown. A hidden child of the client instead.
    window_ = CreateWindowExW(0, kDesignerClass, model_.name.c_str(), WS_CHILD, 0, 0,
                              Pixels(model_.clientWidth), Pixels(model_.clientHeight), mdi_,
                              nullptr, Module(), this);
    hidden_ = window_ != nullptr;
}

void FormDesigner::Close() {
    if (!window_) return;
    HWND w = window_;
    window_ = nullptr;
    SetWindowLongPtrW(w, GWLP_USERDATA, 0);
    if (hidden_)
        DestroyWindow(w);
    else
        SendMessageW(mdi_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(w), 0);
    hidden_ = false;
    selection_.clear();
}

void FormDesigner::Select(size_t index, bool extend) {
    if (index >= model_.controls.size()) return;
    const auto at = std::find(selection_.begin(), selection_.end(), index);
    // A selection holds the controls of one container only.
    if (!selection_.empty() &&
        model_.controls[selection_[0]].parent != model_.controls[index].parent)
        extend = false;
    if (!extend) {
        selection_.assign(1, index);
    } else if (at != selection_.end()) {
        selection_.erase(at);
    } else {
        selection_.push_back(index);
    }
    Redraw();
}

void FormDesigner::ClearSelection() {
    selection_.clear();
    Redraw();
}

void FormDesigner::DeleteSelection() {
    if (selection_.empty()) return;
    // The selected controls and all inside them, found before any is taken out.
    std::vector<unsigned> gone;
    for (const FormControl& c : model_.controls)
        for (size_t i : selection_)
            if (model_.Within(c.id, model_.controls[i].id)) {
                gone.push_back(c.id);
                break;
            }
    auto& controls = model_.controls;
    controls.erase(std::remove_if(controls.begin(), controls.end(),
                                  [&](const FormControl& c) {
                                      return std::find(gone.begin(), gone.end(), c.id) !=
                                             gone.end();
                                  }),
                   controls.end());
    model_.changed = true;
    ClearSelection();
}

RECT FormDesigner::ControlRect(size_t index) const {
    const FormControl& c = model_.controls[index];
    long x = 0, y = 0; // the container's origin on the form
    for (size_t up = model_.IndexOf(c.parent); up < model_.controls.size();
         up = model_.IndexOf(model_.controls[up].parent)) {
        const FormControl& box = model_.controls[up];
        x += box.left;
        y += box.top + (box.kind == ControlKind::MultiPage ? kTabsTwips : 0);
    }
    RECT r{Pixels(x + c.left), Pixels(y + c.top), Pixels(x + c.left + c.width),
           Pixels(y + c.top + c.height)};
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    if (c.kind == ControlKind::Line) InflateRect(&r, 3, 3); // a line is picked near it
    return r;
}

void FormDesigner::Redraw() {
    if (window_) InvalidateRect(window_, nullptr, TRUE);
}

bool FormDesigner::Save(const std::wstring& path) {
    if (!path.empty()) model_.path = path;
    if (model_.path.empty() || !WriteForm(model_.path, model_)) return false;
    model_.changed = false;
    return true;
}

void FormDesigner::Click(POINT pt, bool extend) {
    // The topmost control under the point: the last one drawn. A page is its MultiPage's.
    for (size_t i = model_.controls.size(); i-- > 0;) {
        const RECT r = ControlRect(i);
        if (!model_.Shown(i) || !PtInRect(&r, pt)) continue;
        FormControl& c = model_.controls[i];
        if (c.kind == ControlKind::Page) {
            Select(model_.IndexOf(c.parent), extend);
        } else {
            // A click on a MultiPage's tab shows that page.
            if (c.kind == ControlKind::MultiPage && pt.y < r.top + Pixels(kTabsTwips)) {
                long pages = 0;
                for (const FormControl& page : model_.controls)
                    pages += page.parent == c.id;
                const long tab = (pt.x - r.left) / std::max(1, Pixels(kTabTwips));
                if (tab < pages) c.value = tab;
            }
            Select(i, extend);
        }
        return;
    }
    if (!extend) ClearSelection();
}

void FormDesigner::Paint(HDC dc) {
    RECT client;
    GetClientRect(window_, &client);
    Fill(dc, client, model_.backColor);
    for (size_t i = 0; i < model_.controls.size(); ++i) {
        FormControl& c = model_.controls[i];
        if (!model_.Shown(i)) continue;
        RECT r = ControlRect(i);
        const long back = ColourOf(c, L"BackColor", model_.backColor);
        const long fore = ColourOf(c, L"ForeColor", static_cast<long>(0x80000012));
        switch (c.kind) {
        case ControlKind::Label:
            Fill(dc, r, back);
            Text(dc, r, c.caption, fore, DT_LEFT | DT_WORDBREAK);
            break;
        case ControlKind::CommandButton:
            Fill(dc, r, back);
            DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
            Text(dc, r, c.caption, fore, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            break;
        case ControlKind::TextBox:
        case ControlKind::PictureBox:
            Fill(dc, r, back);
            DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
            if (c.kind == ControlKind::TextBox)
                Text(dc, r, c.caption, fore, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
            break;
        case ControlKind::Shape: {
            Fill(dc, r, back);
            // The fill colour as a cross-hatch inside, the border around.
            HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, Resolve(ColourOf(c, L"FillColor", 0)));
            RECT inner = r;
            InflateRect(&inner, -2, -2);
            SetBkMode(dc, TRANSPARENT);
            FillRect(dc, &inner, hatch);
            DeleteObject(hatch);
            Frame(dc, r, ColourOf(c, L"BorderColor", 0), 2);
            break;
        }
        case ControlKind::Line: {
            HPEN pen = CreatePen(PS_SOLID, 2, Resolve(ColourOf(c, L"BorderColor", 0)));
            HGDIOBJ old = SelectObject(dc, pen);
            MoveToEx(dc, Pixels(c.left), Pixels(c.top), nullptr);
            LineTo(dc, Pixels(c.left + c.width), Pixels(c.top + c.height));
            SelectObject(dc, old);
            DeleteObject(pen);
            break;
        }
        case ControlKind::Image:
            if (const ColourProperty* p = c.Colour(L"BackColor")) Fill(dc, r, p->value);
            Frame(dc, r, ColourOf(c, L"BorderColor", 0x808080), 1, PS_DOT);
            break;
        case ControlKind::Frame:
            Fill(dc, r, back);
            DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
            Text(dc, r, L" " + c.caption, fore, DT_LEFT | DT_SINGLELINE | DT_TOP);
            break;
        case ControlKind::MultiPage: {
            Fill(dc, r, back);
            DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
            // A tab a page, the selected one raised.
            long k = 0;
            for (const FormControl& page : model_.controls) {
                if (page.parent != c.id || page.kind != ControlKind::Page) continue;
                RECT tab{r.left + Pixels(k * kTabTwips), r.top,
                         r.left + Pixels((k + 1) * kTabTwips), r.top + Pixels(kTabsTwips)};
                DrawEdge(dc, &tab, k == c.value ? EDGE_RAISED : EDGE_ETCHED, BF_RECT);
                Text(dc, tab, page.caption, fore, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
                ++k;
            }
            break;
        }
        case ControlKind::Page: // drawn by its MultiPage
            break;
        }
    }
    for (size_t k = 0; k < selection_.size(); ++k)
        Handles(dc, ControlRect(selection_[k]), k == 0);
}

LRESULT CALLBACK FormDesigner::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        LPARAM self = reinterpret_cast<LPARAM>(cs->lpCreateParams);
        if (cs->dwExStyle & WS_EX_MDICHILD)
            self = reinterpret_cast<MDICREATESTRUCTW*>(cs->lpCreateParams)->lParam;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, self);
    }
    auto* self = reinterpret_cast<FormDesigner*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    const bool mdiChild = GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD;
    const auto otherwise = [&] {
        return mdiChild ? DefMDIChildProcW(hwnd, msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
    };
    if (!self) return otherwise();
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        self->Paint(dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_KEYDOWN:
        if (wp == VK_DELETE) self->DeleteSelection();
        break;
    case WM_LBUTTONDOWN:
        self->Click(POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))},
                    (wp & (MK_SHIFT | MK_CONTROL)) != 0);
        break;
    case WM_MDIACTIVATE:
        if (reinterpret_cast<HWND>(lp) == hwnd && self->OnActivated) self->OnActivated(self);
        break;
    case WM_DESTROY:
        // The user closed the designer: the form stays in the project; the objects of this
        // designer are dead.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        self->hidden_ = false;
        self->selection_.clear();
        break;
    default:
        break;
    }
    return otherwise();
}

} // namespace host
