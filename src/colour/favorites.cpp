#include "favorites.h"
#include "../controls/lumo_color_container.h"
#include "../core/contrast.h"
#include "../core/stored_text.h"
#include "../runtime/colour_dialog.h"
#include "../runtime/message_box.h"
#include "palettes.h"
#include "../runtime/picture_box.h"
#include "../runtime/system_colour.h"
#include "../runtime/text_box.h"
#include "../store/registry_stuff.h"
#include <cstdint>

namespace hv::colour {

namespace {
std::string ValueName(int index) {
    return "Color" + std::to_string(index + 1);
}

// Told once a window's session: the next save may work again, and a box per click would not
// tell the user more.
bool g_failureTold = false;

// A copy's ten as one text, each followed by a comma: what its stamp vouches for.
std::string Ten(const RegReader& copy) {
    std::string all;
    for (int i = 0; i < kFavoriteCount; ++i) all += copy.Get(ValueName(i), "") + ',';
    return all;
}

// "time:digest" for `ten` saved at `time` (UTC seconds since 2001; FNV-1a of the ten).
std::string StampText(std::uint32_t time, const std::string& ten) {
    std::uint32_t h = 2166136261u;
    for (const char c : ten) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return std::to_string(time) + ':' + std::to_string(h);
}

// When a copy's ten were last saved whole: 0 when never stamped, the newest of all when
// changed since its stamp by a writer that knows no stamps.
std::uint32_t Stamp(const RegReader& copy) {
    const std::string text = copy.Get(kFavoritesStamp, "");
    if (text.empty()) return 0;
    std::uint32_t time = 0;
    for (std::size_t i = 0; i < text.size() && text[i] != ':'; ++i)
        time = time * 10 + static_cast<unsigned char>(text[i] - '0'); // checked as a whole below
    return StampText(time, Ten(copy)) == text ? time : UINT32_MAX;
}

std::uint32_t SecondsSince2001(FILETIME ft) {
    constexpr std::uint64_t k2001 = 12622780800ull; // seconds from 1601 to 2001
    const std::uint64_t seconds = (std::uint64_t{ft.dwHighDateTime} << 32 | ft.dwLowDateTime) / 10000000;
    return seconds > k2001 ? static_cast<std::uint32_t>(seconds - k2001) : 0;
}

// When a copy was written last: its stamp; without one, its key's last write, by a version or
// a script that knows no stamps (0 when there is no key).
std::uint32_t Written(const RegReader& copy) {
    const std::uint32_t stamp = Stamp(copy);
    return stamp ? stamp : SecondsSince2001(copy.LastWrite());
}

bool WriteTen(HKEY root, const std::string& ten, FavoriteFields& f, const std::string& stamp) {
    // A copy that holds these ten already is left as it is, its stamp included.
    if (Ten(RegReader(root, kFavoritesKey)) == ten) return true;
    bool all = true;
    for (int i = 0; i < kFavoriteCount; ++i)
        all &= SetRegValue(root, kFavoritesKey, ValueName(i), std::to_string(f.CC[i]->BackColor()));
    // Last, so that a stamp vouches for a whole ten.
    return all && SetRegValue(root, kFavoritesKey, kFavoritesStamp, stamp);
}
} // namespace

void LoadFavorites(FavoriteFields& f) {
    g_failureTold = false;
    // The copy written last first; within the same second the user's.
    const RegReader machine(kFavoritesRoot, kFavoritesKey), user(kUserFavoritesRoot, kFavoritesKey);
    const bool machineNewer = Written(machine) > Written(user);
    const RegReader& first = machineNewer ? machine : user;
    const RegReader& second = machineNewer ? user : machine;
    for (int i = 0; i < kFavoriteCount; ++i) {
        std::string text = first.Get(ValueName(i), "");
        if (text.empty()) text = second.Get(ValueName(i), "");
        if (const auto value = ParseVbLong(text)) f.CC[i]->SetBackColor(*value);
    }
}

void SaveFavorites(FavoriteFields& f) {
    FILETIME ft{};
    GetSystemTimeAsFileTime(&ft);
    std::uint32_t stamp = SecondsSince2001(ft);
    // Newer than both copies even with the clock set back, or two saves within a second.
    for (const HKEY root : {kFavoritesRoot, kUserFavoritesRoot})
        if (const std::uint32_t had = Stamp(RegReader(root, kFavoritesKey)); had < UINT32_MAX - 1 && had >= stamp) stamp = had + 1;
    std::string ten;
    for (int i = 0; i < kFavoriteCount; ++i) ten += std::to_string(f.CC[i]->BackColor()) + ',';
    const std::string text = StampText(stamp, ten);
    // Both copies, always: VB6 on Vista and later writes the machine's key into a virtual copy
    // of its own that the VBA editor never sees, while both see the user's.
    const bool machine = WriteTen(kFavoritesRoot, ten, f, text);
    CreateRegKey(kUserFavoritesRoot, kFavoritesKey);
    const bool user = WriteTen(kUserFavoritesRoot, ten, f, text);
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
