#include "persist/XmlParser.h"

#include "persist/CXmlException.h"
#include "persist/XmlNode.h"

#include <cstring>

namespace {

// Printable and not a blank; every other byte counts as white space.
bool isVisible(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u > 32 && u < 127;
}

bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool hasVisible(const std::string& text) {
    for (char c : text) {
        if (isVisible(c)) {
            return true;
        }
    }
    return false;
}

} // namespace

void XmlParser::fail(const char* message) {
    throw Xml::CXmlException(message);
}

char XmlParser::peek() const {
    return atEnd() ? '\0' : data_[pos_];
}

char XmlParser::next() {
    if (atEnd()) {
        fail("Unexpected end of file");
    }
    return data_[pos_++];
}

bool XmlParser::at(const char* text) const {
    const std::size_t length = std::strlen(text);
    return size_ - pos_ >= length && std::memcmp(data_ + pos_, text, length) == 0;
}

void XmlParser::skipSpace() {
    while (!atEnd() && !isVisible(data_[pos_])) {
        ++pos_;
    }
}

std::string XmlParser::readName() {
    const std::size_t start = pos_;
    while (!atEnd() && isNameChar(data_[pos_])) {
        ++pos_;
    }
    return std::string(data_ + start, pos_ - start);
}

void XmlParser::skipUntil(const char* marker, const char* message) {
    const std::size_t length = std::strlen(marker);
    for (std::size_t i = pos_; i + length <= size_; ++i) {
        if (std::memcmp(data_ + i, marker, length) == 0) {
            pos_ = i + length;
            return;
        }
    }
    fail(message);
}

// Skips a comment or a processing instruction at the current position.
bool XmlParser::skipMarkup() {
    if (at("<!--")) {
        pos_ += 4;
        skipUntil("-->", "Ends of comment not found");
        return true;
    }
    if (at("<?")) {
        pos_ += 2;
        skipUntil("?>", "Unexpected end of file");
        return true;
    }
    return false;
}

void XmlParser::parseDocument(XmlNode& root) {
    root.clear();
    parseElement(root, 0);
}

void XmlParser::parseElement(XmlNode& node, int depth) {
    if (depth > maxDepth) {
        fail("Unexpected error");
    }
    for (;;) {
        skipSpace();
        if (peek() != '<') {
            fail("Expected <");
        }
        if (!skipMarkup()) {
            break;
        }
    }
    ++pos_;
    skipSpace();
    node.name_ = readName();
    for (;;) {
        skipSpace();
        const std::string name = readName();
        if (name.empty()) {
            break;
        }
        skipSpace();
        if (next() != '=') {
            fail("Expected =");
        }
        skipSpace();
        if (next() != '"') {
            fail("Expected \"");
        }
        const char* start = data_ + pos_;
        const void* quote = std::memchr(start, '"', size_ - pos_);
        if (quote == nullptr) {
            fail("Unexpected end of file");
        }
        const auto length = static_cast<std::size_t>(static_cast<const char*>(quote) - start);
        node.attributes_[name] = std::string(start, length);
        pos_ += length + 1;
    }
    const char c = next();
    if (c == '/') {
        if (next() != '>') {
            fail("Unexpected char");
        }
        return;
    }
    if (c != '>') {
        fail("Unexpected char");
    }
    parseContent(node, depth);
}

void XmlParser::parseContent(XmlNode& node, int depth) {
    for (;;) {
        const void* open = std::memchr(data_ + pos_, '<', size_ - pos_);
        if (open == nullptr) {
            fail("Unexpected end of file");
        }
        const auto length =
            static_cast<std::size_t>(static_cast<const char*>(open) - (data_ + pos_));
        node.text_.append(data_ + pos_, length);
        pos_ += length;
        if (!hasVisible(node.text_)) {
            node.text_.clear();
        }
        // Comments and processing instructions between the content and the
        // next tag; text after them is not allowed.
        while (skipMarkup()) {
            skipSpace();
        }
        skipSpace();
        if (peek() != '<') {
            fail(atEnd() ? "Unexpected end of file" : "Unexpected error");
        }
        if (at("</")) {
            pos_ += 2;
            skipSpace();
            if (readName() != node.name_) {
                fail("Open and close tags didn't match");
            }
            if (!atEnd()) {
                ++pos_; // taken as the '>' without looking
            }
            return;
        }
        auto child = std::make_unique<XmlNode>();
        parseElement(*child, depth + 1);
        node.children_.push_back(std::move(child));
    }
}
