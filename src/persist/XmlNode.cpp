#include "persist/XmlNode.h"

#include "persist/CXmlException.h"
#include "persist/XmlParser.h"
#include "persist/FileData.h"
#include "persist/ResourceManager.h"
#include "platform/GameFolders.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <iterator>

XmlNode::XmlNode(const XmlNode& other)
    : name_(other.name_), text_(other.text_), attributes_(other.attributes_) {
    children_.reserve(other.children_.size());
    for (const auto& child : other.children_) {
        children_.push_back(std::make_unique<XmlNode>(*child));
    }
}

XmlNode& XmlNode::operator=(const XmlNode& other) {
    if (this != &other) {
        XmlNode copy(other);
        name_ = std::move(copy.name_);
        text_ = std::move(copy.text_);
        attributes_ = std::move(copy.attributes_);
        children_ = std::move(copy.children_);
    }
    return *this;
}

XmlNode::~XmlNode() = default;

void XmlNode::clear() {
    name_.clear();
    text_.clear();
    attributes_.clear();
    children_.clear();
}

void XmlNode::load(const char* bytes, std::size_t size) {
    clear();
    if (size != 0) {
        XmlParser(bytes, size).parseDocument(*this);
        return;
    }
    std::ifstream in(platform::GameFolders::dataPath(bytes ? bytes : ""), std::ios::binary);
    if (bytes == nullptr || !in) {
        throw Xml::CXmlException("Can't open file");
    }
    std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    file.push_back('\0');
    XmlParser(file.data(), file.size()).parseDocument(*this);
}

const std::string* XmlNode::find(const std::string& attribute) const {
    auto it = attributes_.find(attribute);
    return it == attributes_.end() ? nullptr : &it->second;
}

int XmlNode::getInt(const std::string& attribute, int def) const {
    const std::string* text = find(attribute);
    if (text == nullptr) {
        return def;
    }
    char* end = nullptr;
    const long value = std::strtol(text->c_str(), &end, 10);
    if (end == text->c_str()) {
        return def;
    }
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

float XmlNode::getFloat(const std::string& attribute, float def) const {
    const std::string* text = find(attribute);
    if (text == nullptr) {
        return def;
    }
    char* end = nullptr;
    const float value = std::strtof(text->c_str(), &end);
    return end == text->c_str() ? def : value;
}

std::string XmlNode::getString(const std::string& attribute, const std::string& def) const {
    const std::string* text = find(attribute);
    return text == nullptr ? def : *text;
}

std::vector<XmlNode*> XmlNode::getChildren() const {
    std::vector<XmlNode*> list;
    list.reserve(children_.size());
    for (const auto& child : children_) {
        list.push_back(child.get());
    }
    return list;
}

XmlNode* XmlNode::findChild(const std::string& name) const {
    for (const auto& child : children_) {
        if (child->name_ == name) {
            return child.get();
        }
    }
    return nullptr;
}

bool XmlNode::loadResource(const std::string& pack, const std::string& fileName) {
    clear();
    const ResourceManager* manager = ResourceManager::get(pack);
    if (manager == nullptr) {
        return false;
    }
    const FileData file = manager->readFile(fileName);
    if (file.empty()) {
        return false;
    }
    try {
        load(reinterpret_cast<const char*>(file.data()), file.size);
    } catch (const Xml::CXmlException&) {
        // A broken data file shows nothing rather than ending the game.
        clear();
        return false;
    }
    return true;
}
