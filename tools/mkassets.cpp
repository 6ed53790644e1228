// Build step: draws the add-in's pictures and writes them, with the resource script that
// builds them into the DLL, into one folder. This table is the one list of the pictures.
#include "assets/addin_button.h"
#include "assets/asset_ids.h"
#include "assets/button_faces.h"
#include "assets/frame.h"
#include "assets/info_art.h"
#include "assets/palettes.h"
#include "core/pack.h"
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace hv::assets;
using Bytes = std::vector<std::uint8_t>;

struct Asset {
    int id;
    const char* type; // BITMAP or CURSOR
    std::string file;
    std::function<Bytes()> encode;
};

std::function<Bytes()> Bitmap(hv::Image (*draw)()) {
    return [draw] { return hv::EncodeBmp(draw()); };
}

std::vector<Asset> AllAssets() {
    std::vector<Asset> all = {
        {IDB_ADDIN_BUTTON, "BITMAP", "addin_button.bmp", Bitmap(AddinButtonFace)},
        {IDB_PALETTE_BASIC, "BITMAP", "palette_basic.bmp", Bitmap(BasicPalette)},
        {IDB_PALETTE_QUICK, "BITMAP", "palette_quick.bmp", Bitmap(QuickColorPalette)},
        {IDB_PALETTE_GREY, "BITMAP", "palette_grey.bmp", Bitmap(GreyScalePalette)},
        {IDB_MAIN_BACKGROUND, "BITMAP", "main_background.bmp", Bitmap(MainBackground)},
        {IDB_CLOSE_NORMAL, "BITMAP", "close_normal.bmp", Bitmap(CloseNormal)},
        {IDB_CLOSE_DOWN, "BITMAP", "close_down.bmp", Bitmap(ClosePressed)},
        {IDB_MIN_NORMAL, "BITMAP", "min_normal.bmp", Bitmap(MinimizeNormal)},
        {IDB_MIN_DOWN, "BITMAP", "min_down.bmp", Bitmap(MinimizePressed)},
        {IDC_PIPETTE, "CURSOR", "pipette.cur",
         [] {
             return hv::EncodeCursor(PipetteCursor(), kCursorTransparent, kPipetteHotX,
                                     kPipetteHotY);
         }},
        {IDB_ABOUT_BACKGROUND, "BITMAP", "about_background.bmp", Bitmap(AboutBackground)},
        {IDB_MAKER_LOGO, "BITMAP", "maker_logo.bmp", Bitmap(MakerLogo)},
        {IDB_EXPLANATION_SHEET, "BITMAP", "explanation_sheet.bmp", Bitmap(ExplanationSheet)},
        {IDB_GIVESOME_BADGE, "BITMAP", "givesome_badge.bmp", Bitmap(GivesomeBadge)},
        {IDB_DONATE_LINK, "BITMAP", "donate_link.bmp", Bitmap(DonateLink)},
        {IDC_LINK_HAND, "CURSOR", "link_hand.cur",
         [] { return hv::EncodeCursor(LinkHandCursor(), kCursorClear, kHandHotX, kHandHotY); }},
    };
    for (const ButtonFace& face : kButtonFaces) {
        const std::pair<FaceState, int> states[] = {{FaceState::Up, face.idUp},
                                                    {FaceState::Over, face.idOver},
                                                    {FaceState::Down, face.idDown}};
        const char* suffixes[] = {"_up.bmp", "_over.bmp", "_down.bmp"};
        for (int i = 0; i < 3; ++i) {
            const auto [state, id] = states[i];
            auto draw = face.draw;
            all.push_back({id, "BITMAP", std::string(face.file) + suffixes[i],
                           [draw, state] { return hv::EncodeBmp(draw(state)); }});
        }
    }
    return all;
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
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
    const std::string dir = argv[1];
    std::string script = "// Written by mkassets: the add-in's pictures.\n";
    bool ok = true;
    for (const Asset& a : AllAssets()) {
        // Bitmaps go in packed (RCDATA): drawn pictures shrink some forty times.
        const bool packed = std::string(a.type) == "BITMAP";
        const Bytes bytes = a.encode();
        const std::string file = packed ? a.file + ".lz" : a.file;
        ok = ok && WriteFile(dir + "/" + file,
                             packed ? hv::Pack(bytes.data(), bytes.size()) : bytes);
        script += std::to_string(a.id) + (packed ? " RCDATA" : std::string(" ") + a.type) +
                  " \"" + file + "\"\n";
    }
    // The script last: the build takes its presence as "all pictures written".
    ok = ok && WriteFile(dir + "/assets.rc", Bytes(script.begin(), script.end()));
    if (!ok) std::fprintf(stderr, "mkassets: cannot write to %s\n", dir.c_str());
    return ok ? 0 : 1;
}
