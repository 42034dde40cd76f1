// Load-time costs of the persistence and resource layers: parsing key/value
// texts and looking names up in the resource pack.

#include "persist/PackFormat.h"
#include "persist/ResourceManager.h"
#include "pack/PackWriter.h"
#include "persist/PropertyFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// About 100 kB of layout-like text: numbers, quoted texts, comments, CR LF.
std::string keyValueText(std::size_t bytes) {
    std::string text;
    for (int i = 0; text.size() < bytes; ++i) {
        const std::string name = "m_widget" + std::to_string(i % 500) + "_btn";
        text += name + ".x " + std::to_string(i * 7 % 800) + "\r\n";
        text += name + ".y " + std::to_string(i * 13 % 600) + " // top edge\r\n";
        text += name + ".caption \"Press here to continue " + std::to_string(i) + "\"\r\n";
        text += name + ".scale 0." + std::to_string(i % 10) + "\r\n";
    }
    return text;
}

void BM_ParseKeyValueText100kB(benchmark::State& state) {
    const std::string text = keyValueText(100 * 1024);
    for (auto _ : state) {
        PropertyFile file;
        file.loadBuffer(reinterpret_cast<const unsigned char*>(text.data()), text.size(), true);
        benchmark::DoNotOptimize(file.all().size());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}
BENCHMARK(BM_ParseKeyValueText100kB)->Unit(benchmark::kMicrosecond);

// A pack of 400 entries, the size of the game's own, and 500 reads of names
// spread over it in mixed case and both separators.
class PackFixture {
public:
    PackFixture() {
        path = (std::filesystem::temp_directory_path() /
                ("quillmere-bench-" + std::to_string(::getpid()) + ".pk"))
                   .string();
        PackWriter writer;
        for (int i = 0; i < 400; ++i)
            writer.add("dat\\sprites\\sprite" + std::to_string(i) + ".spr",
                       std::string(200 + i, char('a' + i % 26)));
        writer.write(path);
        for (int i = 0; i < 500; ++i) {
            const int n = (i * 211) % 400;
            requests.push_back(i % 2 ? "DAT/Sprites/Sprite" + std::to_string(n) + ".SPR"
                                     : "dat\\sprites\\sprite" + std::to_string(n) + ".spr");
        }
        manager = ResourceManager::create("bench");
        manager->setPassword(PackFormat::gamePassword);
        manager->open(path);
    }
    ~PackFixture() {
        ResourceManager::destroy("bench");
        std::remove(path.c_str());
    }

    std::string path;
    std::vector<std::string> requests;
    ResourceManager* manager = nullptr;
};

void BM_500PackReads(benchmark::State& state) {
    PackFixture pack;
    for (auto _ : state) {
        std::size_t total = 0;
        for (const std::string& name : pack.requests)
            total += pack.manager->readFile(name).size;
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(std::int64_t(state.iterations()) * 500);
}
BENCHMARK(BM_500PackReads)->Unit(benchmark::kMicrosecond);

// The lookup alone: names that the pack does not hold are compared against
// every entry before the disk is tried.
void BM_500PackLookupsOfAbsentNames(benchmark::State& state) {
    PackFixture pack;
    std::vector<std::string> absent;
    for (int i = 0; i < 500; ++i)
        absent.push_back("/nonexistent/quillmere/dat/none" + std::to_string(i) + ".spr");
    for (auto _ : state) {
        std::size_t total = 0;
        for (const std::string& name : absent)
            total += pack.manager->readFile(name).size;
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(std::int64_t(state.iterations()) * 500);
}
BENCHMARK(BM_500PackLookupsOfAbsentNames)->Unit(benchmark::kMicrosecond);

} // namespace
