#include "recent_store.h"
#include "../core/addin_settings.h"
#include "settings.h"

namespace hv::colour {

RecentColours LoadRecentColors() {
    return ParseRecent(rt::GetSetting(settings::kApp, settings::kSection, settings::kRecentColors));
}

void RememberRecent(ColorValue c) {
    // A list that is there but could not be read is not replaced by this one colour.
    const auto stored = rt::ReadSetting(settings::kApp, settings::kSection, settings::kRecentColors);
    if (!stored) return;
    RecentColours list = ParseRecent(*stored);
    const RecentColours before = list;
    PutFirst(list, c);
    if (list != before)
        rt::SaveSetting(settings::kApp, settings::kSection, settings::kRecentColors,
                        RecentText(list));
}

} // namespace hv::colour
