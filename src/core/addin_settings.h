// The add-in's own per-user settings, where VB's SaveSetting keeps them:
// HKCU\Software\VB and VBA Program Settings\Pigmora\Settings.
#pragma once

namespace hv::settings {

constexpr char kApp[] = "Pigmora", kSection[] = "Settings";
constexpr char kDisplayOnConnect[] = "DisplayOnConnect"; // "1": open the window at start-up
constexpr char kLoupeZoom[] = "LoupeZoom";               // the capture loupe's zoom, 4 to 16
// What a capture picks: "1" the pixel, "3" or "5" the mean of that square around it.
constexpr char kPickSquare[] = "PickSquare";

} // namespace hv::settings
