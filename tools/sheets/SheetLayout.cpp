#include "SheetLayout.h"

#include <charconv>
#include <map>
#include <set>
#include <sstream>

namespace kvx::sheets {
namespace {

std::vector<std::string> Words(std::string_view line) {
    std::vector<std::string> out;
    std::istringstream in{std::string(line)};
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

bool ToInt(const std::string& s, int& v) {
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    return ec == std::errc() && p == s.data() + s.size();
}

// Calls f(lineNumber, words) for every line that is not blank or a comment.
template <typename F> std::string ForEachLine(std::string_view text, F f) {
    int number = 0;
    size_t at = 0;
    while (at <= text.size()) {
        const size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        ++number;
        if (const size_t hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
        if (auto w = Words(line); !w.empty()) {
            if (std::string e = f(number, w); !e.empty()) return "line " + std::to_string(number) + ": " + e;
        }
        at = end + 1;
    }
    return {};
}

struct Placed {
    const Cell* C;
    Rect R;
    const char* What;
};

} // namespace

std::string Describe(const Rect& r) {
    return "(" + std::to_string(r.X) + ", " + std::to_string(r.Y) + ") " + std::to_string(r.W) + " x " +
           std::to_string(r.H);
}

const SheetLayout* Layout::FindSheet(std::string_view name) const {
    for (const SheetLayout& s : Sheets)
        if (s.Name == name) return &s;
    return nullptr;
}

bool Layout::IsShared(std::string_view sheet, std::string_view a, std::string_view b) const {
    for (const SharedPair& p : Shared)
        if (p.Sheet == sheet && ((p.A == a && p.B == b) || (p.A == b && p.B == a))) return true;
    return false;
}

Parsed<Layout> ParseLayout(std::string_view text) {
    Parsed<Layout> out;
    Layout& layout = out.Value;
    out.Error = ForEachLine(text, [&](int, const std::vector<std::string>& w) -> std::string {
        if (w[0] == "sheet") {
            SheetLayout s;
            if (w.size() != 4 || !ToInt(w[2], s.Width) || !ToInt(w[3], s.Height) || s.Width <= 0 ||
                s.Height <= 0)
                return "expected: sheet NAME WIDTH HEIGHT";
            s.Name = w[1];
            layout.Sheets.push_back(std::move(s));
            return {};
        }
        if (w[0] == "cell") {
            if (layout.Sheets.empty()) return "cell before the first sheet";
            Cell c;
            const bool masked = w.size() == 8;
            if (!(masked || (w.size() == 7 && w[6] == "-")) || !ToInt(w[2], c.Image.X) ||
                !ToInt(w[3], c.Image.Y) || !ToInt(w[4], c.Image.W) || !ToInt(w[5], c.Image.H) ||
                c.Image.W <= 0 || c.Image.H <= 0)
                return "expected: cell NAME X Y W H MASKX MASKY (or - for no mask)";
            c.Name = w[1];
            if (masked) {
                Rect m{0, 0, c.Image.W, c.Image.H};
                if (!ToInt(w[6], m.X) || !ToInt(w[7], m.Y)) return "bad mask position";
                c.Mask = m;
            }
            layout.Sheets.back().Cells.push_back(std::move(c));
            return {};
        }
        if (w[0] == "shared") {
            if (w.size() != 4) return "expected: shared SHEET CELL CELL";
            layout.Shared.push_back({w[1], w[2], w[3]});
            return {};
        }
        return "unknown entry '" + w[0] + "'";
    });
    return out;
}

Parsed<std::vector<Source>> ParseManifest(std::string_view text) {
    Parsed<std::vector<Source>> out;
    out.Error = ForEachLine(text, [&](int number, const std::vector<std::string>& w) -> std::string {
        if (w.size() < 3) return "expected: SOURCE SHEET CELL...";
        out.Value.push_back({w[0], w[1], {w.begin() + 2, w.end()}, number});
        return {};
    });
    return out;
}

std::vector<std::string> CheckLayout(const Layout& layout) {
    std::vector<std::string> errors;
    std::set<std::string> sheetNames;
    for (const SheetLayout& s : layout.Sheets) {
        if (!sheetNames.insert(s.Name).second) errors.push_back("sheet " + s.Name + " is defined twice");
        std::set<std::string> names;
        std::vector<Placed> rects;
        for (const Cell& c : s.Cells) {
            if (!names.insert(c.Name).second)
                errors.push_back(s.Name + ": cell " + c.Name + " is defined twice");
            rects.push_back({&c, c.Image, "picture"});
            if (c.Mask) rects.push_back({&c, *c.Mask, "mask"});
        }
        const Rect sheet{0, 0, s.Width, s.Height};
        for (const Placed& p : rects) {
            if (p.R.X < 0 || p.R.Y < 0 || p.R.X + p.R.W > sheet.W || p.R.Y + p.R.H > sheet.H)
                errors.push_back(s.Name + ": " + p.C->Name + " " + p.What + " " + Describe(p.R) +
                                 " lies outside the sheet");
        }
        for (size_t i = 0; i < rects.size(); ++i)
            for (size_t j = i + 1; j < rects.size(); ++j) {
                const Placed& a = rects[i];
                const Placed& b = rects[j];
                if (!a.R.Intersects(b.R)) continue;
                if (a.C != b.C && layout.IsShared(s.Name, a.C->Name, b.C->Name)) continue;
                errors.push_back(s.Name + ": unintended overlap of " + a.C->Name + " " + a.What + " " +
                                 Describe(a.R) + " and " + b.C->Name + " " + b.What + " " + Describe(b.R));
            }
    }
    for (const SharedPair& p : layout.Shared) {
        const SheetLayout* s = layout.FindSheet(p.Sheet);
        auto has = [&](const std::string& n) {
            if (!s) return false;
            for (const Cell& c : s->Cells)
                if (c.Name == n) return true;
            return false;
        };
        if (!has(p.A) || !has(p.B))
            errors.push_back("shared " + p.Sheet + " " + p.A + " " + p.B + " names an unknown sheet or cell");
    }
    return errors;
}

std::vector<std::string> CheckManifest(const Layout& layout, const std::vector<Source>& sources) {
    std::vector<std::string> errors;
    std::map<std::pair<std::string, std::string>, std::string> owner; // (sheet, cell) -> file
    for (const Source& src : sources) {
        const SheetLayout* s = layout.FindSheet(src.Sheet);
        if (!s) {
            errors.push_back(src.File + ": unknown sheet " + src.Sheet);
            continue;
        }
        for (const std::string& name : src.Cells) {
            bool found = false;
            for (const Cell& c : s->Cells) found = found || c.Name == name;
            if (!found) {
                errors.push_back(src.File + ": sheet " + src.Sheet + " has no cell " + name);
                continue;
            }
            auto [it, fresh] = owner.emplace(std::pair{src.Sheet, name}, src.File);
            if (!fresh)
                errors.push_back(src.Sheet + " " + name + " is filled by both " + it->second + " and " +
                                 src.File);
        }
    }
    for (const SheetLayout& s : layout.Sheets)
        for (const Cell& c : s.Cells)
            if (!owner.contains({s.Name, c.Name}))
                errors.push_back(s.Name + ": rectangle " + c.Name + " " + Describe(c.Image) +
                                 " has no source");
    return errors;
}

} // namespace kvx::sheets
