// Small pictures written as rows of characters, and a pixel font drawn the same way.
#pragma once
#include "../core/image.h"
#include <initializer_list>
#include <string>
#include <utility>

namespace hv::assets {

// Characters that map to colours; a character not in the map (e.g. ' ') is not drawn.
using Ink = std::initializer_list<std::pair<char, ColorValue>>;

// Draws the rows with their top-left corner at (x, y); pixels outside the image are dropped.
void DrawArt(Image& image, int x, int y, std::initializer_list<const char*> rows, Ink ink);

// Text in a 7-pixel-high font of the letters the button faces use ("RGB formats", "OK",
// "Website"); one blank column between letters. Unknown characters are left out.
void DrawText7(Image& image, int x, int y, const std::string& text, ColorValue colour);

} // namespace hv::assets
