// A top-level window with named child controls and windowless labels, placed in twips.
#pragma once
#include "../core/colour.h"
#include "control.h"
#include "label.h"
#include "mouse.h"
#include "picture.h"
#include <functional>
#include <memory>
#include <exception>
#include <string>
#include <utility>
#include <vector>

namespace hv::rt {

// VB's BorderStyle: none, or a caption with a close box over a thin or a dialog frame; the
// window cannot be resized.
enum class BorderStyle { None, FixedSingle, FixedDialog };

// A fault of a form's layout, with its message. Not std::logic_error: that class brings a
// second string implementation into the DLL.
class LayoutFault : public std::exception {
  public:
    explicit LayoutFault(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

  private:
    std::string message_;
};

class Form : public Window {
  public:
    explicit Form(std::string name);
    ~Form() override;

    // A window whose client area is the given size in twips.
    bool Create(const std::string& caption, double widthTwips, double heightTwips,
                HWND owner = nullptr, DWORD exStyle = WS_EX_TOOLWINDOW,
                BorderStyle border = BorderStyle::None);
    const std::string& name() const { return name_; }

    // The window's place on the screen in twips (Left, Top, Width, Height of a VB form).
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void MoveTo(double left, double top);
    void Move(double left, double top, double width, double height);
    // The client area in twips.
    double ScaleWidth() const;
    double ScaleHeight() const;
    int TwipsPerPixelX() const { return tppX_; }
    int TwipsPerPixelY() const { return tppY_; }

    void SetBackColor(ColorValue c);
    ColorValue BackColor() const { return back_; }
    void SetPicture(PicturePtr picture);
    const PicturePtr& Picture() const { return picture_; }

    // Adds a child control, created at once; the form owns it.
    template <typename T, typename... Args> T& Add(Args&&... args) {
        auto control = std::make_unique<T>(*this, std::forward<Args>(args)...);
        T& ref = *control;
        controls_.push_back(std::move(control));
        return ref;
    }
    Label& AddLabel(const std::string& name, double left, double top, double width, double height,
                    const std::string& caption);
    // The control of this name and kind, never null: a name the form lacks, or a control of
    // another kind, is a fault of the form's layout, thrown where the form looks its controls
    // up at load rather than met later as a null control.
    template <typename T> T* Get(const std::string& name) const {
        for (const auto& c : controls_)
            if (c->name() == name) {
                if (auto* t = dynamic_cast<T*>(c.get())) return t;
                break;
            }
        throw LayoutFault("control " + name + " missing or of another kind");
    }
    Label* GetLabel(const std::string& name) const;
    void RepaintLabels();

    void SetToolTip(HWND child, const std::string& text);
    // Shows the tooltip a mouse message of a child with a tip (TTM_RELAYEVENT).
    void RelayToolTip(HWND child, UINT msg, WPARAM wp, LPARAM lp);
    // The tooltip window, made at its first use (the first mouse message over a control with
    // a tip, or this call) with every tip given until then: a form nobody hovers makes none.
    HWND tooltipWindow();
    // "MS Sans Serif" 8.25, the font of labels and buttons that set none.
    HFONT DefaultFont() const { return defaultFont_.get(); }

    // The controls Tab and Shift+Tab move the focus through, in order, wrapping; those
    // hidden, disabled or not TabStop are passed over.
    void SetTabOrder(std::vector<Control*> order) { tabOrder_ = std::move(order); }
    bool InTabOrder(const Control* c) const;
    // The next stop after `from` (before it, with `back`); from none, the first (last).
    void TabFrom(const Control* from, bool back);

    // From a press on a control that stands for the title: moves the window with the pointer
    // as a title bar would, until the button is released.
    void DragByTitle();

    enum { vbNormal = 0, vbMinimized = 1 };
    void SetWindowState(int state);

    // Destroys the window and its controls' windows; raises OnUnload first.
    void Unload();
    // Raises OnPosted once the messages queued before it have run: work that may wait until
    // what was painted now is on the screen.
    void PostEvent();

    EventHandler OnResize;
    // A key pressed while the form has the keyboard: the virtual-key code and the Shift bits.
    std::function<void(int KeyCode, short Shift)> OnKeyDown;
    // The wheel turned over the form or a control of it that lets the turn through, in
    // WHEEL_DELTA units (120 a notch, away from the user positive).
    std::function<void(int delta)> OnMouseWheel;
    EventHandler OnActivate;   // it became the active window
    EventHandler OnUnload;     // before the window goes
    EventHandler OnTerminated; // after it went, with its controls
    EventHandler OnPosted;     // see PostEvent
    bool toolTips = true;      // false: the form has no tooltip window (a form without tips)

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnDestroyed() override;

  private:
    void PaintForm(HDC dc);
    Label* LabelAt(int x, int y) const; // client pixels
    bool MouseOnLabel(UINT msg, LPARAM lp);
    void MouseUpOnLabel(LPARAM lp);
    bool SetLabelPointer();

    std::string name_;
    int tppX_, tppY_;
    ColorValue back_;
    PicturePtr picture_;
    UniqueFont defaultFont_;
    UniqueWindow tooltip_;
    std::vector<std::pair<HWND, std::string>> tipsToAdd_; // given before the tooltip was made
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<std::unique_ptr<Label>> labels_;
    std::vector<Control*> tabOrder_;
    Label* pressedLabel_ = nullptr; // pressed with the left button, waiting for the release
};

} // namespace hv::rt
