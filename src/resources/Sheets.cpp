#include <fstream>

#include "core/Game.h"
#include "resources/Bitmap8.h"

namespace {
// Larger than any sheet the game ships; a bigger file is not a sheet.
constexpr std::streamoff kMaxSheetBytes = 64 << 20;

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& why) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        why = "it is missing or cannot be opened";
        return false;
    }
    const std::streamoff size = in.tellg();
    if (size < 0 || size > kMaxSheetBytes) {
        why = "it is not a picture sheet";
        return false;
    }
    bytes.resize(static_cast<size_t>(size));
    in.seekg(0);
    if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size)) {
        why = "it cannot be read";
        return false;
    }
    return true;
}
} // namespace

std::vector<uint8_t> Game::DecodeSheetFile(std::string_view fileName) {
    std::vector<uint8_t> sheet;
    std::string why;
    if (ReadWholeFile(ProgramPath(fileName), sheet, why)) {
        auto bmp = kvx::SheetToBmp(sheet);
        if (bmp.Ok()) return std::move(bmp.Value);
        why = "it is damaged (" + bmp.Error + ")";
    }
    Fatal("The picture file \"" + std::string(fileName) + "\" in the folder \"" + ProgramDirectory +
          "\" cannot be used: " + why + ".");
    return {};
}

bool Game::LoadSheet(Surface& target, std::string_view fileName, bool autoSize) {
    const std::vector<uint8_t> bmp = DecodeSheetFile(fileName);
    if (bmp.empty()) return false;
    const auto picture = kvx::ParseBmp(bmp);
    if (!picture.Ok()) {
        Fatal("The picture file \"" + std::string(fileName) + "\" in the folder \"" + ProgramDirectory +
              "\" cannot be used: it is damaged (" + picture.Error + ").");
        return false;
    }
    target.LoadPicture(picture.Value, autoSize);
    return true;
}

bool Game::ReloadFaceSheet() {
    PicKao.Resize(320, 608);
    PicKao.SetBackColour(0);
    PicKao.SetKeepPicture(true);
    return LoadSheet(PicKao, "G4.kvx", false);
}

void Game::UnloadFaceSheet() {
    PicKao.SetBackColour(0);
    PicKao.Resize(0, 0);
    PicKao.SetKeepPicture(false);
}
