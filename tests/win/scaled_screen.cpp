#include "scaled_screen.h"
#include "capture/screen_capture.h"
#include <cmath>

namespace hv::test {

ScaledScreen::ScaledScreen(std::vector<Monitor> monitors, bool threadContexts,
                           capture::DpiContext ide)
    : monitors_(std::move(monitors)), threadContexts_(threadContexts), context_(ide),
      threadScale_(ide == kSystemAwareContext ? monitors_.front().scale : 1.0) {
    current_ = this;
    hook_ = SetWindowsHookExA(WH_CBT, Made, nullptr, GetCurrentThreadId());
    capture::UseScreen(this);
}

ScaledScreen::~ScaledScreen() {
    capture::UseScreen(nullptr);
    UnhookWindowsHookEx(hook_);
    current_ = nullptr;
}

LRESULT CALLBACK ScaledScreen::Made(int code, WPARAM wp, LPARAM lp) {
    const auto* cs = reinterpret_cast<const CBT_CREATEWNDA*>(lp)->lpcs;
    if (code == HCBT_CREATEWND && current_ && !(cs->style & WS_CHILD))
        current_->made_[reinterpret_cast<HWND>(wp)] = current_->PerMonitor();
    return CallNextHookEx(nullptr, code, wp, lp);
}

capture::DpiContext ScaledScreen::SetContext(capture::DpiContext context) {
    if (!threadContexts_) return nullptr;
    const capture::DpiContext previous = context_;
    context_ = context;
    return previous;
}

// Side by side as the physical ones, each at the thread's DPI.
RECT ScaledScreen::LogicalRect(size_t i) const {
    LONG left = 0;
    for (size_t k = 0; k < i; ++k) {
        const RECT& p = monitors_[k].physical;
        left += static_cast<LONG>(std::lround((p.right - p.left) / Scale(k)));
    }
    const RECT& p = monitors_[i].physical;
    const double s = Scale(i);
    return RECT{left, 0, left + static_cast<LONG>(std::lround((p.right - p.left) / s)),
                static_cast<LONG>(std::lround((p.bottom - p.top) / s))};
}

std::vector<RECT> ScaledScreen::Monitors() {
    std::vector<RECT> all;
    for (size_t i = 0; i < monitors_.size(); ++i)
        all.push_back(PerMonitor() ? monitors_[i].physical : LogicalRect(i));
    return all;
}

double ScaledScreen::Virtualised() {
    const RECT p = monitors_.front().physical, seen = Monitors().front();
    return double(p.right - p.left) / (seen.right - seen.left);
}

int ScaledScreen::MonitorDpi(POINT pt) {
    if (!PerMonitor()) return static_cast<int>(std::lround(96 * threadScale_));
    for (const Monitor& m : monitors_)
        if (PtInRect(&m.physical, pt)) return static_cast<int>(std::lround(96 * m.scale));
    return static_cast<int>(std::lround(96 * monitors_.front().scale));
}

POINT ScaledScreen::Logical(POINT pt) const {
    for (size_t i = 0; i < monitors_.size(); ++i) {
        const RECT& p = monitors_[i].physical;
        if (!PtInRect(&p, pt)) continue;
        const RECT l = LogicalRect(i);
        const double s = Scale(i);
        return POINT{l.left + static_cast<LONG>((pt.x - p.left) / s),
                     l.top + static_cast<LONG>((pt.y - p.top) / s)};
    }
    return pt;
}

POINT ScaledScreen::Physical(POINT pt) const {
    for (size_t i = 0; i < monitors_.size(); ++i) {
        const RECT l = LogicalRect(i);
        if (!PtInRect(&l, pt)) continue;
        const RECT& p = monitors_[i].physical;
        const double s = Scale(i);
        return POINT{p.left + static_cast<LONG>((pt.x - l.left) * s),
                     p.top + static_cast<LONG>((pt.y - l.top) * s)};
    }
    return pt;
}

POINT ScaledScreen::CursorPos() {
    POINT pt{};
    GetCursorPos(&pt);
    return PerMonitor() ? pt : Logical(pt);
}

void ScaledScreen::SetCursorPos(POINT pt) {
    if (!PerMonitor()) pt = Physical(pt);
    ::SetCursorPos(pt.x, pt.y);
}

HWND ScaledScreen::WindowFromPoint(POINT pt) {
    return ::WindowFromPoint(PerMonitor() ? pt : Physical(pt));
}

rt::ComPtr<IPictureDisp> ScaledScreen::Grab(const RECT& r) {
    // Not scaled, in any context.
    return capture::GrabWindowArea(nullptr, true, r.left, r.top, r.right - r.left,
                                   r.bottom - r.top);
}

bool ScaledScreen::MadePerMonitor(HWND w) const {
    const HWND top = GetAncestor(w, GA_ROOT);
    const auto it = made_.find(top ? top : w);
    return it != made_.end() && it->second;
}

POINT ScaledScreen::WindowPoint(HWND w, POINT pt) const {
    POINT origin{};
    ClientToScreen(w, &origin); // Wine's: in the units the window was made in
    if (!MadePerMonitor(w)) pt = Logical(pt);
    return POINT{pt.x - origin.x, pt.y - origin.y};
}

} // namespace hv::test
