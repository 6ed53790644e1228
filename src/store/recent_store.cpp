#include "recent_store.h"
#include "../core/addin_settings.h"
#include "settings.h"

namespace hv::colour {

RecentColours LoadRecentColors() {
    return ParseRecent(rt::GetSetting(settings::kApp, settings::kSection, settings::kRecentColors));
}

void RememberRecent(ColorValue c) {
    RecentColours list = LoadRecentColors();
    const RecentColours before = list;
    PutFirst(list, c);
    if (list != before)
        rt::SaveSetting(settings::kApp, settings::kSection, settings::kRecentColors,
                        RecentText(list));
}

} // namespace hv::colour
