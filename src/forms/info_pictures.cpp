#include "info_pictures.h"
#include "../assets/addin_button.h"
#include "../assets/asset_ids.h"
#include "../assets/info_art.h"
#include "../runtime/dpi_pictures.h"
#include "../runtime/system_colour.h"
#include <cstring>

namespace hv::forms {

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kInk = RGB(45, 50, 65);
constexpr COLORREF kLogoBlue = RGB(0x2F, 0x4A, 0x8C);
constexpr COLORREF kLogoGrey = RGB(110, 115, 130);

// The pictures' words are placed in their pixels, so their fonts are sized in pixels too.
rt::UniqueFont PixelFont(int pixels, bool bold) {
    LOGFONTA lf{};
    lf.lfHeight = -pixels;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = ANTIALIASED_QUALITY;
    std::strcpy(lf.lfFaceName, "Tahoma");
    return rt::UniqueFont(CreateFontIndirectA(&lf));
}

struct Words {
    const char* text;
    RECT box; // a box whose left is 0 follows the words before it on the line
    int pixels;
    bool bold;
    COLORREF colour;
    UINT format;
};

// Draws the words onto the picture's own bitmap, both at the display's DPI.
rt::PicturePtr WithWords(int artId, std::initializer_list<Words> words) {
    rt::PicturePtr picture = rt::ArtForDpi(artId);
    if (!picture) return picture;
    rt::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    {
        rt::SelectGuard bitmap(dc.get(), picture->bitmap());
        SetBkMode(dc.get(), TRANSPARENT);
        LONG end = 0; // of the words drawn last
        for (const Words& w : words) {
            const int pixels = rt::PixelsAtDpiY(w.pixels);
            rt::UniqueFont font = PixelFont(pixels, w.bold);
            rt::SelectGuard selected(dc.get(), font.get());
            SetTextColor(dc.get(), w.colour);
            RECT box{rt::PixelsAtDpiX(w.box.left), rt::PixelsAtDpiY(w.box.top),
                     rt::PixelsAtDpiX(w.box.right), rt::PixelsAtDpiY(w.box.bottom)};
            if (box.left == 0) box.left = end + pixels / 4;
            RECT used = box;
            DrawTextA(dc.get(), w.text, -1, &used, w.format | DT_NOPREFIX | DT_CALCRECT);
            end = used.right;
            DrawTextA(dc.get(), w.text, -1, &box, w.format | DT_NOPREFIX);
        }
    }
    // The picture reads its pixels straight from the bitmap's memory.
    GdiFlush();
    return picture;
}

constexpr UINT kCentredLine = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

} // namespace

rt::PicturePtr AddinIconPicture(ColorValue background) {
    const rt::PicturePtr button = rt::Picture::FromResource(IDB_ADDIN_BUTTON);
    if (!button) return button;
    Image icon(button->widthPixels(), button->heightPixels());
    const auto back = static_cast<ColorValue>(rt::ResolveColor(background));
    for (int y = 0; y < icon.height; ++y)
        for (int x = 0; x < icon.width; ++x) {
            const ColorValue c = button->Pixel(x, y);
            icon.at(x, y) = c == assets::kButtonBackground ? back : c;
        }
    return rt::ArtForDpi(rt::Picture::FromImage(icon));
}

rt::PicturePtr MakerLogoPicture() {
    using assets::kLogoTextLeft;
    return WithWords(
        IDB_MAKER_LOGO,
        {{"Lumo",
          {kLogoTextLeft, 0, 145, 24},
          21,
          true,
          kLogoBlue,
          DT_LEFT | DT_BOTTOM | DT_SINGLELINE},
         {"software", {0, 0, 145, 22}, 12, false, kLogoGrey, DT_LEFT | DT_BOTTOM | DT_SINGLELINE}});
}

rt::PicturePtr ExplanationPicture() {
    using namespace assets;
    return WithWords(
        IDB_EXPLANATION_SHEET,
        {{"Givesome: give some back",
          {kSheetTitleLeft, 0, 355 - kSheetMargin, kSheetBandHeight},
          16,
          true,
          kWhite,
          DT_LEFT | DT_VCENTER | DT_SINGLELINE},
         {"VB 6 Huevista is free. It costs nothing to use, it never expires and it never nags.\n\n"
          "Givesome is how it stays that way. If the add-in saves you time, give some of that "
          "time back to its maker: a donation of any size you choose, once or whenever you "
          "like.\n\n"
          "Donations pay for the hours that go into fixes, new color tools and answers to your "
          "mail. Giving unlocks nothing, and nothing is taken from those who don't.\n\n"
          "The Donate button below opens the maker's web page, where a donation takes a minute.",
          {kSheetMargin, kSheetTextTop, 355 - kSheetMargin, kSheetTextBottom},
          13,
          false,
          kInk,
          DT_LEFT | DT_WORDBREAK}});
}

rt::PicturePtr GivesomeBadgePicture() {
    return WithWords(
        IDB_GIVESOME_BADGE,
        {{"Givesome", {assets::kBadgeTextLeft, 0, 112, 20}, 12, true, kWhite, kCentredLine}});
}

rt::PicturePtr DonateLinkPicture() {
    return WithWords(
        IDB_DONATE_LINK,
        {{"Donate", {assets::kBadgeTextLeft, 0, 72, 20}, 12, true, kWhite, kCentredLine}});
}

} // namespace hv::forms
