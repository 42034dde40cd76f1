// libFuzzer target: any file opened as the resource pack gives a directory
// whose every entry reads (short at worst) by place and by name.
#include "FuzzSupport.h"

#include "persist/PackDirectory.h"
#include "persist/PackFormat.h"
#include "persist/ResourceManager.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = FuzzSupport::scratchFile("fuzz.pk", data, size);
    std::vector<FileData> records;
    std::vector<std::string> names;
    const auto result = PackDirectory::read(path, records, names);
    if (records.size() != names.size() || result.fileSize != size)
        std::abort();

    ResourceManager* pack = ResourceManager::create("fuzz");
    pack->setPassword(PackFormat::gamePassword);
    pack->open(path);
    const auto& entries = pack->directory();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const FileData byPlace = pack->readEntry(i);
        if (byPlace.size > entries[i].size)
            std::abort();
        (void)pack->readFile(pack->entryNames()[i]);
    }
    (void)pack->readEntry(entries.size());
    ResourceManager::destroy("fuzz");
    return 0;
}
