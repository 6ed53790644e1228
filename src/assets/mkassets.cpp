// Build step: draws the add-in's pictures and writes them where the resource script finds them.
#include "addin_button.h"
#include "button_faces.h"
#include "frame.h"
#include "info_art.h"
#include "palettes.h"
#include <cstdio>
#include <string>
#include <utility>

namespace {

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkassets OUTPUT_DIR\n");
        return 2;
    }
    using namespace hv::assets;
    const std::string dir = argv[1];
    bool ok = WriteFile(dir + "/palette_basic.bmp", hv::EncodeBmp(BasicPalette())) &&
              WriteFile(dir + "/palette_quick.bmp", hv::EncodeBmp(QuickColorPalette())) &&
              WriteFile(dir + "/palette_grey.bmp", hv::EncodeBmp(GreyScalePalette())) &&
              WriteFile(dir + "/main_background.bmp", hv::EncodeBmp(MainBackground())) &&
              WriteFile(dir + "/close_normal.bmp", hv::EncodeBmp(CloseNormal())) &&
              WriteFile(dir + "/close_down.bmp", hv::EncodeBmp(ClosePressed())) &&
              WriteFile(dir + "/min_normal.bmp", hv::EncodeBmp(MinimizeNormal())) &&
              WriteFile(dir + "/min_down.bmp", hv::EncodeBmp(MinimizePressed())) &&
              WriteFile(dir + "/pipette.cur",
                        hv::EncodeCursor(PipetteCursor(), kCursorTransparent, kPipetteHotX, kPipetteHotY)) &&
              WriteFile(dir + "/addin_button.bmp", hv::EncodeBmp(AddinButtonFace())) &&
              WriteFile(dir + "/about_background.bmp", hv::EncodeBmp(AboutBackground())) &&
              WriteFile(dir + "/maker_logo.bmp", hv::EncodeBmp(MakerLogo())) &&
              WriteFile(dir + "/explanation_sheet.bmp", hv::EncodeBmp(ExplanationSheet())) &&
              WriteFile(dir + "/givesome_badge.bmp", hv::EncodeBmp(GivesomeBadge())) &&
              WriteFile(dir + "/donate_link.bmp", hv::EncodeBmp(DonateLink())) &&
              WriteFile(dir + "/link_hand.cur",
                        hv::EncodeCursor(LinkHandCursor(), kCursorClear, kHandHotX, kHandHotY));
    const std::pair<FaceState, const char*> states[] = {
        {FaceState::Up, "_up.bmp"}, {FaceState::Over, "_over.bmp"}, {FaceState::Down, "_down.bmp"}};
    for (const ButtonFace& face : kButtonFaces)
        for (auto [state, suffix] : states)
            ok = ok && WriteFile(dir + "/" + face.file + suffix, hv::EncodeBmp(face.draw(state)));
    if (!ok) std::fprintf(stderr, "mkassets: cannot write to %s\n", dir.c_str());
    return ok ? 0 : 1;
}
