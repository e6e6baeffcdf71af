#pragma once
// A copy of one puzzle's sample folder (and the back button's pictures) in a
// scratch folder that is mounted as "//textures", so a test can run the
// puzzle on a layout of its own: the sample layout with a few lines changed.
//
//     PuzzleData data("cigar_bands");
//     std::string layout = data.SampleLayout("puzzle_cigarband_layout.txt");
//     data.WriteLayout("puzzle_cigarband_layout.txt", layout.substr(0, layout.find("\nsolution\n") + 1));
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/PlatformTestFolder.h"
#include "system/VoIFileSystem.h"

class PuzzleData {
public:
    explicit PuzzleData(const std::string& aFolder) : fFolder(aFolder) {
        namespace fs = std::filesystem;
        const fs::path puzzles = fs::path(VO_SOURCE_DIR) / "data" / "textures" / "puzzles";
        fs::create_directories(fs::path(fFiles.Path("puzzles")) / aFolder);
        fs::copy(puzzles / aFolder, fs::path(fFiles.Path("puzzles")) / aFolder, fs::copy_options::recursive);
        for (const char* button : {"back_n.tga", "back_o.tga"}) {
            fs::copy_file(puzzles / button, fs::path(fFiles.Path("puzzles")) / button);
        }
        VoIFileSystem::GetInstance()->Mount(VoString(u"//textures"), VoString(fFiles.Files().c_str()));
    }

    // The sample's file of the puzzle's folder as text.
    std::string SampleLayout(const std::string& aFile) const {
        std::ifstream in(std::string(VO_SOURCE_DIR) + "/data/textures/puzzles/" + fFolder + "/" + aFile,
                         std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // Replaces the file in the copy.
    void WriteLayout(const std::string& aFile, const std::string& aText) const {
        fFiles.Write("puzzles/" + fFolder + "/" + aFile, aText);
    }
    const PlatformTestFolder& Files() const { return fFiles; }

private:
    std::string fFolder;
    PlatformTestFolder fFiles;
};
