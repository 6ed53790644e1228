// frmCapture: the screen frozen into a picture over the whole display. The colour of the
// screenshot pixel under the pointer becomes the main window's current colour on every move;
// a press with any button, Enter or Space keeps the colour there and closes the window. A loupe
// beside the pointer shows the pixels around it, the arrow keys move the pointer a pixel (ten
// with Shift), 1, 3 and 5 pick the pixel or the mean of the 3 x 3 or 5 x 5 square around it, and
// Escape closes the window with the colour from before the capture back. The capture works in
// the screen's own pixels, in a per-monitor DPI context of its own (see capture_screen.h); every
// call out of it is made in the IDE's context.
#pragma once
#include "../colour/colour_state.h"
#include "../runtime/form.h"
#include "../runtime/picture_box.h"
#include "capture_screen.h"
#include "loupe.h"
#include <functional>

namespace hv::capture {

// What the capture window needs of the main window, which this folder does not know.
struct MainWindowLink {
    colour::ColourFields* fields = nullptr; // where CurrentCol writes
    HWND hWnd = nullptr;                    // brought in front of the capture window
    std::function<void()> EnableCapture;    // enables the main window's capture button again
    std::function<void()> Kept;             // the colour is kept: not after Escape
};

class frmCapture {
  public:
    explicit frmCapture(MainWindowLink main);
    frmCapture(const frmCapture&) = delete;
    frmCapture& operator=(const frmCapture&) = delete;

    bool Visible() const;
    // Ends the capture: the window hides and lets go of the screenshot and the loupe; it is
    // kept for the next capture, which then only has to show it.
    void Hide();
    // Ends the capture and destroys the window.
    void Unload() { form_.Unload(); }
    rt::Form& form() { return form_; }
    const rt::MouseIcon& mouseIcon() const { return pipette_; }
    Loupe& loupe() { return loupe_; }

    // Makes Col the main window's current colour, as SetCurrentColor does.
    void CurrentCol(ColorValue Col);

    rt::PictureBox* picScreen = nullptr;

  private:
    friend void ToggleCaptureWindow(frmCapture& window);
    void Load(const RECT& virtualScreen);
    void Form_Activate();
    void Ended();
    void ShowLoupe();
    void picScreen_MouseMove(const rt::MouseEvent& e);
    void picScreen_MouseDown(const rt::MouseEvent& e);
    void Form_KeyDown(int KeyCode, short Shift);
    void PickColorAt(float X, float Y);
    void Keep(); // the colour picked stays, and the capture ends
    // The pick and the loupe for a screen pixel, as a move there gives them.
    void PickAtScreen(POINT pt);

    MainWindowLink main_;
    rt::Form form_;
    rt::MouseIcon pipette_;
    Loupe loupe_;
    colour::ShownColour before_; // what Escape puts back
    rt::PicturePtr shot_;        // the screen's pixels while capturing; nothing after
    DpiContext ide_ = nullptr;   // the IDE's, for every call out of the capture
    double scale_ = 1;           // screenshot pixels per unit of the window (see Virtualised)
    bool loupePending_ = false;  // shown, the loupe not yet started
};

// Opens the capture window over a fresh screenshot, or ends the capture if it is open.
void ToggleCaptureWindow(frmCapture& window);

} // namespace hv::capture
