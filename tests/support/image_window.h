// Known content on the screen for tests that read the screen: a borderless top-level window
// that shows an image one pixel for one pixel, kept above other windows, never activated.
#pragma once
#include "core/image.h"
#include <windows.h>

namespace hv::test {

class ImageWindow {
  public:
    // At (x, y) screen pixels; extraStyle adds e.g. WS_BORDER around the image.
    ImageWindow(Image image, int x, int y, DWORD extraStyle = 0);
    ~ImageWindow();
    ImageWindow(const ImageWindow&) = delete;
    ImageWindow& operator=(const ImageWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    const Image& image() const { return image_; }
    // Where the image's top-left pixel is on the screen.
    POINT origin() const;
    // Mouse moves the window received: proof that input went there and nowhere else.
    int mouseMoves() const { return mouseMoves_; }

  private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    Image image_;
    HWND hwnd_ = nullptr;
    int mouseMoves_ = 0;
};

// Pumps until the screen shows the window's image (its corners and centre, read from the
// screen as a grab reads it): the window is not only made but on the display.
bool ShownOnScreen(const ImageWindow& window, DWORD timeoutMs = 5000);

// An image whose every pixel differs from its neighbours, so a shift, a flip or a scale of
// one pixel shows; `seed` makes images of different windows differ.
Image PatternImage(int width, int height, int seed);

} // namespace hv::test
