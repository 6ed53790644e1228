#include "loupe.h"
#include "../core/addin_settings.h"
#include "../core/colour_names.h"
#include "../runtime/font.h"
#include "../runtime/screen.h"
#include "../core/screen_scale.h"
#include "../store/settings.h"
#include "capture_screen.h"
#include <algorithm>
#include <string>

namespace hv::capture {

namespace {

// Sizes at 96 DPI: the enlarged view's side, the distance from the pointer, the padding.
constexpr int kViewSide = 176, kGap = 16, kPad = 4;
constexpr COLORREF kFrame = RGB(64, 64, 64), kGrid = RGB(128, 128, 128),
                   kHatchLine = RGB(150, 150, 150), kHatchBack = RGB(215, 215, 215),
                   kTextBack = RGB(255, 255, 255), kText = RGB(0, 0, 0);

std::uint32_t DibPixel(COLORREF c) {
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

void Fill(HDC dc, const RECT& r, COLORREF c) {
    SetDCBrushColor(dc, c);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// Kept for the next capture.
void Store(const char* name, int value) {
    rt::SaveSetting(settings::kApp, settings::kSection, name, std::to_string(value));
}

} // namespace

Loupe::~Loupe() {
    Stop();
}

void Loupe::Start(rt::PicturePtr shot, POINT origin, HWND avoid, double scale, int dpi) {
    Stop();
    if (!shot) return;
    shot_ = std::move(shot);
    origin_ = origin;
    avoid_ = avoid;
    scale_ = scale;
    dpi_ = dpi > 0 ? dpi : 96;
    zoom_ =
        ParseLoupeZoom(rt::GetSetting(settings::kApp, settings::kSection, settings::kLoupeZoom));
    square_ =
        ParsePickSquare(rt::GetSetting(settings::kApp, settings::kSection, settings::kPickSquare));
    // Where no monitor shows, the screenshot holds nothing that was on the screen.
    screens_ = Screen().Monitors();
    const PixelRect whole{0, 0, shot_->widthPixels(), shot_->heightPixels()};
    monitors_.clear();
    const auto at = [this](LONG v) { return ScreenPixelOfUnit(int(v), scale_); };
    for (const RECT& r : screens_) {
        const PixelRect m{std::max(at(r.left - origin.x), 0), std::max(at(r.top - origin.y), 0),
                          std::min(at(r.right - origin.x), whole.right),
                          std::min(at(r.bottom - origin.y), whole.bottom)};
        if (m.left < m.right && m.top < m.bottom) monitors_.push_back(m);
    }
    if (monitors_.empty()) monitors_.push_back(whole);
    Create();
}

void Loupe::Stop() {
    Destroy();
    shot_.reset();
    placed_ = false;
    SetRectEmpty(&monitor_); // the monitors may change before the next capture
    if (buffer_) {
        SelectObject(buffer_.get(), oldBitmap_);
        SelectObject(buffer_.get(), oldFont_);
    }
    buffer_.reset();
    bufferBitmap_.reset();
    bits_ = nullptr;
    font_.reset();
    hatch_.reset();
}

void Loupe::Create() {
    textFor_ = -2; // none yet: the new buffer is blank
    viewSide_ = Scaled(kViewSide);
    font_ = rt::CreateVbFont("MS Sans Serif", 8.25, false, dpi_);
    {
        rt::ClientDc screen(nullptr);
        buffer_.reset(CreateCompatibleDC(screen.get()));
    }
    oldFont_ = SelectObject(buffer_.get(), font_.get());
    TEXTMETRICA tm{};
    GetTextMetricsA(buffer_.get(), &tm);
    textHeight_ = 3 * tm.tmHeight + 2 * Scaled(kPad); // code, colour name, components
    width_ = viewSide_ + 2;
    height_ = viewSide_ + textHeight_ + 3; // frame, view, a line, text, frame

    void* bits = nullptr;
    bufferBitmap_.reset(rt::CreateTopDownDib(width_, height_, &bits));
    bits_ = static_cast<std::uint32_t*>(bits);
    oldBitmap_ = SelectObject(buffer_.get(), bufferBitmap_.get());
    hatch_.reset(CreateHatchBrush(HS_BDIAGONAL, kHatchLine));

    const char* cls = RegisterClassOnce("HuevistaLoupe", 0, nullptr);
    // Layered and transparent: the one pairing that lets every system's hit test (Wine's
    // window server included) pass the mouse through it to the capture window.
    CreateHandle(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT | WS_EX_LAYERED |
                     WS_EX_TOOLWINDOW,
                 cls, "Loupe", WS_POPUP, 0, 0, width_, height_, nullptr);
    if (hwnd()) SetLayeredWindowAttributes(hwnd(), 0, 255, LWA_ALPHA);
}

void Loupe::Follow(POINT pt) {
    if (!shot_ || !hwnd() || !bits_) return;
    at_ = pt;
    Render();
    Place();
    rt::ClientDc dc(hwnd());
    BitBlt(dc.get(), 0, 0, width_, height_, buffer_.get(), 0, 0, SRCCOPY);
}

void Loupe::SetZoom(int zoom) {
    zoom = ClampLoupeZoom(zoom);
    if (zoom == zoom_) return;
    zoom_ = zoom;
    Store(settings::kLoupeZoom, zoom);
    if (placed_) Follow(at_);
}

void Loupe::SetSquare(int side) {
    if (side != 1 && side != 3 && side != 5) return;
    square_ = side;
    Store(settings::kPickSquare, side);
    if (placed_) Follow(at_);
}

ColorValue Loupe::Picked(int x, int y) const {
    if (!shot_) return -1;
    return SquareMean(x, y, square_, monitors_,
                      [this](int px, int py) { return shot_->Pixel(px, py); });
}

void Loupe::Wheel(int delta) {
    if (const int steps = notches_.Add(delta)) SetZoom(zoom_ + steps);
}

RECT Loupe::CellsRect() const {
    const int side = cells() * zoom_, offset = 1 + (viewSide_ - side) / 2;
    return RECT{offset, offset, offset + side, offset + side};
}

void Loupe::Render() {
    HDC dc = buffer_.get();
    const int n = cells(), half = n / 2;
    // The pointer's pixel of the screenshot.
    const int bx = ScreenPixelOfUnit(int(at_.x - origin_.x), scale_),
              by = ScreenPixelOfUnit(int(at_.y - origin_.y), scale_);
    ColorValue picked = -1;
    for (const PixelRect& m : monitors_)
        if (m.Contains(bx, by)) picked = Picked(bx, by);
    // The text below the view is written again only for another colour: over an area of one
    // colour, a move redraws the view alone.
    const bool newText = picked != textFor_;
    Fill(dc, RECT{0, 0, width_, newText ? height_ : viewSide_ + 2}, kFrame);
    const RECT cellsRect = CellsRect();
    const PixelRect source{bx - half, by - half, bx - half + n, by - half + n};

    // Outside every monitor is hatched; the screenshot's pixels go where monitors show.
    bool onOne = false;
    for (const PixelRect& m : monitors_)
        onOne = onOne || m.Holds(source);
    if (!onOne) {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, kHatchBack);
        FillRect(dc, &cellsRect, hatch_.get());
    }
    for (const PixelRect& m : monitors_) {
        const PixelRect s{std::max(source.left, m.left), std::max(source.top, m.top),
                          std::min(source.right, m.right), std::min(source.bottom, m.bottom)};
        if (s.left >= s.right || s.top >= s.bottom) continue;
        const RECT dest{cellsRect.left + (s.left - source.left) * zoom_,
                        cellsRect.top + (s.top - source.top) * zoom_,
                        cellsRect.left + (s.right - source.left) * zoom_,
                        cellsRect.top + (s.bottom - source.top) * zoom_};
        shot_->DrawEnlarged(dc, dest, RECT{s.left, s.top, s.right, s.bottom});
    }
    if (newText) DrawText(picked);
    textFor_ = picked;
    GdiFlush(); // the GDI drawing is in the bits before they are written directly
    DrawGridAndOutline(cellsRect, n);
}

void Loupe::DrawGridAndOutline(const RECT& cellsRect, int n) {
    const auto set = [&](int x, int y, std::uint32_t p) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_) bits_[y * width_ + x] = p;
    };
    const auto frame = [&](int left, int top, int right, int bottom, std::uint32_t p) {
        for (int x = left; x < right; ++x) {
            set(x, top, p);
            set(x, bottom - 1, p);
        }
        for (int y = top; y < bottom; ++y) {
            set(left, y, p);
            set(right - 1, y, p);
        }
    };
    // A line on each cell's first column and row, so every cell keeps zoom - 1 pixels.
    if (zoom_ >= kLoupeGridZoom) {
        const std::uint32_t grid = DibPixel(kGrid);
        for (int k = 1; k < n; ++k) {
            const int x = cellsRect.left + k * zoom_, y = cellsRect.top + k * zoom_;
            for (int i = cellsRect.top; i < cellsRect.bottom; ++i)
                set(x, i, grid);
            for (int i = cellsRect.left; i < cellsRect.right; ++i)
                set(i, y, grid);
        }
    }
    // Black inside white: one of the two stands out on any colour. Around the picked pixel,
    // or the square averaged around it.
    const int first = n / 2 - std::min(square_, n) / 2, side = std::min(square_, n) * zoom_;
    const int x = cellsRect.left + first * zoom_, y = cellsRect.top + first * zoom_;
    frame(x, y, x + side + 1, y + side + 1, DibPixel(RGB(0, 0, 0)));
    frame(x - 1, y - 1, x + side + 2, y + side + 2, DibPixel(RGB(255, 255, 255)));
}

void Loupe::DrawText(ColorValue picked) {
    HDC dc = buffer_.get();
    const int pad = Scaled(kPad), top = viewSide_ + 2;
    Fill(dc, RECT{1, top, width_ - 1, height_ - 1}, kTextBack);
    const int swatch = textHeight_ - 2 * pad;
    const RECT box{1 + pad, top + pad, 1 + pad + swatch, top + pad + swatch};
    if (picked == -1) return;
    Fill(dc, box, kText);
    Fill(dc, RECT{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1},
         static_cast<COLORREF>(picked));
    const std::string code = ColorCodeText(picked);
    const std::string parts =
        "R " + RedText(picked) + "   G " + GreenText(picked) + "   B " + BlueText(picked);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kText);
    const std::string name = ColourName(picked);
    const int x = box.right + pad, line = swatch / 3;
    TextOutA(dc, x, top + pad, code.c_str(), static_cast<int>(code.size()));
    TextOutA(dc, x, top + pad + line, name.c_str(), static_cast<int>(name.size()));
    TextOutA(dc, x, top + pad + 2 * line, parts.c_str(), static_cast<int>(parts.size()));
}

void Loupe::Place() {
    // The pointer's monitor, from those read at the start: asking the system at every move
    // would cost more than the rest of the move.
    if (!PtInRect(&monitor_, at_)) {
        monitor_ = screens_.empty() ? RECT{0, 0, GetSystemMetrics(SM_CXSCREEN),
                                           GetSystemMetrics(SM_CYSCREEN)}
                                    : screens_.front();
        for (const RECT& m : screens_)
            if (PtInRect(&m, at_)) monitor_ = m;
    }
    const RECT& r = monitor_;
    PixelRect avoid{};
    RECT a{};
    if (avoid_ && IsWindowVisible(avoid_) && GetWindowRect(avoid_, &a))
        avoid = {int(a.left), int(a.top), int(a.right), int(a.bottom)};
    const LoupeSpot s =
        PlaceLoupe(int(at_.x), int(at_.y), width_, height_, Scaled(kGap),
                   PixelRect{int(r.left), int(r.top), int(r.right), int(r.bottom)}, avoid);
    if (!placed_) {
        // Shown above the topmost capture and main windows, never activated.
        SetWindowPos(hwnd(), HWND_TOPMOST, s.x, s.y, 0, 0,
                     SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        placed_ = true;
        return;
    }
    RECT now{};
    GetWindowRect(hwnd(), &now);
    if (now.left != s.x || now.top != s.y)
        SetWindowPos(hwnd(), nullptr, s.x, s.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
}

LRESULT Loupe::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NCHITTEST:
        return HTTRANSPARENT; // and where a hit test still asks
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return Paint([this](HDC dc) {
            if (buffer_) BitBlt(dc, 0, 0, width_, height_, buffer_.get(), 0, 0, SRCCOPY);
        });
    }
    return Window::HandleMessage(msg, wp, lp);
}

} // namespace hv::capture
