// The sheet builder: its build-time checks, mask derivation, colour reduction, and the sheet
// files it writes as the game reads them back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Quantise.h"
#include "SheetBuilder.h"
#include "resources/Bitmap8.h"

using namespace kvx;
using namespace kvx::sheets;

namespace {

const std::filesystem::path kFixtures = std::filesystem::path(KORVAXION_FIXTURE_DIR) / "sheets";

std::string ReadText(const std::filesystem::path& p) {
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

BuildResult Build(const std::string& layoutText, const std::string& manifestText) {
    const Parsed<Layout> layout = ParseLayout(layoutText);
    const Parsed<std::vector<Source>> manifest = ParseManifest(manifestText);
    EXPECT_TRUE(layout.Ok()) << layout.Error;
    EXPECT_TRUE(manifest.Ok()) << manifest.Error;
    return BuildSheets(layout.Value, manifest.Value, kFixtures);
}

std::string Joined(const std::vector<std::string>& errors) {
    std::string all;
    for (const std::string& e : errors) all += e + "\n";
    return all;
}

uint32_t Colour(const Bitmap8& b, int x, int y) {
    return b.Palette[b.At(x, y)];
}

const std::string kGoodManifest = "a.svg T a\nb.svg T b\npic.svg T pic\n";

} // namespace

TEST(SheetTool, BuildsTheFixtureWithoutComplaint) {
    const BuildResult r = Build(ReadText(kFixtures / "layout.txt"), kGoodManifest);
    EXPECT_TRUE(r.Errors.empty()) << Joined(r.Errors);
    ASSERT_EQ(r.Sheets.size(), 1u);
}

TEST(SheetTool, RejectsArtThatDoesNotFitTheMap) {
    const std::string layout = ReadText(kFixtures / "layout.txt");
    // b moved 4 pixels left so that its picture lies on a's.
    std::string overlapping = layout;
    overlapping.replace(overlapping.find("cell b     8 0"), 14, "cell b     4 0");
    const struct {
        const char* Name;
        std::string Layout, Manifest, Expected;
    } cases[] = {
        {"rectangle without a source", layout, "a.svg T a\npic.svg T pic\n", "b (8, 0) 8 x 8 has no source"},
        {"source spilling into its neighbour", layout, "spill.svg T a\nb.svg T b\npic.svg T pic\n",
         "spill.svg: art spills outside its rectangles on T (4 pixels, first at (8, 3))"},
        {"unintended overlap", overlapping, kGoodManifest,
         "unintended overlap of a picture (0, 0) 8 x 8 and b picture"},
        {"declared overlap whose pixels disagree", overlapping + "shared T a b\n", kGoodManifest,
         "a and b share pixels but disagree"},
        {"cell filled twice", layout, kGoodManifest + "b.svg T a\n", "T a is filled by both a.svg and b.svg"},
    };
    for (const auto& c : cases) {
        const BuildResult r = Build(c.Layout, c.Manifest);
        EXPECT_NE(Joined(r.Errors).find(c.Expected), std::string::npos) << c.Name << ": got\n"
                                                                        << Joined(r.Errors);
    }
}

TEST(SheetTool, MaskIsBlackExactlyWhereTheArtCovers) {
    const BuildResult r = Build(ReadText(kFixtures / "layout.txt"), kGoodManifest);
    ASSERT_EQ(r.Sheets.size(), 1u);
    const Bitmap8& t = r.Sheets[0].Picture;
    // a: the 4 x 4 square and the 60 % pixel at (7, 7) count; the 40 % pixel at (0, 0) does not.
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool square = x >= 2 && x < 6 && y >= 2 && y < 6;
            const bool strong = x == 7 && y == 7;
            const uint32_t image = Colour(t, x, y), mask = Colour(t, x, y + 8);
            SCOPED_TRACE(testing::Message() << "(" << x << ", " << y << ")");
            EXPECT_EQ(mask, square || strong ? 0x000000u : 0xFFFFFFu);
            EXPECT_EQ(image, square ? 0xFF0000u : strong ? 0x0000FFu : 0x000000u);
        }
    // b is solid white: its mask is solid black.
    EXPECT_EQ(Colour(t, 12, 4), 0xFFFFFFu);
    EXPECT_EQ(Colour(t, 12, 12), 0x000000u);
    // The unmasked picture is laid over black: the half-transparent half comes out half as bright.
    EXPECT_EQ(Colour(t, 20, 2), 0x4080FFu);
    const uint32_t dim = Colour(t, 20, 12);
    EXPECT_NEAR(int(dim >> 16), 0x20, 2);
    EXPECT_NEAR(int(dim & 0xFF), 0x80, 2);
}

TEST(SheetTool, WrittenSheetReadsBackThroughTheGamesDecoder) {
    const BuildResult r = Build(ReadText(kFixtures / "layout.txt"), kGoodManifest);
    ASSERT_EQ(r.Sheets.size(), 1u);
    const std::vector<uint8_t> file = SheetFileBytes(r.Sheets[0].Picture);
    const Parsed<std::vector<uint8_t>> bmp = SheetToBmp(file);
    ASSERT_TRUE(bmp.Ok()) << bmp.Error;
    const Parsed<Bitmap8> back = ParseBmp(bmp.Value);
    ASSERT_TRUE(back.Ok()) << back.Error;
    EXPECT_EQ(back.Value.Width, 32);
    EXPECT_EQ(back.Value.Height, 24);
    EXPECT_EQ(Colour(back.Value, 3, 3), 0xFF0000u);
    EXPECT_EQ(Colour(back.Value, 0, 0), 0x000000u);
    EXPECT_EQ(Colour(back.Value, 0, 8), 0xFFFFFFu);
}

TEST(SheetTool, BuiltGameSheetsHaveTheirSizes) {
    const struct {
        const char* File;
        int W, H;
    } sheets[] = {{"G1.kvx", 192, 256},  {"G2.kvx", 560, 320},  {"G3.kvx", 312, 288}, {"G4.kvx", 320, 608},
                  {"G5.kvx", 1280, 512}, {"G6.kvx", 192, 1216}, {"G7.kvx", 480, 480}, {"G8.kvx", 480, 480}};
    for (const auto& s : sheets) {
        std::ifstream in(std::filesystem::path(KORVAXION_GAME_DIR) / s.File, std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                         std::istreambuf_iterator<char>()};
        const Parsed<std::vector<uint8_t>> bmp = SheetToBmp(bytes);
        ASSERT_TRUE(bmp.Ok()) << s.File << ": " << bmp.Error;
        const Parsed<Bitmap8> pic = ParseBmp(bmp.Value);
        ASSERT_TRUE(pic.Ok()) << s.File << ": " << pic.Error;
        EXPECT_EQ(pic.Value.Width, s.W) << s.File;
        EXPECT_EQ(pic.Value.Height, s.H) << s.File;
        EXPECT_EQ(pic.Value.Palette[0], 0x000000u) << s.File;
        EXPECT_EQ(pic.Value.Palette[255], 0xFFFFFFu) << s.File;
    }
}

TEST(SheetTool, QuantiserKeepsBlackAndWhiteExactAndGradientsClose) {
    // A smooth two-axis gradient of 4096 colours, plus pure black and white.
    std::vector<uint32_t> rgb;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) rgb.push_back(uint32_t(x * 4) << 16 | uint32_t(y * 4) << 8 | 0x60);
    rgb.push_back(0x000000);
    rgb.push_back(0xFFFFFF);
    const Quantised q = Quantise(rgb);
    EXPECT_EQ(q.Palette[q.Indices[rgb.size() - 2]], 0x000000u);
    EXPECT_EQ(q.Palette[q.Indices[rgb.size() - 1]], 0xFFFFFFu);
    int worst = 0;
    for (size_t i = 0; i + 2 < rgb.size(); ++i) {
        const uint32_t a = rgb[i], b = q.Palette[q.Indices[i]];
        for (int s = 0; s < 24; s += 8)
            worst = std::max(worst, std::abs(int((a >> s) & 0xFF) - int((b >> s) & 0xFF)));
    }
    EXPECT_LE(worst, 16); // 254 entries over a 64 x 64 plane: about 16 x 16 cells of 16 levels
    EXPECT_EQ(Quantise(rgb).Palette, q.Palette);
}

TEST(SheetTool, MalformedLinesAreReportedWithTheirLineNumber) {
    const struct {
        const char* Text;
        const char* Expected;
    } layouts[] = {
        {"sheet T 8 8\ncell\n", "line 2: expected: cell NAME"},
        {"sheet T 8 8\ncell a 0 0 8 x 0 8\n", "line 2: expected: cell NAME"},
        {"cell a 0 0 8 8 0 8\n", "line 1: cell before the first sheet"},
        {"sheet T 8\n", "line 1: expected: sheet NAME WIDTH HEIGHT"},
        {"# fine\nsheet T 8 8\nshelf\n", "line 3: unknown entry 'shelf'"},
    };
    for (const auto& l : layouts) EXPECT_EQ(ParseLayout(l.Text).Error.rfind(l.Expected, 0), 0u) << l.Text;
    EXPECT_EQ(ParseManifest("a.svg T\n").Error, "line 1: expected: SOURCE SHEET CELL...");
}
