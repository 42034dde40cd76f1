#pragma once

#include <string>

class PropertyFile;

// The screens' layout files: key/value texts read through the pack "main".
namespace layout {

// Loads a layout file (clearing the store first); a missing file leaves the
// store empty, so every control lands at 0.
bool load(PropertyFile& store, const std::string& path);
// The value of key read as "%f" would read it; fallback when the key is
// missing, 0 when its text is not a number.
float number(const PropertyFile& store, const std::string& key, float fallback = 0.0f);

} // namespace layout
