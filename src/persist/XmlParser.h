#pragma once

#include <cstddef>
#include <string>

class XmlNode;

// The recursive reader behind XmlNode::load: one pass over a byte buffer.
class XmlParser {
public:
    XmlParser(const char* bytes, std::size_t size) : data_(bytes), size_(size) {}
    // Parses the first element of the buffer into root; throws on a syntax error.
    void parseDocument(XmlNode& root);

private:
    // Nesting beyond this is refused, so a hostile file cannot exhaust the stack.
    static constexpr int maxDepth = 256;

    void parseElement(XmlNode& node, int depth);
    void parseContent(XmlNode& node, int depth);
    bool skipMarkup();
    void skipUntil(const char* marker, const char* message);
    void skipSpace();
    char peek() const;
    char next();
    bool at(const char* text) const;
    bool atEnd() const { return pos_ >= size_; }
    std::string readName();
    [[noreturn]] static void fail(const char* message);

    const char* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};
