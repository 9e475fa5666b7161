#pragma once
// The sheet layout (every rectangle the game reads, per sheet) and the art manifest (which SVG
// source fills which cells). Both are small line-based text files kept beside the artwork.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "resources/Bitmap8.h"

namespace kvx::sheets {

struct Rect {
    int X = 0, Y = 0, W = 0, H = 0;
    bool Contains(int x, int y) const { return x >= X && y >= Y && x < X + W && y < Y + H; }
    bool Intersects(const Rect& o) const {
        return X < o.X + o.W && o.X < X + W && Y < o.Y + o.H && o.Y < Y + H;
    }
    bool operator==(const Rect&) const = default;
};

// One sprite cell: the picture and, for masked sprites, the 1-bit mask the game ANDs first.
struct Cell {
    std::string Name;
    Rect Image;
    std::optional<Rect> Mask;
};

struct SheetLayout {
    std::string Name; // "G1" .. "G8"
    int Width = 0, Height = 0;
    std::vector<Cell> Cells;
};

// Two cells whose rectangles share pixels on purpose; the shared pixels must come out identical.
struct SharedPair {
    std::string Sheet, A, B;
};

struct Layout {
    std::vector<SheetLayout> Sheets;
    std::vector<SharedPair> Shared;

    const SheetLayout* FindSheet(std::string_view name) const;
    bool IsShared(std::string_view sheet, std::string_view a, std::string_view b) const;
};

// One SVG source. It is placed with its top-left corner on the top-left corner of the bounding
// box of its cells' picture rectangles, and must be exactly that box's size.
struct Source {
    std::string File; // relative to the art folder
    std::string Sheet;
    std::vector<std::string> Cells;
    int Line = 0;
};

// "sheet NAME W H" starts a sheet; "cell NAME X Y W H MX MY" (or "-" instead of MX MY for an
// unmasked picture) adds a cell to it; "shared SHEET A B" allows two cells to overlap.
Parsed<Layout> ParseLayout(std::string_view text);
// "FILE SHEET CELL..." per line.
Parsed<std::vector<Source>> ParseManifest(std::string_view text);

// Problems of the layout on its own: rectangles outside their sheet, overlapping rectangles that
// are not declared as shared, duplicate names.
std::vector<std::string> CheckLayout(const Layout& layout);
// Problems of the manifest against the layout: cells with no source or with two, unknown
// sheets or cells.
std::vector<std::string> CheckManifest(const Layout& layout, const std::vector<Source>& sources);

std::string Describe(const Rect& r);

} // namespace kvx::sheets
