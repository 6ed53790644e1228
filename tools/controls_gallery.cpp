// Shows every button face in its three states and a row of colour swatches, on the main
// window's white panel and on a green one where the transparent corners show. For looking
// at the controls: `controls-gallery [seconds]` closes itself after that many seconds.
#include "assets/asset_ids.h"
#include "assets/button_faces.h"
#include "controls/lumo_color_container.h"
#include "controls/trans_skin_button.h"
#include "runtime/form.h"
#include <cstdlib>
#include <string>

using namespace hv;

namespace {

void AddButtons(rt::Form& form, bool maskStored) {
    // Rows: up, over, down pictures, each shown as the button's normal picture.
    const int rowTop[3] = {150, 600, 1050};
    for (int state = 0; state < 3; ++state) {
        int left = 150;
        for (const assets::ButtonFace& face : assets::kButtonFaces) {
            const int ids[3] = {face.idUp, face.idOver, face.idDown};
            rt::PropertyBag bag{{"pictureup", rt::Picture::FromResource(ids[state])},
                                {"pictureover", rt::Picture::FromResource(face.idOver)},
                                {"picturedown", rt::Picture::FromResource(face.idDown)}};
            if (maskStored) bag.WriteProperty("MaskColor", assets::kButtonMaskColor, -1);
            auto& b = form.Add<controls::TransSkinButton>(face.file + std::to_string(state), left,
                                                          rowTop[state], 420, 330, &bag);
            left += static_cast<int>(b.Width()) + 90;
        }
    }
}

void AddSwatches(rt::Form& form) {
    const ColorValue colours[10] = {RGBColor(255, 0, 0),     RGBColor(0, 160, 0),
                                    RGBColor(0, 0, 255),     RGBColor(255, 255, 0),
                                    RGBColor(255, 128, 0),   RGBColor(128, 0, 128),
                                    SystemColor(5),          RGBColor(0, 0, 0),
                                    RGBColor(128, 128, 128), RGBColor(0, 200, 200)};
    for (int i = 0; i < 10; ++i) {
        rt::PropertyBag bag{{"_extentx", 423},
                            {"_extenty", 397},
                            {"backcolor", colours[i]},
                            {"edgepressedcolor", RGBColor(0x67, 0x7D, 0xB9)},
                            {"edgeunpressedcolor", SystemColor(9)}};
        auto& cc = form.Add<controls::LumoColorContainer>("CC" + std::to_string(i), 150 + 240 * i,
                                                          1560, 240, 225, &bag);
        if (i == 2) cc.SetStyle(1);
    }
    // A big one of the default look, pressed and unpressed.
    form.Add<controls::LumoColorContainer>("big0", 2700, 1500, 600, 450).SetBackColor(RGBColor(70, 130, 180));
    form.Add<controls::LumoColorContainer>("big1", 3400, 1500, 600, 450).SetStyle(1);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmd, int) {
    rt::Form white("white"), green("green");
    white.Create("white", 6400, 2200);
    white.SetBackColor(assets::kButtonMaskColor);
    green.Create("green", 6400, 2200);
    green.SetBackColor(RGBColor(60, 160, 80));
    AddButtons(white, false);
    AddSwatches(white);
    AddButtons(green, true);
    AddSwatches(green);
    white.MoveTo(150, 150);
    green.MoveTo(150, 2500);
    ShowWindow(white.hwnd(), SW_SHOWNA);
    ShowWindow(green.hwnd(), SW_SHOWNA);
    const DWORD seconds = static_cast<DWORD>(std::atoi(cmd));
    const DWORD start = GetTickCount();
    MSG msg;
    while (white.exists() && (!seconds || GetTickCount() - start < seconds * 1000)) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return 0;
}
