#include "Quantise.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <unordered_map>

namespace kvx::sheets {
namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr size_t kFreeEntries = 254;

struct Entry {
    int C[3]; // r, g, b
    uint64_t N;
};

// Squared distance weighted roughly by the eye's sensitivity (green most, blue least... but not
// so little that dark blues collapse, which the space backgrounds are full of).
int64_t Distance(const int* a, const int* b) {
    const int64_t dr = a[0] - b[0], dg = a[1] - b[1], db = a[2] - b[2];
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

struct Box {
    size_t Begin, End;
    double Error; // weighted squared distance of the entries to their mean
};

void Mean(const std::vector<Entry>& e, size_t b, size_t end, double* mean) {
    double sum[3] = {0, 0, 0};
    double n = 0;
    for (size_t i = b; i < end; ++i) {
        for (int k = 0; k < 3; ++k) sum[k] += double(e[i].C[k]) * double(e[i].N);
        n += double(e[i].N);
    }
    for (int k = 0; k < 3; ++k) mean[k] = n > 0 ? sum[k] / n : 0;
}

Box MakeBox(const std::vector<Entry>& e, size_t b, size_t end) {
    double m[3];
    Mean(e, b, end, m);
    double err = 0;
    for (size_t i = b; i < end; ++i) {
        const double dr = e[i].C[0] - m[0], dg = e[i].C[1] - m[1], db = e[i].C[2] - m[2];
        err += double(e[i].N) * (3 * dr * dr + 4 * dg * dg + 2 * db * db);
    }
    return {b, end, err};
}

std::vector<std::array<int, 3>> MedianCut(std::vector<Entry>& e) {
    std::vector<Box> boxes{MakeBox(e, 0, e.size())};
    while (boxes.size() < kFreeEntries) {
        size_t pick = 0;
        for (size_t i = 1; i < boxes.size(); ++i)
            if (boxes[i].Error > boxes[pick].Error) pick = i;
        Box box = boxes[pick];
        if (box.Error <= 0 || box.End - box.Begin < 2) break;
        // Split along the axis with the widest weighted spread, at the population median.
        double m[3];
        Mean(e, box.Begin, box.End, m);
        double var[3] = {0, 0, 0};
        for (size_t i = box.Begin; i < box.End; ++i)
            for (int k = 0; k < 3; ++k) var[k] += double(e[i].N) * (e[i].C[k] - m[k]) * (e[i].C[k] - m[k]);
        var[0] *= 3, var[1] *= 4, var[2] *= 2;
        const int axis = var[1] >= var[0] && var[1] >= var[2] ? 1 : (var[0] >= var[2] ? 0 : 2);
        std::sort(e.begin() + std::ptrdiff_t(box.Begin), e.begin() + std::ptrdiff_t(box.End),
                  [axis](const Entry& a, const Entry& b) {
                      if (a.C[axis] != b.C[axis]) return a.C[axis] < b.C[axis];
                      return std::lexicographical_compare(a.C, a.C + 3, b.C, b.C + 3);
                  });
        uint64_t total = 0;
        for (size_t i = box.Begin; i < box.End; ++i) total += e[i].N;
        uint64_t run = 0;
        size_t cut = box.Begin + 1;
        for (size_t i = box.Begin; i < box.End - 1; ++i) {
            run += e[i].N;
            cut = i + 1;
            if (2 * run >= total) break;
        }
        boxes[pick] = MakeBox(e, box.Begin, cut);
        boxes.push_back(MakeBox(e, cut, box.End));
    }
    std::vector<std::array<int, 3>> centres;
    for (const Box& b : boxes) {
        double m[3];
        Mean(e, b.Begin, b.End, m);
        centres.push_back({int(m[0] + 0.5), int(m[1] + 0.5), int(m[2] + 0.5)});
    }
    return centres;
}

size_t Nearest(const int* c, const std::vector<std::array<int, 3>>& centres) {
    size_t best = 0;
    int64_t bestD = INT64_MAX;
    for (size_t i = 0; i < centres.size(); ++i) {
        const int64_t d = Distance(c, centres[i].data());
        if (d < bestD) bestD = d, best = i;
    }
    return best;
}

void KMeans(const std::vector<Entry>& e, std::vector<std::array<int, 3>>& centres, int rounds) {
    for (int round = 0; round < rounds; ++round) {
        std::vector<std::array<double, 4>> sum(centres.size(), {0, 0, 0, 0});
        for (const Entry& x : e) {
            auto& s = sum[Nearest(x.C, centres)];
            for (int k = 0; k < 3; ++k) s[k] += double(x.C[k]) * double(x.N);
            s[3] += double(x.N);
        }
        bool moved = false;
        for (size_t i = 0; i < centres.size(); ++i) {
            if (sum[i][3] == 0) continue; // an empty cluster keeps its place
            std::array<int, 3> c;
            for (int k = 0; k < 3; ++k) c[k] = int(sum[i][k] / sum[i][3] + 0.5);
            moved = moved || c != centres[i];
            centres[i] = c;
        }
        if (!moved) break;
    }
}

} // namespace

Quantised Quantise(const std::vector<uint32_t>& rgb) {
    std::unordered_map<uint32_t, uint64_t> histogram;
    for (uint32_t p : rgb)
        if (p != kBlack && p != kWhite) ++histogram[p & 0xFFFFFF];
    std::vector<std::pair<uint32_t, uint64_t>> sorted(histogram.begin(), histogram.end());
    std::sort(sorted.begin(), sorted.end());
    std::vector<Entry> entries;
    entries.reserve(sorted.size());
    for (auto [c, n] : sorted) entries.push_back({{int(c >> 16), int((c >> 8) & 0xFF), int(c & 0xFF)}, n});

    std::vector<std::array<int, 3>> centres;
    if (entries.size() <= kFreeEntries) {
        for (const Entry& x : entries) centres.push_back({x.C[0], x.C[1], x.C[2]});
    } else {
        std::vector<Entry> work = entries;
        centres = MedianCut(work);
        KMeans(entries, centres, 6);
    }
    std::sort(centres.begin(), centres.end(), [](const auto& a, const auto& b) {
        const int la = 3 * a[0] + 4 * a[1] + 2 * a[2], lb = 3 * b[0] + 4 * b[1] + 2 * b[2];
        return la != lb ? la < lb : a < b;
    });
    centres.erase(std::unique(centres.begin(), centres.end()), centres.end());

    Quantised out;
    std::vector<std::array<int, 3>> table{{0, 0, 0}};
    for (const auto& c : centres) table.push_back(c);
    while (table.size() < 255) table.push_back({0, 0, 0});
    table.push_back({255, 255, 255});
    for (size_t i = 0; i < 256; ++i)
        out.Palette[i] = uint32_t(table[i][0]) << 16 | uint32_t(table[i][1]) << 8 | uint32_t(table[i][2]);

    std::unordered_map<uint32_t, uint8_t> lookup{{kBlack, 0}, {kWhite, 255}};
    out.Indices.reserve(rgb.size());
    for (uint32_t p : rgb) {
        p &= 0xFFFFFF;
        auto it = lookup.find(p);
        if (it == lookup.end()) {
            const int c[3] = {int(p >> 16), int((p >> 8) & 0xFF), int(p & 0xFF)};
            it = lookup.emplace(p, uint8_t(Nearest(c, table))).first;
        }
        out.Indices.push_back(it->second);
    }
    return out;
}

} // namespace kvx::sheets
