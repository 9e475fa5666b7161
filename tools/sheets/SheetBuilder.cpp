#include "SheetBuilder.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "Masks.h"
#include "Quantise.h"
#include "SvgRender.h"

namespace kvx::sheets {
namespace {

std::string ReadText(const std::filesystem::path& p, std::string& error) {
    std::ifstream in(p, std::ios::binary);
    if (!in) {
        error = "cannot read " + p.string();
        return {};
    }
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

Rect BoundingBox(const std::vector<const Cell*>& cells) {
    int x0 = cells[0]->Image.X, y0 = cells[0]->Image.Y;
    int x1 = x0 + cells[0]->Image.W, y1 = y0 + cells[0]->Image.H;
    for (const Cell* c : cells) {
        x0 = std::min(x0, c->Image.X), y0 = std::min(y0, c->Image.Y);
        x1 = std::max(x1, c->Image.X + c->Image.W), y1 = std::max(y1, c->Image.Y + c->Image.H);
    }
    return {x0, y0, x1 - x0, y1 - y0};
}

// The RGB sheet being assembled, with the cell that wrote each pixel so that pixels shared by two
// cells can be compared.
class Assembly {
  public:
    Assembly(const SheetLayout& s)
        : sheet_(s), rgb_(static_cast<size_t>(s.Width) * s.Height, kBlack), owner_(rgb_.size(), -1) {}

    void Write(int cell, const Rect& r, const std::vector<uint32_t>& pixels,
               std::vector<std::string>& errors) {
        for (int j = 0; j < r.H; ++j)
            for (int i = 0; i < r.W; ++i) {
                const size_t at = static_cast<size_t>(r.Y + j) * sheet_.Width + (r.X + i);
                const uint32_t v = pixels[static_cast<size_t>(j) * r.W + i];
                if (owner_[at] >= 0 && owner_[at] != cell && rgb_[at] != v) {
                    const auto key = std::minmax(owner_[at], cell);
                    if (reported_.insert(key).second)
                        errors.push_back(sheet_.Name + ": " + sheet_.Cells[size_t(owner_[at])].Name +
                                         " and " + sheet_.Cells[size_t(cell)].Name +
                                         " share pixels but disagree, first at (" + std::to_string(r.X + i) +
                                         ", " + std::to_string(r.Y + j) + ")");
                    continue;
                }
                rgb_[at] = v;
                owner_[at] = cell;
            }
    }
    const std::vector<uint32_t>& Rgb() const { return rgb_; }

  private:
    const SheetLayout& sheet_;
    std::vector<uint32_t> rgb_;
    std::vector<int> owner_;
    std::set<std::pair<int, int>> reported_;
};

void BuildOne(const SheetLayout& sheet, const std::vector<Source>& sources,
              const std::filesystem::path& artDir, BuildResult& result) {
    Assembly assembly(sheet);
    std::map<std::string, int> index;
    for (size_t i = 0; i < sheet.Cells.size(); ++i) index[sheet.Cells[i].Name] = int(i);

    for (const Source& src : sources) {
        if (src.Sheet != sheet.Name) continue;
        std::vector<const Cell*> cells;
        for (const std::string& n : src.Cells)
            if (auto it = index.find(n); it != index.end()) cells.push_back(&sheet.Cells[size_t(it->second)]);
        if (cells.size() != src.Cells.size() || cells.empty()) continue; // already reported by CheckManifest
        const Rect box = BoundingBox(cells);

        const int m = kSpillMargin;
        Canvas canvas(sheet.Width + 2 * m, sheet.Height + 2 * m);
        const Parsed<Size> drawn = RenderSvg((artDir / src.File).string(), canvas, box.X + m, box.Y + m);
        if (!drawn.Ok()) {
            result.Errors.push_back(drawn.Error);
            continue;
        }
        if (drawn.Value.W != box.W || drawn.Value.H != box.H) {
            result.Errors.push_back(src.File + ": is " + std::to_string(drawn.Value.W) + " x " +
                                    std::to_string(drawn.Value.H) + " but its cells need " +
                                    std::to_string(box.W) + " x " + std::to_string(box.H));
            continue;
        }
        // Spill: any trace of art outside the source's own picture rectangles.
        int spilled = 0, firstX = 0, firstY = 0;
        for (int y = 0; y < canvas.Height; ++y)
            for (int x = 0; x < canvas.Width; ++x) {
                if (canvas.Alpha(x, y) == 0) continue;
                bool inside = false;
                for (const Cell* c : cells) inside = inside || c->Image.Contains(x - m, y - m);
                if (!inside && spilled++ == 0) firstX = x - m, firstY = y - m;
            }
        if (spilled > 0) {
            result.Errors.push_back(src.File + ": art spills outside its rectangles on " + sheet.Name + " (" +
                                    std::to_string(spilled) + " pixels, first at (" + std::to_string(firstX) +
                                    ", " + std::to_string(firstY) + "))");
            continue;
        }
        for (const Cell* c : cells) {
            const int id = index[c->Name];
            const CellPixels px =
                c->Mask ? DeriveMasked(canvas, c->Image.X + m, c->Image.Y + m, c->Image.W, c->Image.H)
                        : FlattenOnBlack(canvas, c->Image.X + m, c->Image.Y + m, c->Image.W, c->Image.H);
            assembly.Write(id, c->Image, px.Image, result.Errors);
            if (c->Mask) assembly.Write(id, *c->Mask, px.Mask, result.Errors);
        }
    }

    const Quantised q = Quantise(assembly.Rgb());
    BuiltSheet out{sheet.Name, {}};
    out.Picture.Width = sheet.Width;
    out.Picture.Height = sheet.Height;
    out.Picture.Palette = q.Palette;
    out.Picture.Pixels = q.Indices;
    result.Sheets.push_back(std::move(out));
}

} // namespace

BuildResult BuildSheets(const Layout& layout, const std::vector<Source>& sources,
                        const std::filesystem::path& artDir) {
    BuildResult result;
    result.Errors = CheckLayout(layout);
    for (std::string& e : CheckManifest(layout, sources)) result.Errors.push_back(std::move(e));
    for (const SheetLayout& sheet : layout.Sheets) BuildOne(sheet, sources, artDir, result);
    return result;
}

BuildResult BuildArtFolder(const std::filesystem::path& artDir) {
    BuildResult result;
    std::string error;
    const std::string layoutText = ReadText(artDir / "layout.txt", error);
    const std::string manifestText = error.empty() ? ReadText(artDir / "manifest.txt", error) : "";
    if (!error.empty()) {
        result.Errors.push_back(error);
        return result;
    }
    const Parsed<Layout> layout = ParseLayout(layoutText);
    const Parsed<std::vector<Source>> manifest = ParseManifest(manifestText);
    if (!layout.Ok()) result.Errors.push_back("layout.txt " + layout.Error);
    if (!manifest.Ok()) result.Errors.push_back("manifest.txt " + manifest.Error);
    if (!result.Errors.empty()) return result;
    return BuildSheets(layout.Value, manifest.Value, artDir);
}

std::vector<uint8_t> SheetFileBytes(const Bitmap8& picture) {
    const std::vector<uint8_t> bmp = EncodeBmp(picture);
    Parsed<std::vector<uint8_t>> sheet = BmpToSheet(bmp);
    return sheet.Value;
}

} // namespace kvx::sheets
