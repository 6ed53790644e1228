// The main window from the keyboard and for screen readers.
#include "../core/colour_names.h"
#include "../core/output_formats.h"
#include "../runtime/dpi_pictures.h"
#include "../runtime/system_colour.h"
#include "frm_main.h"
#include <oleacc.h>

namespace hv::forms {

namespace {

// "red, &H00FF&": what a colour is called and its code.
std::string Spoken(ColorValue c) {
    return ColourName(static_cast<ColorValue>(rt::ResolveColor(c))) + ", " + ColorCodeText(c);
}

} // namespace

// Reading order, wrapping; the ten favourites are one stop (the selected one, see
// LumoColorContainer's Tab stop) whose members the arrow keys reach.
void frmMain::WireKeyboard() {
    std::vector<rt::Control*> order{picColorBW, picColors, picBasicCol, picCurrentCol, txtColorCode,
                                    cmdInsert,  cmdCopy,   cmdCapture,  cmdAbout,      cmdRGBMenu};
    order.insert(order.end(), CC.begin(), CC.end());
    order.insert(order.end(), {cmdInsertFav, cmdCopyFav, cmdACFav, picMinimize, picClose});
    form_.SetTabOrder(std::move(order));

    rt::PictureBox* const boxes[] = {picColorBW, picColors, picBasicCol};
    for (int i = 0; i < 3; ++i) {
        rt::PictureBox* box = boxes[i];
        // The standard palette's 8 x 6 colours; the quick ones' pixels, from their middle row.
        const SIZE cells = i == 2 ? SIZE{8, 6} : rt::InnerPixelsAt96(*box);
        paletteKeys_[i].emplace(*box, cells.cx, cells.cy, i == 2 ? 0 : cells.cy / 2);
    }
    for (rt::PictureBox* box :
         {picColorBW, picColors, picBasicCol, picCurrentCol, picMinimize, picClose})
        box->KeyHooks = this;
    for (controls::LumoColorContainer* c : CC)
        c->KeyHooks = this;
}

bool frmMain::KeyDown(rt::Control& c, int key, short shift) {
    for (int i = 0; i < 3; ++i)
        if (&c == (i == 0 ? picColorBW : i == 1 ? picColors : picBasicCol))
            return paletteKeys_[i]->KeyDown(key);
    int i = 0;
    while (i < colour::kFavoriteCount && CC[i] != &c)
        ++i;
    if (i == colour::kFavoriteCount) {
        // The current colour and the frame's buttons: Space and Enter act as a click; the menu
        // key (or Shift+F10) as a right-click.
        auto& box = static_cast<rt::PictureBox&>(c);
        if (key == VK_SPACE || key == VK_RETURN)
            box.KeyClick(rt::vbLeftButton);
        else if (key == VK_APPS || (key == VK_F10 && shift == 1))
            box.KeyClick(rt::vbRightButton);
        else
            return false;
        return true;
    }
    int to = i;
    switch (key) {
    case VK_LEFT:
    case VK_UP:
        to = i - 1;
        break;
    case VK_RIGHT:
    case VK_DOWN:
        to = i + 1;
        break;
    case VK_HOME:
        to = 0;
        break;
    case VK_END:
        to = colour::kFavoriteCount - 1;
        break;
    case VK_RETURN:
        colour::CC_DblClick(*favorites_);
        return true; // as a double-click
    case VK_SPACE:
        break;
    default:
        return false;
    }
    if (to < 0 || to >= colour::kFavoriteCount) return true;
    colour::CC_MouseDown(*favorites_, to);
    CC[to]->SetFocus();
    return true;
}

void frmMain::WireAccessibility() {
    for (rt::PictureBox* box : {picColorBW, picColors, picBasicCol})
        box->AccRole = ROLE_SYSTEM_SLIDER;
    picCurrentCol->AccRole = picMinimize->AccRole = picClose->AccRole = ROLE_SYSTEM_PUSHBUTTON;
    for (rt::PictureBox* box : {picColorBW, picColors, picBasicCol, picCurrentCol})
        box->AccHooks = this;
    cmdInsert->AccHooks = cmdCopy->AccHooks = cmdRGBMenu->AccHooks = this;
    for (controls::LumoColorContainer* c : CC)
        c->AccHooks = this;
}

void frmMain::Describe(const rt::Control& c, rt::AccDescription& d) {
    for (int i = 0; i < 3; ++i)
        if (&c == (i == 0 ? picColorBW : i == 1 ? picColors : picBasicCol)) {
            d.value = Spoken(paletteKeys_[i]->Picked());
            return;
        }
    if (&c == picCurrentCol) {
        const ColorValue v = picCurrentCol->BackColor();
        d.name = "Current color";
        d.value =
            Spoken(v) + ", red " + RedText(v) + " green " + GreenText(v) + " blue " + BlueText(v);
    } else if (&c == cmdInsert) {
        // The two whose tooltips are written when the pointer comes: the text they would show.
        d.name = InsertHint(txtColorCode->Text());
    } else if (&c == cmdCopy) {
        d.name = CopyHint(txtColorCode->Text());
    } else if (&c == cmdRGBMenu) {
        d.name = "RGB formats";
    } else {
        for (int i = 0; i < colour::kFavoriteCount; ++i)
            if (CC[i] == &c)
                d.name = "Favorite " + std::to_string(i + 1) + ": " + Spoken(CC[i]->BackColor());
    }
}

} // namespace hv::forms
