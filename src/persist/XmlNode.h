#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

// One element of the small XML dialect our data files use: elements, double
// quoted attributes, text, comments and processing instructions; no entities,
// CDATA or namespaces. Syntax errors throw Xml::CXmlException.
class XmlNode {
public:
    XmlNode() = default;
    XmlNode(const XmlNode& other);
    XmlNode& operator=(const XmlNode& other);
    ~XmlNode();

    // Parses the buffer into this node, which becomes the root element. With
    // a size of 0 the bytes are a zero-terminated file name to read instead.
    // Throws Xml::CXmlException; the node is then left partly built.
    void load(const char* bytes, std::size_t size);
    // Reads a file through the named resource manager and parses it. A file
    // that is missing or malformed leaves this node empty and gives false.
    bool loadResource(const std::string& pack, const std::string& fileName);
    // Removes children, text, attributes and name.
    void clear();

    int getInt(const std::string& attribute, int def) const;
    float getFloat(const std::string& attribute, float def) const;
    std::string getString(const std::string& attribute, const std::string& def) const;
    std::vector<XmlNode*> getChildren() const;
    XmlNode* findChild(const std::string& name) const;
    std::string getText() const { return text_; }
    std::string getName() const { return name_; }
    const std::map<std::string, std::string>& attributes() const { return attributes_; }

private:
    friend class XmlParser;

    const std::string* find(const std::string& attribute) const;

    std::string name_;
    std::string text_;
    std::map<std::string, std::string> attributes_;
    std::vector<std::unique_ptr<XmlNode>> children_;
};
