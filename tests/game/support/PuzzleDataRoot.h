#pragma once
// For a puzzle whose layout is named under "//dataroot/textures/...": mounts
// "//dataroot" on a folder in the PuzzleData copy's scratch folder (and gone
// with it) that sees the copy as its "textures" and every other folder of
// the sample tree as it is, so the test's own layout is the one read.
//
//     PuzzleData data("dravobox");
//     PuzzleDataRoot root(data);
//     data.WriteLayout("dravo_layout.txt", layout);
#include <filesystem>

#include "game/support/PuzzleData.h"
#include "system/VoIFileSystem.h"

class PuzzleDataRoot {
public:
    explicit PuzzleDataRoot(const PuzzleData& aData) {
        namespace fs = std::filesystem;
        const fs::path root = aData.Files().Path("dataroot");
        fs::create_directories(root);
        for (const auto& entry : fs::directory_iterator(fs::path(VO_SOURCE_DIR) / "data")) {
            const fs::path name = entry.path().filename();
            fs::create_directory_symlink(name == "textures" ? fs::path(aData.Files().Files()) : entry.path(),
                                         root / name);
        }
        VoIFileSystem::GetInstance()->Mount(VoString(u"//dataroot"), VoString(root.string().c_str()));
    }
};
