#include "ui/Layout.h"

#include "persist/PropertyFile.h"
#include "persist/ResourceManager.h"

namespace layout {

bool load(PropertyFile& store, const std::string& path) {
    store.loadResource(ResourceManager::get("main"), path, true);
    return !store.all().empty();
}

float number(const PropertyFile& store, const std::string& key, float fallback) {
    if (!store.has(key)) {
        return fallback;
    }
    // Text that does not start with a number counts as 0, as "%f" leaves it.
    return store.getFloat(key, 0.0f);
}

} // namespace layout
