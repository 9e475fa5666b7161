// Items dropped by the carriers: drift, collection and their effects.
#include <cstdlib>

#include "core/Game.h"

namespace {
constexpr int kItemSize = 16;
int ItemSheetX(int kind) {
    return 96 + 16 * kind;
}
constexpr int kItemImageY = 32;
constexpr int kItemMaskY = 48;
} // namespace

void Game::DrawItem(const ItemRecord& item, bool visible) {
    const int x = item.X - 8;
    const int y = item.Y - 8;
    BitBlt(Picture1, x, y, kItemSize, kItemSize, PicChr, ItemSheetX(item.Kind), kItemMaskY, RasterOp::SrcAnd);
    if (visible)
        BitBlt(Picture1, x, y, kItemSize, kItemSize, PicChr, ItemSheetX(item.Kind), kItemImageY,
               RasterOp::SrcPaint);
}

void Game::CollectItems(int current) {
    if (ShipIsDying()) return;
    for (int j = 0; j < static_cast<int>(ItemTable.size()); ++j) {
        ItemRecord& item = ItemTable[j];
        if (!item.Active) continue;
        if (std::abs(Player.X - item.X) >= 16 || std::abs(Player.Y - item.Y) >= 16) continue;
        // An item caught during another item's turn still shows where it was drawn last.
        if (j != current) DrawItem(item, false);
        PlayItemSound();
        switch (item.Kind) {
        case 0:
            if (Player.PowerLevel < 3) Player.PowerLevel += 1;
            break;
        case 1:
            AddScore(10000);
            break;
        case 2:
            AddScore(1000);
            break;
        default:
            break;
        }
        ItemCount -= 1;
        item.Active = false;
    }
}

void Game::UpdateItems() {
    if (ItemCount == 0) return;
    for (int i = 0; i < static_cast<int>(ItemTable.size()); ++i) {
        ItemRecord& item = ItemTable[i];
        if (!item.Active) continue;
        DrawItem(item, false);
        item.X += item.DX;
        item.Y += item.DY;
        if (item.X < 0 || item.X > 310 || item.Y > 480 || item.Y < 0) {
            ItemCount -= 1;
            item.Active = false;
        }
        CollectItems(i);
        if (item.Active) DrawItem(item, true);
    }
}
