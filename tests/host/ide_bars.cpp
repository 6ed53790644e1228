// The IDE's command bars: built-in controls, controls that add-ins add, faces pasted from
// the clipboard, and what a click on a control raises.
#include "command_bar_events.h"
#include "ide.h"
#include "objects.h"
#include <commctrl.h>
#include <olectl.h>

namespace host {

namespace {
constexpr int kManagerFirst = 40000, kManagerLast = 40999;
}

void Ide::AddCommand(HMENU menu, const wchar_t* caption, std::function<void()> action) {
    if (!caption) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        return;
    }
    const int id = nextCommand_++;
    commands_[id] = std::move(action);
    AppendMenuW(menu, MF_STRING, id, caption);
}

std::shared_ptr<BarControl> Ide::BuiltIn(CommandBar& bar, const std::wstring& caption, long type,
                                         std::function<void()> action) {
    auto c = std::make_shared<BarControl>();
    c->id = nextCommand_++;
    c->type = type;
    c->caption = caption;
    c->builtIn = true;
    c->action = std::move(action);
    if (type == kControlPopup) c->submenu = CreatePopupMenu();
    bar.controls.push_back(c);
    return c;
}

void Ide::BuildBars() {
    // A localised VB6 names its bars in its language (the VBA editor is played in English).
    const bool german = SameText(options_.lang, L"de") && !options_.vba;
    auto menuBar = std::make_unique<CommandBar>();
    menuBar->name = german ? L"Men\u00FCleiste" : L"Menu Bar";
    menuBar->style = CommandBar::Style::MenuBar;
    menuBar->menu = CreateMenu();

    auto file = BuiltIn(*menuBar, L"&File", kControlPopup, nullptr);
    AddCommand(file->submenu, L"&Open Module...", [this] { OpenWithDialog(); });
    AddCommand(file->submenu, L"&Save Module", [this] { SaveActive(false); });
    AddCommand(file->submenu, L"Save Module &As...", [this] { SaveActive(true); });
    AddCommand(file->submenu, nullptr, nullptr);
    AddCommand(file->submenu, L"E&xit", [this] { PostMessageW(frame_, WM_CLOSE, 0, 0); });
    auto edit = BuiltIn(*menuBar, L"&Edit", kControlPopup, nullptr);
    AddCommand(edit->submenu, L"&Undo", [this] { EditCommand(WM_UNDO); });
    AddCommand(edit->submenu, nullptr, nullptr);
    AddCommand(edit->submenu, L"Cu&t", [this] { EditCommand(WM_CUT); });
    AddCommand(edit->submenu, L"&Copy", [this] { EditCommand(WM_COPY); });
    AddCommand(edit->submenu, L"&Paste", [this] { EditCommand(WM_PASTE); });
    AddCommand(edit->submenu, L"&Delete", [this] { EditCommand(WM_CLEAR); });

    // The Add-Ins menu is a command bar of its own, found by name.
    auto addins = std::make_unique<CommandBar>();
    addins->name = L"Add-Ins";
    addins->style = CommandBar::Style::Popup;
    addins->menu = CreatePopupMenu();
    auto manager = BuiltIn(*addins, L"Add-In &Manager", kControlPopup, nullptr);
    managerMenu_ = manager->submenu;
    auto addinsMenu = BuiltIn(*menuBar, L"&Add-Ins", kControlPopup, nullptr);
    DestroyMenu(addinsMenu->submenu);
    addinsMenu->submenu = addins->menu;

    auto window = BuiltIn(*menuBar, L"&Window", kControlPopup, nullptr);
    windowMenu_ = window->submenu;
    AddCommand(windowMenu_, L"&Cascade", [this] { SendMessageW(mdi_, WM_MDICASCADE, 0, 0); });
    AddCommand(windowMenu_, L"&Tile",
               [this] { SendMessageW(mdi_, WM_MDITILE, MDITILE_HORIZONTAL, 0); });

    CommandBar* menuBarPtr = menuBar.get();
    bars_.push_back(std::move(menuBar));
    if (options_.vba) {
        // Office lists its toolbars in an order of its own: command bar 2 is not "Standard".
        auto editBar = std::make_unique<CommandBar>();
        editBar->name = L"Edit";
        editBar->style = CommandBar::Style::Toolbar;
        editBar->visible = false;
        BuiltIn(*editBar, L"Indent", kControlButton, nullptr);
        BuiltIn(*editBar, L"Outdent", kControlButton, nullptr);
        bars_.push_back(std::move(editBar));
    }
    if (toolbar_) {
        auto standard = std::make_unique<CommandBar>();
        standard->name = german ? L"Voreinstellung" : L"Standard";
        standard->style = CommandBar::Style::Toolbar;
        const struct {
            const wchar_t* caption;
            int image;
            bool group;
            std::function<void()> action;
        } buttons[] = {
            {L"Open Module", STD_FILEOPEN, false, [this] { OpenWithDialog(); }},
            {L"Save Module", STD_FILESAVE, false, [this] { SaveActive(false); }},
            {L"Cut", STD_CUT, true, [this] { EditCommand(WM_CUT); }},
            {L"Copy", STD_COPY, false, [this] { EditCommand(WM_COPY); }},
            {L"Paste", STD_PASTE, false, [this] { EditCommand(WM_PASTE); }},
            {L"Undo", STD_UNDO, true, [this] { EditCommand(WM_UNDO); }},
        };
        for (const auto& b : buttons) {
            auto c = BuiltIn(*standard, b.caption, kControlButton, b.action);
            c->image = b.image;
            c->beginGroup = b.group;
        }
        bars_.push_back(std::move(standard));
    }
    bars_.push_back(std::move(addins));
    RestoreBars();
    for (auto& bar : bars_)
        Refresh(*bar);
    SetMenu(frame_, menuBarPtr->menu);
}

size_t Ide::BarCount() const {
    size_t n = 0;
    for (const auto& bar : bars_)
        if (bar->style != CommandBar::Style::Popup) ++n;
    return n;
}

CommandBar* Ide::BarAt(long index) {
    long n = 0;
    for (auto& bar : bars_)
        if (bar->style != CommandBar::Style::Popup && ++n == index) return bar.get();
    return nullptr;
}

CommandBar* Ide::BarNamed(const std::wstring& name) {
    for (auto& bar : bars_)
        if (SameText(bar->name, name)) return bar.get();
    return nullptr;
}

CommandBar* Ide::BarOf(const BarControl& control) {
    for (auto& bar : bars_)
        for (const auto& c : bar->controls)
            if (c.get() == &control) return bar.get();
    return nullptr;
}

std::shared_ptr<BarControl> Ide::AddControl(CommandBar& bar, long type, long before,
                                            bool temporary) {
    auto c = std::make_shared<BarControl>();
    c->id = nextCommand_++;
    c->type = type;
    c->temporary = temporary;
    if (type == kControlPopup) c->submenu = CreatePopupMenu();
    const size_t at = before >= 1 && static_cast<size_t>(before) <= bar.controls.size()
                          ? static_cast<size_t>(before - 1)
                          : bar.controls.size();
    bar.controls.insert(bar.controls.begin() + static_cast<std::ptrdiff_t>(at), c);
    Refresh(bar);
    return c;
}

std::shared_ptr<BarControl> Ide::BuiltInById(long id) {
    for (auto& bar : bars_)
        for (const auto& c : bar->controls)
            if (c->builtIn && c->id == id && c->type == kControlButton) return c;
    return nullptr;
}

std::shared_ptr<BarControl> Ide::FindControl(long type, long id, const std::wstring* tag,
                                             bool visibleOnly) {
    for (auto& bar : bars_) {
        if (visibleOnly && (!bar->visible || bar->style == CommandBar::Style::Popup)) continue;
        for (const auto& c : bar->controls)
            if ((type == -1 || c->type == type) && (id == -1 || (c->builtIn ? c->id : 1) == id) &&
                (!tag || *tag == c->tag))
                return c;
    }
    return nullptr;
}

void Ide::DeleteControl(const BarControl& control) {
    CommandBar* bar = BarOf(control);
    if (!bar) return;
    std::shared_ptr<BarControl> gone;
    for (auto it = bar->controls.begin(); it != bar->controls.end(); ++it)
        if (it->get() == &control) {
            gone = *it;
            bar->controls.erase(it);
            break;
        }
    Refresh(*bar);
    if (!gone || !gone->submenu) return;
    // A popup's own menu goes with it; the menu of another command bar stays.
    for (const auto& b : bars_)
        if (b->menu == gone->submenu) return;
    if (gone->submenu == managerMenu_) managerMenu_ = nullptr;
    if (gone->submenu == windowMenu_) windowMenu_ = nullptr;
    DestroyMenu(gone->submenu);
}

void Ide::Refresh(CommandBar& bar) {
    if (bar.style == CommandBar::Style::Toolbar)
        RenderToolbar(bar);
    else
        RenderMenu(bar);
    SaveBars();
}

void Ide::RenderToolbar(CommandBar& bar) {
    if (!toolbar_ || !bar.visible) return;
    while (SendMessageW(toolbar_, TB_BUTTONCOUNT, 0, 0) > 0)
        SendMessageW(toolbar_, TB_DELETEBUTTON, 0, 0);
    std::vector<TBBUTTON> buttons;
    for (size_t i = 0; i < bar.controls.size(); ++i) {
        const BarControl& c = *bar.controls[i];
        if (c.beginGroup && i > 0) {
            TBBUTTON sep{};
            sep.fsStyle = BTNS_SEP;
            buttons.push_back(sep);
        }
        TBBUTTON b{};
        b.iBitmap = c.image >= 0 ? c.image : I_IMAGENONE;
        b.idCommand = c.id;
        b.fsState = TBSTATE_ENABLED;
        // Without a picture the caption shows; with one it is the tooltip.
        b.fsStyle = BTNS_BUTTON | (c.image < 0 ? BTNS_SHOWTEXT | BTNS_AUTOSIZE : 0);
        b.iString = reinterpret_cast<INT_PTR>(c.caption.c_str());
        buttons.push_back(b);
    }
    SendMessageW(toolbar_, TB_ADDBUTTONSW, buttons.size(),
                 reinterpret_cast<LPARAM>(buttons.data()));
    Layout();
}

void Ide::RenderMenu(CommandBar& bar) {
    while (GetMenuItemCount(bar.menu) > 0)
        RemoveMenu(bar.menu, 0, MF_BYPOSITION);
    for (size_t i = 0; i < bar.controls.size(); ++i) {
        const BarControl& c = *bar.controls[i];
        if (c.beginGroup && i > 0) AppendMenuW(bar.menu, MF_SEPARATOR, 0, nullptr);
        if (c.type == kControlPopup)
            AppendMenuW(bar.menu, MF_POPUP, reinterpret_cast<UINT_PTR>(c.submenu),
                        c.caption.c_str());
        else
            AppendMenuW(bar.menu, MF_STRING, c.id, c.caption.c_str());
    }
    if (bar.style == CommandBar::Style::MenuBar && frame_) DrawMenuBar(frame_);
}

namespace {

// A bitmap's pixels as 0x00RRGGBB, top row first; empty when it can't be read.
std::vector<std::uint32_t> PixelsOf(HBITMAP bmp, int* width, int* height) {
    BITMAP bm{};
    std::vector<std::uint32_t> pixels;
    if (!bmp || !GetObjectW(bmp, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return pixels;
    pixels.resize(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC dc = GetDC(nullptr);
    if (GetDIBits(dc, bmp, 0, bm.bmHeight, pixels.data(), &bi, DIB_RGB_COLORS) != bm.bmHeight)
        pixels.clear();
    ReleaseDC(nullptr, dc);
    for (auto& p : pixels)
        p &= 0x00FFFFFF;
    *width = bm.bmWidth;
    *height = bm.bmHeight;
    return pixels;
}

} // namespace

bool Ide::PasteFace(BarControl& control) {
    if (!OpenClipboard(frame_)) return false;
    int width = 0, height = 0;
    auto pixels = PixelsOf(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)), &width, &height);
    CloseClipboard();
    if (pixels.empty()) return false;
    SetFace(control, std::move(pixels), width, height);
    return true;
}

bool Ide::SetFacePicture(BarControl& control, IUnknown* picture, bool isMask) {
    ComPtr<IPicture> p;
    OLE_HANDLE handle = 0;
    short type = PICTYPE_NONE;
    if (!picture || FAILED(picture->QueryInterface(IID_PPV_ARGS(&p))) ||
        FAILED(p->get_Type(&type)) || type != PICTYPE_BITMAP || FAILED(p->get_Handle(&handle)))
        return false;
    int width = 0, height = 0;
    auto pixels =
        PixelsOf(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), &width, &height);
    if (pixels.empty()) return false;
    (isMask ? control.mask : control.picture) = picture;
    if (isMask) {
        control.maskPixels = std::move(pixels);
    } else {
        control.picturePixels = std::move(pixels);
        control.pictureWidth = width;
        control.pictureHeight = height;
    }
    // The mask's white shows the bar through; without a mask of the picture's size, the whole
    // picture shows.
    auto face = control.picturePixels;
    if (face.empty()) return true;
    if (control.maskPixels.size() == face.size()) {
        const std::uint32_t back = GetSysColor(COLOR_BTNFACE);
        const std::uint32_t backRgb =
            (GetRValue(back) << 16) | (GetGValue(back) << 8) | GetBValue(back);
        for (size_t i = 0; i < face.size(); ++i)
            if (control.maskPixels[i] == 0xFFFFFF) face[i] = backRgb;
    }
    SetFace(control, std::move(face), control.pictureWidth, control.pictureHeight);
    return true;
}

void Ide::SetFace(BarControl& control, std::vector<std::uint32_t> pixels, int width, int height) {
    control.face = std::move(pixels);
    control.faceWidth = width;
    control.faceHeight = height;
    CommandBar* bar = BarOf(control);
    if (!toolbar_ || !bar || bar->style != CommandBar::Style::Toolbar || !bar->visible) return;
    // The toolbar shows faces at its own button size.
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    HDC dst = CreateCompatibleDC(screen);
    HBITMAP small = CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ oldDst = SelectObject(dst, small);
    SetStretchBltMode(dst, HALFTONE);
    SetBrushOrgEx(dst, 0, 0, nullptr);
    StretchDIBits(dst, 0, 0, 16, 16, 0, 0, width, height, control.face.data(), &bi, DIB_RGB_COLORS,
                  SRCCOPY);
    SelectObject(dst, oldDst);
    DeleteDC(dst);
    ReleaseDC(nullptr, screen);
    TBADDBITMAP add{nullptr, reinterpret_cast<UINT_PTR>(small)};
    const LRESULT index = SendMessageW(toolbar_, TB_ADDBITMAP, 1, reinterpret_cast<LPARAM>(&add));
    faceBitmaps_.push_back(small);
    if (index >= 0) control.image = static_cast<int>(index);
    Refresh(*bar);
}

bool Ide::ButtonRect(const BarControl& control, RECT* rect) const {
    if (!toolbar_) return false;
    const LRESULT index = SendMessageW(toolbar_, TB_COMMANDTOINDEX, control.id, 0);
    return index >= 0 &&
           SendMessageW(toolbar_, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(rect)) != 0;
}

void Ide::AddEventSource(CommandBarEventsObject* events) {
    eventSources_.push_back(events);
}

void Ide::RemoveEventSource(CommandBarEventsObject* events) {
    for (auto it = eventSources_.begin(); it != eventSources_.end(); ++it)
        if (*it == events) {
            eventSources_.erase(it);
            return;
        }
}

void Ide::Click(int commandId) {
    if (commandId >= kManagerFirst && commandId <= kManagerLast) {
        const size_t i = static_cast<size_t>(commandId - kManagerFirst);
        if (i >= managerRecords_.size() || addins_.busy()) return;
        const std::wstring progId = managerRecords_[i].progId;
        if (addins_.IsLoaded(progId))
            addins_.Unload(progId, ext_dm_UserClosed);
        else
            addins_.Load(progId, ext_cm_AfterStartup);
        return;
    }
    auto command = commands_.find(commandId);
    if (command != commands_.end()) {
        auto action = command->second;
        if (action) action();
        return;
    }
    std::shared_ptr<BarControl> control;
    for (auto& bar : bars_)
        for (const auto& c : bar->controls)
            if (c->id == commandId) control = c;
    if (!control) return;
    // Every event source of this control hears the click, in the order they were made;
    // each stays alive while it is raised.
    std::vector<ComPtr<CommandBarEventsObject>> sources;
    for (CommandBarEventsObject* s : eventSources_)
        if (s->control() == control) sources.emplace_back(s);
    VARIANT_BOOL handled = VARIANT_FALSE, cancelDefault = VARIANT_FALSE;
    if (!sources.empty()) {
        ComPtr<IDispatch> object = NewCommandBarControl(weak_from_this(), control);
        for (auto& s : sources)
            s->FireClick(object.Get(), &handled, &cancelDefault);
    }
    if (!cancelDefault && control->action) control->action();
}

void Ide::FillAddinManagerMenu(HMENU menu) {
    while (GetMenuItemCount(menu) > 0)
        RemoveMenu(menu, 0, MF_BYPOSITION);
    managerRecords_ = ReadAddinRecords(options_.vba);
    if (managerRecords_.empty())
        AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, L"(no add-ins registered)");
    for (size_t i = 0; i < managerRecords_.size() && i <= kManagerLast - kManagerFirst; ++i) {
        const auto& r = managerRecords_[i];
        const std::wstring text = r.friendlyName.empty() ? r.progId : r.friendlyName;
        AppendMenuW(menu, MF_STRING | (addins_.IsLoaded(r.progId) ? MF_CHECKED : 0),
                    kManagerFirst + static_cast<int>(i), text.c_str());
    }
}

} // namespace host
