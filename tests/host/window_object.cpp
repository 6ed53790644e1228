// Window: the IDE's main window, a code window or a designer, as VBE.MainWindow,
// VBE.ActiveWindow and CodePane.Window give them.
#include "ide.h"
#include "objects.h"

namespace host {

namespace {

enum { kHWnd = 1, kCaption, kType, kVisible, kClose };
const std::vector<Member> kWindowMembers = {
    {L"HWnd", kHWnd, Kind::Get, {}},
    {L"Caption", kCaption, Kind::Get, {}},
    {L"Type", kType, Kind::Get, {}},
    {L"Visible", kVisible, Kind::Get, {}},
    {L"Close", kClose, Kind::Method, {}},
};

class WindowObject final : public DispatchObject {
  public:
    WindowObject(std::weak_ptr<Ide> ide, long type, std::function<HWND()> hwnd,
                 std::function<void()> close)
        : DispatchObject(L"Window", kWindowMembers, PlanOf(ide)), ide_(std::move(ide)),
          type_(type), hwnd_(std::move(hwnd)), close_(std::move(close)) {}

  private:
    Outcome Run(const Member& m, Args&, VARIANT* result) override {
        auto ide = ide_.lock();
        const HWND hwnd = ide && ide->open() ? hwnd_() : nullptr;
        if (!hwnd) return Gone();
        switch (m.id) {
        case kHWnd:
            // A Long in both editors: window handles fit 32 bits on 64-bit Windows too.
            ReturnLong(result, static_cast<long>(reinterpret_cast<INT_PTR>(hwnd)));
            break;
        case kCaption: {
            wchar_t text[256] = L"";
            GetWindowTextW(hwnd, text, 256);
            ReturnString(result, text);
            break;
        }
        case kType:
            ReturnLong(result, type_);
            break;
        case kVisible:
            ReturnBool(result, IsWindowVisible(hwnd) != FALSE);
            break;
        case kClose:
            if (!close_) return Raise(kErrInvalidCall, L"Invalid procedure call or argument");
            close_();
            break;
        }
        return {};
    }
    std::weak_ptr<Ide> ide_;
    long type_;
    std::function<HWND()> hwnd_;
    std::function<void()> close_;
};

} // namespace

ComPtr<IDispatch> NewWindow(std::weak_ptr<Ide> ide, long type, std::function<HWND()> hwnd,
                            std::function<void()> close) {
    return Adopt(static_cast<IDispatch*>(
        new WindowObject(std::move(ide), type, std::move(hwnd), std::move(close))));
}

} // namespace host
