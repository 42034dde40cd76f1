// Writes the seed corpus of every fuzz target from the game data the build
// generated: quillmere-fuzz-seeds <game folder> <corpus folder>. Each target
// gets a folder of its own name holding the smallest files of its kind.
#include "FuzzSupport.h"

#include "board/Field.h"
#include "board/LevelFile.h"
#include "gfx/Image.h"
#include "pack/PackWriter.h"
#include "persist/PackFormat.h"
#include "persist/PropertyFile.h"
#include "persist/ResourceManager.h"
#include "persist/Settings.h"
#include "picturewriter/PictureWriter.h"
#include "ui/HighScores.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

namespace {

// Enough variety for a start; larger files only slow every execution down.
constexpr std::size_t seedsPerTarget = 16;

struct Seed {
    std::string name;
    Bytes bytes;
};

class Corpus {
public:
    void add(const std::string& target, const std::string& name, Bytes bytes) {
        seeds_[target].push_back({name, std::move(bytes)});
    }
    void add(const std::string& target, const std::string& name, const std::string& text) {
        add(target, name, Bytes(text.begin(), text.end()));
    }
    bool write(const fs::path& folder) {
        bool ok = true;
        for (auto& [target, seeds] : seeds_) {
            std::stable_sort(seeds.begin(), seeds.end(), [](const Seed& a, const Seed& b) {
                return a.bytes.size() < b.bytes.size();
            });
            seeds.resize(std::min(seeds.size(), seedsPerTarget));
            const fs::path dir = folder / target;
            fs::remove_all(dir);
            fs::create_directories(dir);
            for (const Seed& seed : seeds) {
                std::string file = seed.name;
                std::replace(file.begin(), file.end(), '/', '_');
                std::ofstream out(dir / file, std::ios::binary);
                out.write(reinterpret_cast<const char*>(seed.bytes.data()),
                          static_cast<std::streamsize>(seed.bytes.size()));
                ok = ok && out.good();
            }
        }
        return ok;
    }

private:
    std::map<std::string, std::vector<Seed>> seeds_;
};

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool looksLikeXml(const Bytes& bytes) {
    const auto first =
        std::find_if(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b > ' '; });
    return first != bytes.end() && *first == '<';
}

// A DDS file of each kind around pixels the generator drew.
void addDds(Corpus& corpus, const std::string& name, const Bytes& tga) {
    Image image;
    image.decode(name, tga.data(), tga.size());
    if (image.empty() || image.width % 4 || image.height % 4)
        return;
    const std::string base = fs::path(name).stem().string();
    corpus.add("DdsFuzz", base + "-32.dds",
               PictureWriter::dds(image.width, image.height, 1, "", 32, image.pixels));
    const std::size_t blocks = std::size_t(image.width / 4) * (image.height / 4);
    for (const char* fourCC : {"DXT1", "DXT5"}) {
        const std::size_t bytes = blocks * (fourCC[3] == '1' ? 8 : 16);
        Bytes data(image.pixels.begin(),
                   image.pixels.begin() + std::min(bytes, image.pixels.size()));
        data.resize(bytes);
        corpus.add("DdsFuzz", base + "-" + fourCC + ".dds",
                   PictureWriter::dds(image.width, image.height, 1, fourCC, 0, data));
    }
}

void addPicture(Corpus& corpus, const std::string& name, const Bytes& bytes) {
    if (endsWith(name, ".tga")) {
        corpus.add("TgaFuzz", name, bytes);
        addDds(corpus, name, bytes);
    } else if (endsWith(name, ".png")) {
        corpus.add("PngFuzz", name, bytes);
    } else if (endsWith(name, ".jpg")) {
        corpus.add("JpegFuzz", name, bytes);
    }
    if (name == "mui/font.tga")
        corpus.add("FontFuzz", name, bytes);
}

void addDescription(Corpus& corpus, const std::string& name, const Bytes& bytes) {
    const bool xml = looksLikeXml(bytes);
    if (endsWith(name, ".spr") && !xml)
        corpus.add("SpriteFuzz", name, bytes);
    if (xml) {
        corpus.add("XmlFuzz", name, bytes);
        corpus.add("ParticleFuzz", name, bytes);
    }
    if (name.rfind("levels/", 0) == 0 && endsWith(name, ".txt")) {
        corpus.add("LevelFileFuzz", name, bytes);
    } else if (!xml && (endsWith(name, ".txt") || endsWith(name, ".spr"))) {
        corpus.add("PropertyFileFuzz", name, bytes);
        PropertyFile store;
        store.loadBuffer(bytes.data(), bytes.size(), true);
        const std::string text = store.text();
        if (!text.empty()) {
            const std::string scratch = FuzzSupport::scratchFile("seed.dat", nullptr, 0);
            if (store.saveFile(scratch, "lorvendax&*!", 12))
                corpus.add("ScrambledFileFuzz", name, Image::readDiskFile(scratch));
        }
    }
}

// Saved fields of the board a damaged level falls back on, after a few moves.
void addSavedFields(Corpus& corpus) {
    FuzzSupport::prepareBoard();
    for (unsigned seed = 1; seed <= 6; ++seed) {
        Field field(1, LevelFile::fallback(), seed);
        const std::uint8_t choices[] = {std::uint8_t(seed * 37), std::uint8_t(seed * 11), 3, 5};
        FuzzSupport::play(field, choices, sizeof choices, static_cast<int>(seed % 4));
        PropertyFile save;
        save.setString("menudata.gamename", "vorbel game");
        field.save(save);
        corpus.add("FieldRestoreFuzz", "field" + std::to_string(seed) + ".txt", save.text());
    }
}

void addSettings(Corpus& corpus) {
    Settings* settings = Settings::create();
    const std::string scratch = FuzzSupport::scratchFile("seed.cfg", nullptr, 0);
    for (int variant = 0; variant < 3; ++variant) {
        settings->width = 640 + 160 * variant;
        settings->height = 480 + 120 * variant;
        settings->musicVolume = 20 * variant;
        settings->fullScreen = variant == 1;
        settings->save(variant == 2, scratch);
        PropertyFile store;
        store.loadFile(scratch, true, Settings::fileKey, Settings::fileKeyLength);
        corpus.add("SettingsFuzz", "dx" + std::to_string(variant) + ".cfg", store.text());
    }
    Settings::destroy();
}

// The table a first run writes, and tables after a few games, each as the
// file on the disk and as its text.
void addHighScores(Corpus& corpus) {
    HighScores scores(2);
    const std::string scratch = FuzzSupport::scratchFile("seed.tbl", nullptr, 0);
    const char* const names[] = {"Nemo", "Ann Lee", "", "x//y", "\"quoted\"", "tab\there"};
    const int points[] = {0, 1, 1, 4200, 2147483647, 73};
    for (int variant = 0; variant < 6; ++variant) {
        scores.add(0, points[variant], names[variant]);
        if (variant % 2 != 0)
            continue;
        const std::string stem = "top" + std::to_string(variant);
        if (scores.saveFile(scratch))
            corpus.add("HighScoresFuzz", stem + ".tbl", Image::readDiskFile(scratch));
        PropertyFile store;
        scores.save(store);
        corpus.add("HighScoresFuzz", stem + ".txt", store.text());
    }
}

// Small packs of the smallest entries, scrambled and plain.
void addPacks(Corpus& corpus, const std::vector<Seed>& entries) {
    for (std::size_t count = 1; count <= 3 && count <= entries.size(); ++count) {
        for (bool scrambled : {true, false}) {
            PackWriter writer;
            for (std::size_t i = 0; i < count; ++i)
                writer.add(entries[i].name, entries[i].bytes.data(), entries[i].bytes.size(),
                           scrambled);
            corpus.add("PackFuzz", "pack" + std::to_string(count) + (scrambled ? "s" : "p") + ".pk",
                       writer.bytes());
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <game folder> <corpus folder>\n", argv[0]);
        return 2;
    }
    const fs::path game = argv[1];
    ResourceManager* pack = ResourceManager::create("main");
    pack->setPassword(PackFormat::gamePassword);
    pack->open((game / "data/data.pk").string());
    if (pack->entryNames().empty()) {
        std::fprintf(stderr, "no pack in %s\n", argv[1]);
        return 1;
    }
    Corpus corpus;
    std::vector<Seed> all;
    for (std::size_t i = 0; i < pack->entryNames().size(); ++i) {
        // The pack stores its names with either separator.
        std::string name = pack->entryNames()[i];
        std::replace(name.begin(), name.end(), '\\', '/');
        const FileData data = pack->readEntry(i);
        Bytes bytes(data.data(), data.data() + data.size);
        addPicture(corpus, name, bytes);
        addDescription(corpus, name, bytes);
        if (endsWith(name, ".xm"))
            corpus.add("ModuleFuzz", name, bytes);
        all.push_back({name, std::move(bytes)});
    }
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(game, error)) {
        if (entry.is_regular_file() && entry.path().extension() == ".wav")
            corpus.add("WaveFuzz", entry.path().filename().string(),
                       Image::readDiskFile(entry.path().string()));
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const Seed& a, const Seed& b) { return a.bytes.size() < b.bytes.size(); });
    addPacks(corpus, all);
    addSavedFields(corpus);
    addSettings(corpus);
    addHighScores(corpus);
    ResourceManager::destroy("main");
    return corpus.write(argv[2]) ? 0 : 1;
}
