#include "image_window.h"
#include "pump.h"
#include <vector>

namespace hv::test {

namespace {
constexpr char kClass[] = "HuevistaTestImageWindow";
}

Image PatternImage(int width, int height, int seed) {
    Image img(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            img.at(x, y) = RGBColor((x * 5 + seed * 29) & 0xFF, (y * 7 + seed * 53) & 0xFF,
                                    (x * 3 + y * 11 + seed * 97) & 0xFF);
    return img;
}

ImageWindow::ImageWindow(Image image, int x, int y, DWORD extraStyle) : image_(std::move(image)) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &ImageWindow::Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassA(&wc); // fails harmlessly when already registered
    RECT r{0, 0, image_.width, image_.height};
    AdjustWindowRectEx(&r, WS_POPUP | extraStyle, FALSE, WS_EX_TOOLWINDOW);
    hwnd_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClass, "",
                            WS_POPUP | extraStyle, x, y, r.right - r.left, r.bottom - r.top,
                            nullptr, nullptr, wc.hInstance, this);
    ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd_);
}

ImageWindow::~ImageWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

bool ShownOnScreen(const ImageWindow& window, DWORD timeoutMs) {
    const Image& img = window.image();
    const POINT o = window.origin();
    const POINT at[] = {{0, 0}, {img.width - 1, 0}, {0, img.height - 1}, {img.width - 1, img.height - 1},
                        {img.width / 2, img.height / 2}};
    return WaitFor("an image window on the screen", [&] {
        HDC screen = GetDC(nullptr);
        bool all = true;
        for (const POINT& p : at)
            all = all && GetPixel(screen, o.x + p.x, o.y + p.y) == static_cast<COLORREF>(img.at(p.x, p.y));
        ReleaseDC(nullptr, screen);
        return all;
    }, timeoutMs);
}

POINT ImageWindow::origin() const {
    POINT p{0, 0};
    ClientToScreen(hwnd_, &p);
    return p;
}

LRESULT CALLBACK ImageWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE)
        SetWindowLongPtrA(
            hwnd, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams));
    auto* self = reinterpret_cast<ImageWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_ERASEBKGND) return 1;
    if (msg == WM_MOUSEMOVE && self) ++self->mouseMoves_;
    if (msg == WM_PAINT && self) {
        const Image& img = self->image_;
        std::vector<std::uint32_t> bits(img.pixels.size());
        for (size_t i = 0; i < bits.size(); ++i) {
            const ColorValue c = img.pixels[i];
            bits[i] = static_cast<std::uint32_t>(RedOf(c) << 16 | GreenOf(c) << 8 | BlueOf(c));
        }
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = img.width;
        bi.bmiHeader.biHeight = -img.height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        SetDIBitsToDevice(dc, 0, 0, img.width, img.height, 0, 0, 0, img.height, bits.data(), &bi,
                          DIB_RGB_COLORS);
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (msg == WM_NCDESTROY && self) self->hwnd_ = nullptr;
    return DefWindowProcA(hwnd, msg, wp, lp);
}

} // namespace hv::test
