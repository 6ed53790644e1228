#include "pixel_art.h"
#include <cstring>

namespace hv::assets {

void DrawArt(Image& image, int x, int y, std::initializer_list<const char*> rows, Ink ink) {
    int row = 0;
    for (const char* r : rows) {
        for (int col = 0; r[col]; ++col) {
            for (const auto& [ch, colour] : ink)
                if (r[col] == ch && image.contains(x + col, y + row))
                    image.at(x + col, y + row) = colour;
        }
        ++row;
    }
}

namespace {

struct Glyph {
    char ch;
    const char* rows[7];
};

// The letters of the button words ("RGB formats", "OK", "Website"); none of these reaches
// below the line.
const Glyph kGlyphs[] = {
    {' ', {"..", "..", "..", "..", "..", "..", ".."}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'W', {"#.....#", "#.....#", "#.....#", "#..#..#", "#..#..#", "#.#.#.#", ".#...#."}},
    {'e', {"....", "....", ".##.", "#..#", "####", "#...", ".###"}},
    {'b', {"#...", "#...", "###.", "#..#", "#..#", "#..#", "###."}},
    {'i', {"#", ".", "#", "#", "#", "#", "#"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'f', {"..##", ".#..", ".#..", "###.", ".#..", ".#..", ".#.."}},
    {'o', {"....", "....", ".##.", "#..#", "#..#", "#..#", ".##."}},
    {'r', {"...", "...", "#.#", "##.", "#..", "#..", "#.."}},
    {'m', {".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#"}},
    {'a', {"....", "....", ".##.", "...#", ".###", "#..#", ".###"}},
    {'t', {"...", ".#.", "###", ".#.", ".#.", ".#.", "..#"}},
    {'s', {"....", "....", ".###", "#...", ".##.", "...#", "###."}},
};

const Glyph* Find(char ch) {
    for (const Glyph& g : kGlyphs)
        if (g.ch == ch) return &g;
    return nullptr;
}

} // namespace

void DrawText7(Image& image, int x, int y, const std::string& text, ColorValue colour) {
    for (char ch : text) {
        const Glyph* g = Find(ch);
        if (!g) continue;
        for (int row = 0; row < 7; ++row)
            for (int col = 0; g->rows[row][col]; ++col)
                if (g->rows[row][col] == '#' && image.contains(x + col, y + row))
                    image.at(x + col, y + row) = colour;
        x += static_cast<int>(std::strlen(g->rows[0])) + 1;
    }
}

} // namespace hv::assets
