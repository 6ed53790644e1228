#include "favorites.h"
#include "../controls/lumo_color_container.h"
#include "../core/contrast.h"
#include "../core/stored_text.h"
#include "../runtime/colour_dialog.h"
#include "palettes.h"
#include "../runtime/picture_box.h"
#include "../runtime/system_colour.h"
#include "../runtime/text_box.h"
#include "registry_stuff.h"

namespace hv::colour {

namespace {
std::string ValueName(int index) {
    return "Color" + std::to_string(index + 1);
}
} // namespace

void LoadFavorites(FavoriteFields& f) {
    for (int i = 0; i < kFavoriteCount; ++i) {
        std::string text = GetRegValue(kUserFavoritesRoot, kFavoritesKey, ValueName(i), "");
        if (text.empty()) text = GetRegValue(kFavoritesRoot, kFavoritesKey, ValueName(i), "");
        if (const auto value = ParseVbLong(text)) f.CC[i]->SetBackColor(*value);
    }
}

void SaveFavorites(FavoriteFields& f) {
    bool refused = false;
    for (int i = 0; i < kFavoriteCount; ++i)
        refused |= !SetRegValue(kFavoritesRoot, kFavoritesKey, ValueName(i),
                                std::to_string(f.CC[i]->BackColor()));
    // A user copy that exists is read first, so it must not fall behind the machine's key.
    if (!refused && !RegKeyExists(kUserFavoritesRoot, kFavoritesKey)) return;
    CreateRegKey(kUserFavoritesRoot, kFavoritesKey);
    for (int i = 0; i < kFavoriteCount; ++i)
        SetRegValue(kUserFavoritesRoot, kFavoritesKey, ValueName(i),
                    std::to_string(f.CC[i]->BackColor()));
}

void SelectInitialFavorite(FavoriteFields& f) {
    f.txtIndex.SetText("0");
    f.txtTempFav.SetText(ColorCodeText(f.CC[0]->BackColor()));
    f.CC[0]->SetStyle(1);
}

int SelectedFavorite(FavoriteFields& f) {
    const auto index = ParseVbLong(f.txtIndex.Text());
    return index && *index >= 0 && *index < kFavoriteCount ? *index : 0;
}

void CC_MouseDown(FavoriteFields& f, int index) {
    const ColorValue c = f.CC[index]->BackColor();
    for (int j = 0; j < kFavoriteCount; ++j)
        f.CC[j]->SetStyle(j == index ? 1 : 0);
    f.txtTempFav.SetText(ColorCodeText(c));
    f.txtIndex.SetText(std::to_string(index));
    ShowComponents(f.colour, c);
}

// Written on every move, so it follows the current colour; both as painted, a system colour
// being the machine's colour now.
void CC_MouseMove(FavoriteFields& f, int index) {
    const auto painted = [](ColorValue c) { return static_cast<ColorValue>(rt::ResolveColor(c)); };
    f.CC[index]->SetColorTipText("Favorite colors, DoubleClick to modify \n" +
                                 ContrastText(painted(f.CC[index]->BackColor()),
                                              painted(f.colour.picCurrentCol.BackColor())));
}

void CC_DblClick(FavoriteFields& f) {
    const int s = SelectedFavorite(f);
    AskForColour(f.cdlColFav, f.CC[s]->BackColor(), f.owner);
    f.CC[s]->SetBackColor(f.cdlColFav.Color);
    f.txtTempFav.SetText(ColorCodeText(f.CC[s]->BackColor()));
    ShowComponents(f.colour, f.cdlColFav.Color);
    SaveFavorites(f);
}

void cmdACFav_Click(FavoriteFields& f) {
    const int s = SelectedFavorite(f);
    f.CC[s]->SetBackColor(f.colour.picCurrentCol.BackColor());
    f.txtTempFav.SetText(ColorCodeText(f.CC[s]->BackColor()));
    SaveFavorites(f);
    f.picBasicCol.SetFocus();
}

} // namespace hv::colour
