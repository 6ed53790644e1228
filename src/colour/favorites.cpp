#include "favorites.h"
#include "../controls/lumo_color_container.h"
#include "../core/stored_text.h"
#include "../runtime/colour_dialog.h"
#include "../runtime/message_box.h"
#include "palettes.h"
#include "../runtime/picture_box.h"
#include "../runtime/text_box.h"
#include "registry_stuff.h"
#include <algorithm>
#include <cstdint>

namespace hv::colour {

namespace {
std::string ValueName(int index) {
    return "Color" + std::to_string(index + 1);
}

// Told once a window's session: the next save may work again, and a box per click would not
// tell the user more.
bool g_failureTold = false;

// What a copy's ten say, for its stamp to vouch for (FNV-1a of the texts).
std::uint32_t Digest(const std::string (&texts)[kFavoriteCount]) {
    std::uint32_t h = 2166136261u;
    for (const std::string& t : texts)
        for (const char c : t + ',') h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h;
}

void ReadTen(HKEY root, std::string (&texts)[kFavoriteCount]) {
    for (int i = 0; i < kFavoriteCount; ++i) texts[i] = GetRegValue(root, kFavoritesKey, ValueName(i), "");
}

// When a copy's ten were last written whole (UTC, 100 ns since 1601): 0 when never stamped,
// the newest of all when changed since its stamp by a writer that knows no stamps.
std::uint64_t Stamp(HKEY root) {
    const std::string text = GetRegValue(root, kFavoritesKey, kFavoritesStamp, "");
    std::uint64_t v = 0;
    std::size_t i = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && v < UINT64_MAX / 10 - 9; ++i)
        v = v * 10 + static_cast<unsigned>(text[i] - '0');
    std::string texts[kFavoriteCount];
    ReadTen(root, texts);
    if (text.empty() || text[i] != ':' || text.substr(i + 1) != std::to_string(Digest(texts)))
        return text.empty() ? 0 : UINT64_MAX;
    return v;
}

bool WriteTen(HKEY root, const std::string (&texts)[kFavoriteCount], std::uint64_t stamp) {
    // A copy that holds these ten already is left as it is, its stamp included.
    std::string had[kFavoriteCount];
    ReadTen(root, had);
    if (std::equal(std::begin(had), std::end(had), std::begin(texts))) return true;
    bool all = true;
    for (int i = 0; i < kFavoriteCount; ++i) all &= SetRegValue(root, kFavoritesKey, ValueName(i), texts[i]);
    // Last, so that a stamp vouches for a whole ten.
    return all && SetRegValue(root, kFavoritesKey, kFavoritesStamp,
                              std::to_string(stamp) + ':' + std::to_string(Digest(texts)));
}
} // namespace

void LoadFavorites(FavoriteFields& f) {
    g_failureTold = false;
    // The newer copy first; without stamps (older versions) the user's.
    const bool machineNewer = Stamp(kFavoritesRoot) > Stamp(kUserFavoritesRoot);
    const HKEY first = machineNewer ? kFavoritesRoot : kUserFavoritesRoot;
    const HKEY second = machineNewer ? kUserFavoritesRoot : kFavoritesRoot;
    for (int i = 0; i < kFavoriteCount; ++i) {
        std::string text = GetRegValue(first, kFavoritesKey, ValueName(i), "");
        if (text.empty()) text = GetRegValue(second, kFavoritesKey, ValueName(i), "");
        if (const auto value = ParseVbLong(text)) f.CC[i]->SetBackColor(*value);
    }
}

void SaveFavorites(FavoriteFields& f) {
    FILETIME ft{};
    GetSystemTimeAsFileTime(&ft);
    std::uint64_t stamp = (std::uint64_t{ft.dwHighDateTime} << 32) | ft.dwLowDateTime;
    // Newer than both copies even with the clock set back.
    for (const HKEY root : {kFavoritesRoot, kUserFavoritesRoot})
        if (const std::uint64_t had = Stamp(root); had != UINT64_MAX) stamp = std::max(stamp, had + 1);
    std::string texts[kFavoriteCount];
    for (int i = 0; i < kFavoriteCount; ++i) texts[i] = std::to_string(f.CC[i]->BackColor());
    // Both copies, always: VB6 on Vista and later writes the machine's key into a virtual copy
    // of its own that the VBA editor never sees, while both see the user's.
    const bool machine = WriteTen(kFavoritesRoot, texts, stamp);
    CreateRegKey(kUserFavoritesRoot, kFavoritesKey);
    const bool user = WriteTen(kUserFavoritesRoot, texts, stamp);
    if (machine || user || g_failureTold) return;
    g_failureTold = true;
    rt::MsgBox(L"Your favorite colors could not be saved: the registry refused them. They are "
               L"kept until the window closes.",
               MB_OK | MB_ICONEXCLAMATION, L"Pigmora");
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

void CC_MouseMove(FavoriteFields& f, int index) {
    f.CC[index]->SetColorTipText("Favorite colors, DoubleClick to modify ");
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
