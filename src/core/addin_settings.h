// The add-in's own per-user settings, where VB's SaveSetting keeps them:
// HKCU\Software\VB and VBA Program Settings\Pigmora\Settings.
#pragma once

namespace hv::settings {

constexpr char kApp[] = "Pigmora", kSection[] = "Settings";
constexpr char kDisplayOnConnect[] = "DisplayOnConnect"; // "1": open the window at start-up
constexpr char kLoupeZoom[] = "LoupeZoom";               // the capture loupe's zoom, 4 to 16
// What a capture picks: "1" the pixel, "3" or "5" the mean of that square around it.
constexpr char kPickSquare[] = "PickSquare";
// The recent colours, newest first: decimal colour values separated by spaces.
constexpr char kRecentColors[] = "RecentColors";
// The user's own formats: a section of their own, text values Format1, Format2, ...
constexpr char kFormatsSection[] = "Formats";

} // namespace hv::settings
