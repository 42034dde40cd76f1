// libFuzzer target: any text read by the key/value store parses, reads back
// through every getter, and saves as a text that reads back to the same
// entries.
#include "persist/PropertyFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    PropertyFile store;
    if (!store.loadBuffer(data, size, true))
        std::abort(); // a plain text is always taken
    for (const auto& [key, value] : store.all()) {
        (void)store.getInt(key, 0);
        (void)store.getBool(key, false);
        (void)store.getFloat(key, 0);
        if (store.getString(key, "") != value)
            std::abort();
    }
    const std::string text = store.text();
    PropertyFile again;
    again.loadBuffer(reinterpret_cast<const unsigned char*>(text.data()), text.size(), true);
    if (again.all() != store.all())
        std::abort();
    return 0;
}
