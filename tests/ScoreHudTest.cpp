#include "PlayerTestSetup.h"

namespace {

// The colour of bitmap-text cell k of a text drawn at (x, y): the middle of the cell.
uint32_t CellAt(const Game& g, int x, int y, int k) {
    return g.Picture1.Pixel(x + 24 * k, y);
}

// Rightmost column with any ink in rows y..y+h of the panel.
int RightmostInk(const Game& g, int y, int h) {
    int right = -1;
    for (int row = y; row < y + h; ++row)
        for (int x = 321; x < 480; ++x)
            if (g.Picture1.Pixel(x, row) != 0 && x > right) right = x;
    return right;
}

} // namespace

TEST(AddScore, ExtraLivesAtFiftyThousandThenEveryHundredThousand) {
    struct Case {
        int32_t score, points;
        int lives;
        int32_t wantScore;
        int wantLives;
    };
    const Case cases[] = {
        {10, 10, 3, 20, 3},
        {49999, 2, 3, 50001, 4}, // the first threshold
        {49998, 1, 3, 49999, 3},
        {149000, 2000, 3, 151000, 4}, // a later one
        {50000, 99999, 3, 149999, 3},
        {149999, 1, 3, 150000, 4},     // reaching it is enough
        {40000, 230000, 3, 270000, 6}, // 50000, 150000 and 250000 at once
        {0, 350000, 3, 350000, 7},     // every threshold on the way
        {0, 1000000, 8, 1000000, 10},  // capped at 10
        {0, 60000, 100, 60000, 100},   // REST 99 gains nothing
        {1234567, 0, 3, 1234567, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.score << " + " << c.points);
        TestGame t;
        Game& g = t.game;
        ASSERT_TRUE(g.StartUp());
        g.Score = c.score;
        g.Lives = static_cast<int16_t>(c.lives);
        g.AddScore(c.points);
        EXPECT_EQ(g.Score, c.wantScore);
        EXPECT_EQ(g.Lives, c.wantLives);
    }
}

TEST(BitmapText, GlyphsStopAtTheFirstCharacterWithoutOne) {
    struct Case {
        const char* text;
        std::vector<int> glyphs; // -1: cell left alone
    };
    const Case cases[] = {
        {"AB Z09", {0, 1, 29, 25, 30, 39}},
        {"R S F", {17, 29, 18, 29, 5}},
        {"OK!NO", {14, 10, -1, -1, -1}},
        {"lower", {-1, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TestGame t;
        Game& g = t.game;
        ASSERT_TRUE(g.StartUp());
        PaintTestSprites(g);
        g.Picture1.SetBackColour(RGB(1, 2, 3));
        g.DrawText(100, 200, true, c.text);
        for (size_t k = 0; k < c.glyphs.size(); ++k)
            EXPECT_EQ(CellAt(g, 100, 200, static_cast<int>(k)),
                      c.glyphs[k] < 0 ? RGB(1, 2, 3) : GlyphColour(c.glyphs[k]))
                << "cell " << k;
        g.DrawText(100, 200, false, c.text); // the mask alone erases it
        for (size_t k = 0; k < c.glyphs.size(); ++k)
            EXPECT_EQ(CellAt(g, 100, 200, static_cast<int>(k)), c.glyphs[k] < 0 ? RGB(1, 2, 3) : 0u);
    }
}

TEST(BitmapText, NumbersGetALeadingBlank) {
    TestGame t;
    Game& g = t.game;
    ASSERT_TRUE(g.StartUp());
    PaintTestSprites(g);
    g.Picture1.SetBackColour(0);
    g.DrawText(100, 100, true, 37LL);
    EXPECT_EQ(CellAt(g, 100, 100, 0), GlyphColour(29));
    EXPECT_EQ(CellAt(g, 100, 100, 1), GlyphColour(33));
    EXPECT_EQ(CellAt(g, 100, 100, 2), GlyphColour(37));
}

TEST(ComboText, CountsDuringTheSpecialThenFloatsAwayWithTheBonus) {
    TestGame t;
    Game& g = t.game;
    ASSERT_TRUE(g.StartUp());
    PaintTestSprites(g);
    g.Picture1.SetBackColour(0);
    g.SpecialTimer = 5;
    g.SpecialKills = 12;
    for (int frame = 0; frame < 3; ++frame) {
        g.EraseComboText();
        g.DrawComboText();
    }
    EXPECT_EQ(g.ComboTimer, 0);
    // " 12 COMBO" at y 100: blank, 1, 2, blank, C...
    EXPECT_EQ(CellAt(g, 80, 100, 1), GlyphColour(31));
    EXPECT_EQ(CellAt(g, 80, 100, 4), GlyphColour(2));
    EXPECT_EQ(CellAt(g, 80, 150, 1), 0u); // no bonus line yet

    g.SpecialTimer = 0;
    g.EraseComboText();
    g.DrawComboText();
    EXPECT_EQ(g.ComboTimer, 1);
    EXPECT_EQ(CellAt(g, 80, 96, 1), GlyphColour(31));
    EXPECT_EQ(CellAt(g, 80, 146, 1), GlyphColour(37)); // bonus 70: " 70"
    EXPECT_EQ(CellAt(g, 80, 146, 2), GlyphColour(30));
    for (int frame = 2; frame <= 30; ++frame) {
        g.EraseComboText();
        g.DrawComboText();
    }
    EXPECT_EQ(g.SpecialKills, 0);
    EXPECT_EQ(g.ComboTimer, 0);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 320; ++x) ASSERT_EQ(g.Picture1.Pixel(x, y), 0u) << x << "," << y;
}

TEST(Hud, GaugeSegmentCounts) {
    struct Case {
        const char* name;
        int power, energy, phase, bossEnergy, extraEnergy;
        int wantPower, wantEnergy, wantBoss;
    };
    const Case cases[] = {
        {"power 0, energy 4", 0, 4, 1, 0, 0, 1, 0, 0},
        {"power 1, energy 5", 1, 5, 1, 0, 0, 5, 1, 0},
        {"power 2, energy 99", 2, 99, 1, 0, 0, 10, 19, 0},
        {"power 3, full boss", 3, 100, 2, 400, 0, 15, 20, 20},
        {"boss at 1/20", 0, 100, 2, 20, 0, 1, 20, 1},
        {"boss below 1/20", 0, 100, 2, 19, 0, 1, 20, 0},
        {"full extra boss", 0, 100, 5, 0, 400, 1, 20, 20},
        {"extra boss at 1", 0, 100, 5, 0, 1, 1, 20, 1},
        {"extra boss gone", 0, 100, 5, 0, 0, 1, 20, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestGame t; // no font: the energy text stays out of the gauge
        Game& g = t.game;
        ASSERT_TRUE(g.StartUp());
        g.Picture1.SetBackColour(0);
        ShipInControl(g, 1);
        g.Player.PowerLevel = static_cast<int16_t>(c.power);
        g.Player.Energy = static_cast<int16_t>(c.energy);
        g.StagePhase = static_cast<int16_t>(c.phase);
        g.BossMaxEnergy = 400;
        g.Boss.Energy = static_cast<int16_t>(c.bossEnergy);
        g.ExtraBoss.Energy = static_cast<int16_t>(c.extraEnergy);
        g.Player.AnimCounter = 37;
        g.DrawHudValues();
        EXPECT_EQ(GaugeSegments(g, 340, 8, 248), c.wantPower);
        EXPECT_EQ(GaugeSegments(g, 340, 5, 316), c.wantEnergy);
        EXPECT_EQ(GaugeSegments(g, 330, 6, 386), c.wantBoss);
    }
}

TEST(Hud, StageNumberOrExtra) {
    struct Case {
        int mode, stage;
        bool extra;
    };
    for (const Case& c : {Case{0, 3, false}, Case{1, 3, true}, Case{0, 6, true}}) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " stage " << c.stage);
        TestGame t;
        Game& g = t.game;
        ASSERT_TRUE(g.StartUp());
        PaintTestSprites(g);
        g.Picture1.SetBackColour(0);
        ShipInControl(g, 0);
        g.GameMode = static_cast<uint8_t>(c.mode);
        g.StageNumber = static_cast<int16_t>(c.stage);
        g.DrawHudValues();
        if (c.extra) {
            EXPECT_EQ(CellAt(g, 352, 450, 0), GlyphColour(4));
            EXPECT_EQ(CellAt(g, 352, 450, 4), GlyphColour(0));
        } else {
            EXPECT_EQ(CellAt(g, 370, 450, 1), GlyphColour(30 + c.stage));
        }
    }
}

TEST(Hud, NumbersEndOnOneRightEdgeAndFullEnergyIsYellow) {
    TestGame t(1, true);
    Game& g = t.game;
    ASSERT_TRUE(g.StartUp());
    int edge = -1;
    for (int32_t score : {0, 50, 12340, 9876540, 1000000000}) {
        SCOPED_TRACE(score);
        g.Picture1.SetBackColour(0);
        g.PrintRightAligned(112, score);
        const int right = RightmostInk(g, 112, 30);
        ASSERT_GT(right, 400);
        if (edge < 0) edge = right;
        EXPECT_EQ(right, edge);
    }
    for (int energy : {100, 99}) {
        g.Picture1.SetBackColour(0);
        ShipInControl(g, 0);
        g.Player.Energy = static_cast<int16_t>(energy);
        g.DrawHudValues();
        bool yellow = false;
        for (int y = 300; y < 335; ++y)
            for (int x = 350; x < 440; ++x) yellow = yellow || g.Picture1.Pixel(x, y) == PaletteColor(14);
        EXPECT_EQ(yellow, energy == 100) << energy;
    }
}

TEST(Hud, LabelsSeparatorAndShipIcon) {
    TestGame t;
    Game& g = t.game;
    ASSERT_TRUE(g.StartUp());
    PaintTestSprites(g);
    g.Picture1.SetBackColour(0);
    g.PicChr.FillBoxSized(128, 64, 32, 32, RGB(9, 9, 9)); // ship 2's own icon
    g.PicChr.FillBoxSized(64, 128, 32, 32, RGB(7, 7, 7)); // its special look
    ShipInControl(g, 2);
    g.Player.SpriteX = 64;
    g.Player.SpriteY = 128;
    g.DrawHudLabels();
    EXPECT_EQ(g.Picture1.Pixel(320, 0), RGB(100, 100, 250));
    EXPECT_EQ(g.Picture1.Pixel(320, 479), RGB(100, 100, 250));
    EXPECT_EQ(g.SeparatorColor, static_cast<int32_t>(RGB(100, 100, 250)));
    EXPECT_EQ(g.Picture1.Pixel(356, 176), RGB(9, 9, 9));
    const struct {
        int x, y, glyph;
    } firstLetters[] = {{388, 20, 7},  {350, 96, 18}, {350, 220, 15},
                        {338, 280, 4}, {360, 355, 1}, {350, 420, 18}};
    for (auto l : firstLetters)
        EXPECT_EQ(g.Picture1.Pixel(l.x, l.y), GlyphColour(l.glyph)) << l.x << "," << l.y;
}
