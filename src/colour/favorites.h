// The ten favourite colours: selecting, storing the current colour, changing one in the
// colour dialog, and keeping all ten in the registry. A favourite's colour is its swatch's
// BackColor; the selection is carried by the hidden fields txtIndex and txtTempFav.
#pragma once
#include "colour_state.h"
#include <array>
#include <windows.h>

namespace hv::controls {
class LumoColorContainer;
}
namespace hv::rt {
class ColorDialog;
}

namespace hv::colour {

constexpr int kFavoriteCount = 10;
// Where the favourites are kept: one key of the machine, shared by its users, and a copy of
// the user's own written with it (a program that declares itself Vista-aware, as Office
// does, gets no per-user virtual copy of the machine's key from Windows; VB6 gets one that
// only it sees).
inline const HKEY kFavoritesRoot = HKEY_LOCAL_MACHINE;
inline const HKEY kUserFavoritesRoot = HKEY_CURRENT_USER;
constexpr char kFavoritesKey[] = "Software\\Lumo\\ColorValues";
// Beside Color1..Color10 in each copy: "time:digest", when its ten were written and what
// they were (the newer copy is read first).
constexpr char kFavoritesStamp[] = "Saved";

struct FavoriteFields {
    std::array<controls::LumoColorContainer*, kFavoriteCount> CC;
    rt::TextBox& txtIndex;
    rt::TextBox& txtTempFav;
    rt::PictureBox& picBasicCol;
    rt::ColorDialog& cdlColFav;
    ColourFields& colour;
    HWND owner;
};

// "Color1" .. "Color10" into the swatches from the copy saved last (by its stamp, or without
// one by its key's last write; the user's within the same second), what it lacks from the other; a value that is missing or no number leaves its swatch
// at the colour the window's layout gives it.
void LoadFavorites(FavoriteFields& f);
// All ten swatch colours as signed decimal texts, with the time, into the machine's key and
// the user's copy. When neither takes them the user is told, once while the window is open.
void SaveFavorites(FavoriteFields& f);
// Swatch 0 selected, after loading.
void SelectInitialFavorite(FavoriteFields& f);

void CC_MouseDown(FavoriteFields& f, int index); // any button selects
void CC_MouseMove(FavoriteFields& f, int index); // the swatch's tooltip
void CC_DblClick(FavoriteFields& f);             // the selected favourite in the colour dialog
void cmdACFav_Click(FavoriteFields& f);          // the current colour into the selected favourite

// The selected index from txtIndex (0 when the field holds no index).
int SelectedFavorite(FavoriteFields& f);

} // namespace hv::colour
