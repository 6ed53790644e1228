// Shows the buttons and swatches where the main window will have them, on its background,
// and every button face in its three states on a green window where the transparent corners
// show. For looking at the controls: `controls-gallery [seconds]` closes after that long.
#include "assets/asset_ids.h"
#include "assets/button_faces.h"
#include "assets/frame.h"
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

void AddSwatches(rt::Form& form, double left, double top) {
    const ColorValue colours[10] = {
        RGBColor(255, 0, 0),     RGBColor(0, 160, 0),   RGBColor(0, 0, 255), RGBColor(255, 255, 0),
        RGBColor(255, 128, 0),   RGBColor(128, 0, 128), SystemColor(5),      RGBColor(0, 0, 0),
        RGBColor(128, 128, 128), RGBColor(0, 200, 200)};
    for (int i = 0; i < 10; ++i) {
        rt::PropertyBag bag{{"_extentx", 423},
                            {"_extenty", 397},
                            {"backcolor", colours[i]},
                            {"edgepressedcolor", assets::kFrameBlue},
                            {"edgeunpressedcolor", SystemColor(9)}};
        auto& cc = form.Add<controls::LumoColorContainer>("CC" + std::to_string(i), left + 240 * i,
                                                          top, 240, 225, &bag);
        if (i == 2) cc.SetStyle(1);
    }
}

// The buttons and swatches where the main window will have them, on its background.
void AddMainWindowControls(rt::Form& form) {
    struct Place {
        int face;
        double left, top;
    };
    const Place places[] = {{0, 2160, 880},  {1, 2600, 880},  {2, 3030, 880},  {3, 3460, 880},
                            {4, 2180, 1320}, {5, 3950, 1710}, {6, 4470, 1710}, {7, 4990, 1710}};
    for (const Place& p : places) {
        const assets::ButtonFace& face = assets::kButtonFaces[p.face];
        rt::PropertyBag bag{{"pictureup", rt::Picture::FromResource(face.idUp)},
                            {"pictureover", rt::Picture::FromResource(face.idOver)},
                            {"picturedown", rt::Picture::FromResource(face.idDown)}};
        form.Add<controls::TransSkinButton>(face.file, p.left, p.top, 420, 330, &bag);
    }
    AddSwatches(form, 1440, 1710);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmd, int) {
    rt::Form main("main"), green("green");
    main.Create("main", 5625, 2115);
    main.SetBackColor(assets::kButtonMaskColor);
    main.SetPicture(rt::Picture::FromResource(IDB_MAIN_BACKGROUND));
    AddMainWindowControls(main);
    green.Create("green", 7800, 2000);
    green.SetBackColor(RGBColor(60, 160, 80));
    AddButtons(green, true);
    AddSwatches(green, 150, 1560);
    main.MoveTo(150, 150);
    green.MoveTo(150, 2500);
    ShowWindow(main.hwnd(), SW_SHOWNA);
    ShowWindow(green.hwnd(), SW_SHOWNA);
    const DWORD seconds = static_cast<DWORD>(std::atoi(cmd));
    const DWORD start = GetTickCount();
    MSG msg;
    while (main.exists() && (!seconds || GetTickCount() - start < seconds * 1000)) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return 0;
}
