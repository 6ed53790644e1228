#include "ide.h"
#include "command_bar_events.h"
#include "objects.h"
#include <commctrl.h>
#include <commdlg.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace host {

namespace {

constexpr wchar_t kFrameClass[] = L"IdeHostFrame";
// The VBA editor's own window classes, which add-ins and tools look for.
constexpr wchar_t kVbaFrameClass[] = L"wndclass_desked_gsk";
constexpr wchar_t kVbaCodeClass[] = L"VbaWindow";
constexpr wchar_t kCodeClass[] = L"IdeHostCodePane";
constexpr int kFirstMdiChild = 50000;

HINSTANCE Module() {
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

} // namespace

std::shared_ptr<Ide> Ide::Create(const IdeOptions& options) {
    std::shared_ptr<Ide> ide(new Ide(options));
    if (!ide->CreateWindows()) return nullptr;
    if (options.files.empty()) ide->NewModule();
    for (const auto& f : options.files) {
        const bool form = IsFormFile(f);
        if (form ? !ide->OpenForm(f) : !ide->OpenModule(f))
            ide->Report((form ? L"The form " : L"The module ") + f + L" could not be opened.");
    }
    if (!ide->panes_.empty()) ide->panes_.front()->Show();
    if (!ide->forms_.empty()) ide->forms_.front()->Open();
    return ide;
}

Ide::Ide(const IdeOptions& options)
    : options_(options), faults_(std::make_shared<FaultPlan>()), addins_(*this) {
    faults_->Parse(options.faults);
}

Ide::~Ide() {
    Close();
    for (HBITMAP b : faceBitmaps_)
        DeleteObject(b);
}

bool Ide::CreateWindows() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    const wchar_t* frameClass = options_.vba ? kVbaFrameClass : kFrameClass;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(Module(), frameClass, &wc)) {
        wc.lpfnWndProc = &Ide::FrameProc;
        wc.hInstance = Module();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
        wc.lpszClassName = frameClass;
        RegisterClassExW(&wc);
    }
    frame_ = CreateWindowExW(0, frameClass,
                             options_.vba ? L"Microsoft Visual Basic for Applications - Project1"
                                          : L"Project1 - IDE host [design]",
                             WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 760, 540, nullptr,
                             nullptr, Module(), this);
    if (!frame_) return false;
    CLIENTCREATESTRUCT ccs{windowMenu_, kFirstMdiChild};
    mdi_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                           WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0,
                           0, 0, frame_, nullptr, Module(), &ccs);
    if (options_.standardBar) {
        toolbar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                   WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST |
                                       TBSTYLE_TOOLTIPS | CCS_TOP,
                                   0, 0, 0, 0, frame_, nullptr, Module(), nullptr);
        SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        SendMessageW(toolbar_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
        SendMessageW(toolbar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16));
        SendMessageW(toolbar_, TB_LOADIMAGES, IDB_STD_SMALL_COLOR,
                     reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    }
    BuildBars();
    Layout();
    ShowWindow(frame_, options_.showCommand);
    UpdateWindow(frame_);
    return true;
}

void Ide::Close() {
    if (closing_ || !frame_) return;
    closing_ = true;
    addins_.UnloadAll();
    // Sources the add-ins still hold lose their sinks: nothing of the IDE is raised later.
    const auto sources = eventSources_;
    for (CommandBarEventsObject* s : sources)
        s->Detach();
    panes_.clear();
    forms_.clear();
    HWND frame = frame_;
    frame_ = toolbar_ = mdi_ = nullptr;
    DestroyWindow(frame);
    closing_ = false;
}

void Ide::Crash() {
    addins_.Abandon();
    Close();
}

const wchar_t* Ide::CodeClass() const {
    return options_.vba ? kVbaCodeClass : kCodeClass;
}

ComPtr<IDispatch> Ide::Vbe() {
    return NewVbe(weak_from_this());
}

void Ide::Layout() {
    if (!frame_) return;
    RECT r;
    GetClientRect(frame_, &r);
    int top = 0;
    if (toolbar_) {
        SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
        RECT t;
        GetWindowRect(toolbar_, &t);
        top = t.bottom - t.top;
    }
    if (mdi_) MoveWindow(mdi_, 0, top, r.right, r.bottom - top, TRUE);
}

std::shared_ptr<CodePane> Ide::ActivePane() {
    if (!mdi_) return nullptr;
    HWND active = reinterpret_cast<HWND>(SendMessageW(mdi_, WM_MDIGETACTIVE, 0, 0));
    for (const auto& p : panes_)
        if (p->window() == active) return p;
    return nullptr;
}

std::shared_ptr<CodePane> Ide::LastActivePane() {
    if (auto active = ActivePane()) lastPane_ = active;
    auto last = lastPane_.lock();
    return last && last->window() ? last : nullptr;
}

ComPtr<IDispatch> Ide::ActiveWindow() {
    HWND active = mdi_ ? reinterpret_cast<HWND>(SendMessageW(mdi_, WM_MDIGETACTIVE, 0, 0)) : nullptr;
    if (!active) return {};
    for (const auto& p : panes_)
        if (p->window() == active) {
            std::weak_ptr<CodePane> w = p;
            return NewWindow(weak_from_this(), kCodeWindowType, [w] {
                auto pane = w.lock();
                return pane ? pane->window() : nullptr;
            });
        }
    for (const auto& f : forms_)
        if (f->window() == active) {
            std::weak_ptr<FormDesigner> w = f;
            return NewWindow(weak_from_this(), kDesignerType, [w] {
                auto form = w.lock();
                return form ? form->window() : nullptr;
            });
        }
    return {};
}

std::shared_ptr<CodePane> Ide::KeepPane(std::shared_ptr<CodePane> pane) {
    pane->OnClosed = [this](CodePane* p) { OnPaneClosed(p); };
    pane->OnActivated = [this](CodePane* p) {
        for (const auto& each : panes_)
            if (each.get() == p) lastPane_ = each;
    };
    panes_.push_back(pane);
    lastPane_ = pane; // a new MDI child is the active one
    return pane;
}

std::shared_ptr<CodePane> Ide::NewModule() {
    return KeepPane(std::make_shared<CodePane>(mdi_, CodeClass(),
                                            L"Module" + std::to_wstring(++untitled_), L"", L""));
}

std::shared_ptr<CodePane> Ide::OpenModule(const std::wstring& path) {
    std::wstring name, text;
    if (!CodePane::ReadModule(path, &name, &text)) return nullptr;
    return KeepPane(std::make_shared<CodePane>(mdi_, CodeClass(), name, path, text));
}

void Ide::OnPaneClosed(CodePane* pane) {
    for (auto it = panes_.begin(); it != panes_.end(); ++it)
        if (it->get() == pane) {
            panes_.erase(it);
            return;
        }
}

Outcome EditRefusal(const std::weak_ptr<Ide>& ide) {
    auto i = ide.lock();
    if (!i) return {};
    if (i->options().locked)
        return Raise(VbError(50289), L"Can't perform operation since the project is protected.");
    if (i->options().running) return Raise(VbError(17), L"Can't perform requested operation");
    return {};
}

void Ide::Report(const std::wstring& text) {
    reports_.push_back(text);
    if (options_.interactive)
        MessageBoxW(frame_, text.c_str(), L"IDE host", MB_OK | MB_ICONWARNING);
}

void Ide::SaveActive(bool askForName) {
    HWND active = reinterpret_cast<HWND>(SendMessageW(mdi_, WM_MDIGETACTIVE, 0, 0));
    for (const auto& f : forms_)
        if (active && f->window() == active) {
            SaveForm(*f, askForName);
            return;
        }
    auto pane = ActivePane();
    if (!pane) return;
    std::wstring path = pane->path();
    if (askForName || path.empty()) {
        wchar_t file[MAX_PATH];
        lstrcpynW(file, (pane->name() + L".bas").c_str(), MAX_PATH);
        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = frame_;
        ofn.lpstrFilter = L"Basic modules (*.bas)\0*.bas\0All files\0*.*\0";
        ofn.lpstrFile = file;
        ofn.nMaxFile = MAX_PATH;
        ofn.lpstrDefExt = L"bas";
        ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
        if (!GetSaveFileNameW(&ofn)) return;
        path = file;
    }
    if (!pane->Save(path)) Report(L"The module could not be saved to " + path + L".");
}

void Ide::OpenWithDialog() {
    wchar_t file[MAX_PATH] = L"";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = frame_;
    ofn.lpstrFilter = L"Basic modules (*.bas)\0*.bas\0Forms (*.frm)\0*.frm\0All files\0*.*\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_FILEMUSTEXIST;
    if (!GetOpenFileNameW(&ofn)) return;
    if (ofn.nFilterIndex == 2 || IsFormFile(file)) {
        if (auto form = OpenForm(file))
            form->Open();
        else
            Report(std::wstring(L"The form ") + file + L" could not be opened.");
    } else if (auto pane = OpenModule(file))
        pane->Show();
    else
        Report(std::wstring(L"The module ") + file + L" could not be opened.");
}

void Ide::EditCommand(UINT message) {
    if (auto pane = ActivePane()) SendMessageW(pane->edit(), message, 0, 0);
}

LRESULT CALLBACK Ide::FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* created = static_cast<Ide*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        created->frame_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<Ide*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    return self->HandleFrame(hwnd, msg, wp, lp);
}

LRESULT Ide::HandleFrame(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SIZE:
        Layout();
        return 0;
    case WM_COMMAND:
        if (HIWORD(wp) <= 1 && LOWORD(wp) >= 1000 && LOWORD(wp) < kFirstMdiChild) {
            Click(LOWORD(wp));
            return 0;
        }
        break;
    case WM_INITMENUPOPUP:
        if (reinterpret_cast<HMENU>(wp) == managerMenu_) FillAddinManagerMenu(managerMenu_);
        break;
    case WM_CLOSE:
        if (addins_.busy()) return 0;
        Close();
        return 0;
    case WM_DESTROY:
        if (options_.quitOnClose) PostQuitMessage(0);
        break;
    default:
        break;
    }
    return DefFrameProcW(hwnd, mdi_, msg, wp, lp);
}

} // namespace host
