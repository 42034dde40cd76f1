// libFuzzer target: any bytes given to the XML reader give a tree or its one
// exception, and the tree answers every getter.
#include "persist/CXmlException.h"
#include "persist/XmlNode.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

void walk(const XmlNode& node, int depth) {
    for (const auto& [name, value] : node.attributes()) {
        (void)node.getInt(name, 0);
        (void)node.getFloat(name, 0);
        (void)value;
    }
    if (depth > 300)
        return;
    for (const XmlNode* child : node.getChildren())
        walk(*child, depth + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0; // an empty buffer means a file name
    XmlNode root;
    try {
        root.load(reinterpret_cast<const char*>(data), size);
    } catch (const Xml::CXmlException&) {
        return 0;
    }
    walk(root, 0);
    return 0;
}
