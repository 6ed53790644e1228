// Mouse events with the arguments VB programmers know: Button bits (1 left, 2 right,
// 4 middle), Shift bits (1 Shift, 2 Ctrl, 4 Alt), X and Y in twips from the control's corner.
#pragma once
#include <functional>
#include <windows.h>

namespace hv::rt {

enum MouseButton : short { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };

struct MouseEvent {
    short Button = 0;
    short Shift = 0;
    float X = 0;
    float Y = 0;
};

using MouseHandler = std::function<void(const MouseEvent&)>;
using EventHandler = std::function<void()>;

// The buttons held, from a mouse message's wParam.
short ButtonsHeld(WPARAM wp);
// The Shift/Ctrl/Alt state now.
short ShiftState();
// The button a WM_xBUTTONDOWN/UP message is about, or 0.
short ButtonOfMessage(UINT msg);
// Builds the event for a client-area mouse message of a window.
MouseEvent MakeMouseEvent(short button, LPARAM lp, int twipsPerPixelX, int twipsPerPixelY);

// What a button message is to a control. A left double click is a DoubleClick only for a
// control that handles one; otherwise a quick second press is a press.
enum class ButtonMessage { Other, DoubleClick, Press, Release };
ButtonMessage ClassifyButtonMessage(UINT msg, bool handlesDoubleClick);

// Presses, capture and clicks as VB's controls have them: any press keeps the mouse until
// every button is up, and a click is a left press and its release both on the control.
class ClickTracker {
  public:
    // A button-down message (a double click counts as a press): takes the mouse.
    void Down(HWND w, UINT msg);
    // A button-up message: gives the mouse back once no button is held. True when it ends a
    // click; `onControl` says whether the release point is on the control.
    bool Up(HWND w, UINT msg, WPARAM wp, bool onControl);
    // WM_CAPTURECHANGED: a press whose mouse went elsewhere makes no click.
    void CaptureChanged(HWND w, LPARAM lp);
    // Takes the mouse without starting a click (a double click's release is the control's).
    void Hold(HWND w);

  private:
    bool leftPressed_ = false;
    // Whether this control holds the mouse: the system tells the loser (WM_CAPTURECHANGED),
    // so there is no need to ask it at every release.
    bool holding_ = false;
};

} // namespace hv::rt
