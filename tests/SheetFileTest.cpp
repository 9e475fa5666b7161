#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "TestGame.h"
#include "resources/Bitmap8.h"

namespace fs = std::filesystem;

namespace {

kvx::Bitmap8 SmallPicture() {
    kvx::Bitmap8 bm;
    bm.Width = 5; // odd width: rows are padded to 8 bytes
    bm.Height = 3;
    for (int i = 0; i < 256; ++i) bm.Palette[i] = static_cast<uint32_t>(i * 0x010203) & 0xFFFFFF;
    bm.Pixels.resize(15);
    for (int i = 0; i < 15; ++i) bm.Pixels[i] = static_cast<uint8_t>(i * 17);
    return bm;
}

std::vector<uint8_t> Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const fs::path& p, const std::vector<uint8_t>& bytes) {
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

TEST(SheetFile, PackAndUnpackThroughTheToolRoundTrip) {
    const fs::path dir = fs::path(::testing::TempDir()) / "kvx-roundtrip";
    fs::create_directories(dir);
    const std::vector<uint8_t> bmp = kvx::EncodeBmp(SmallPicture());
    Write(dir / "in.bmp", bmp);
    const std::string tool = std::string(KORVAXION_TOOL_DIR) + "/kvx";
    ASSERT_EQ(std::system((tool + " pack " + (dir / "in.bmp").string() + " " + (dir / "a.kvx").string()).c_str()), 0);
    ASSERT_EQ(std::system((tool + " unpack " + (dir / "a.kvx").string() + " " + (dir / "out.bmp").string()).c_str()),
              0);
    const auto sheet = Read(dir / "a.kvx");
    ASSERT_EQ(sheet.size(), 1078u + 24u);
    // The sheet starts with the colour table and ends with the file header.
    EXPECT_EQ(std::vector<uint8_t>(sheet.begin(), sheet.begin() + 1024),
              std::vector<uint8_t>(bmp.begin() + 54, bmp.begin() + 1078));
    EXPECT_EQ(sheet[sheet.size() - 14], 'B');
    EXPECT_EQ(Read(dir / "out.bmp"), bmp);
    const auto parsed = kvx::ParseBmp(Read(dir / "out.bmp"));
    ASSERT_TRUE(parsed.Ok());
    EXPECT_EQ(parsed.Value.Pixels, SmallPicture().Pixels);
    EXPECT_EQ(parsed.Value.Palette, SmallPicture().Palette);
}

TEST(SheetFile, DamagedSheetsAreRejectedWithoutReadingPastTheBuffer) {
    auto sheet = kvx::BmpToSheet(kvx::EncodeBmp(SmallPicture()));
    ASSERT_TRUE(sheet.Ok());
    const std::vector<uint8_t>& good = sheet.Value;
    // Trailing bytes are ignored.
    std::vector<uint8_t> longer = good;
    longer.resize(longer.size() + 100, 0xAA);
    EXPECT_TRUE(kvx::SheetToBmp(longer).Ok());

    for (size_t cut : {size_t(0), size_t(10), size_t(1063), good.size() - 1}) {
        std::vector<uint8_t> truncated(good.begin(), good.begin() + static_cast<ptrdiff_t>(cut));
        EXPECT_FALSE(kvx::SheetToBmp(truncated).Ok()) << cut;
    }
    std::vector<uint8_t> zeroSize = good;
    for (int i = 0; i < 4; ++i) zeroSize[1024 + 20 + i] = 0;
    EXPECT_FALSE(kvx::SheetToBmp(zeroSize).Ok());
    std::vector<uint8_t> hugeSize = good;
    hugeSize[1024 + 23] = 0x7F;
    EXPECT_FALSE(kvx::SheetToBmp(hugeSize).Ok());
    // A decoded image whose header lies about its size is caught by the picture parser.
    auto bmp = kvx::SheetToBmp(good);
    ASSERT_TRUE(bmp.Ok());
    bmp.Value[18] = 0xFF; // width 255: rows run past the data
    EXPECT_FALSE(kvx::ParseBmp(bmp.Value).Ok());
}

TEST(SheetFile, AMissingOrDamagedSheetStopsTheGameNamingFileAndFolder) {
    const fs::path dir = fs::path(::testing::TempDir()) / "kvx-missing";
    fs::create_directories(dir);
    for (const char* name : {"G1.kvx", "G2.kvx", "G3.kvx", "G4.kvx"})
        fs::copy_file(fs::path(KORVAXION_GAME_DIR) / name, dir / name, fs::copy_options::overwrite_existing);
    auto g3 = Read(dir / "G3.kvx");
    g3.resize(2000);
    Write(dir / "G3.kvx", g3);

    HeadlessPlatform host;
    Game g(host, dir.string(), 1);
    g.RecordPath = (dir / "Record.dat").string();
    EXPECT_FALSE(g.StartUp());
    ASSERT_EQ(host.Errors.size(), 1u);
    EXPECT_NE(host.Errors[0].find("G3.kvx"), std::string::npos);
    EXPECT_NE(host.Errors[0].find(dir.string()), std::string::npos);
    EXPECT_TRUE(g.Ended);

    fs::remove(dir / "G1.kvx");
    HeadlessPlatform host2;
    Game g2(host2, dir.string(), 1);
    EXPECT_FALSE(g2.StartUp());
    ASSERT_EQ(host2.Errors.size(), 1u);
    EXPECT_NE(host2.Errors[0].find("G1.kvx"), std::string::npos);
}

TEST(SheetFile, StartUpLoadsThePermanentSheetsAtTheirSizes) {
    TestGame t;
    ASSERT_TRUE(t.game.StartUp());
    EXPECT_EQ(t.game.PicChr.Width(), 192);
    EXPECT_EQ(t.game.PicChr.Height(), 256);
    EXPECT_EQ(t.game.PicTeki.Width(), 560);
    EXPECT_EQ(t.game.PicStr.Width(), 312);
    EXPECT_EQ(t.game.PicStr.Height(), 288);
    EXPECT_EQ(t.game.PicKao.Height(), 608);
    EXPECT_EQ(t.game.PicBoss.Width(), 0);
    t.game.UnloadFaceSheet();
    EXPECT_EQ(t.game.PicKao.Width(), 0);
    EXPECT_TRUE(t.host.Errors.empty());
}
