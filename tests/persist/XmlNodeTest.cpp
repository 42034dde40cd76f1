#include "persist/XmlNode.h"
#include "persist/CXmlException.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

XmlNode parse(const std::string& text) {
    XmlNode node;
    node.load(text.data(), text.size());
    return node;
}

// The message of the exception that parsing throws, or "" when none.
std::string errorOf(const std::string& text) {
    try {
        parse(text);
    } catch (const Xml::CXmlException& e) {
        return e.message();
    }
    return "";
}

} // namespace

TEST(XmlNode, EmptyElementWithAttributes) {
    const XmlNode a = parse("<a x=\"1\" y=\"2\"/>");
    EXPECT_EQ(a.getName(), "a");
    EXPECT_EQ(a.attributes().size(), 2u);
    EXPECT_EQ(a.getString("x", ""), "1");
    EXPECT_EQ(a.getInt("y", 0), 2);
    EXPECT_TRUE(a.getChildren().empty());
    EXPECT_EQ(a.getText(), "");
}

TEST(XmlNode, TextWithoutVisibleCharactersIsDropped) {
    const XmlNode a = parse("<a>  <b/>\n\t</a>");
    ASSERT_EQ(a.getChildren().size(), 1u);
    EXPECT_EQ(a.getChildren()[0]->getName(), "b");
    EXPECT_EQ(a.getText(), "");
    EXPECT_EQ(parse("<a> hello </a>").getText(), " hello ");
    // Text pieces around children are joined.
    EXPECT_EQ(parse("<a>one<b/>two</a>").getText(), "onetwo");
}

TEST(XmlNode, NoEntityDecoding) {
    const XmlNode a = parse("<a v=\"x&amp;y\">&amp;</a>");
    EXPECT_EQ(a.getText(), "&amp;");
    EXPECT_EQ(a.getString("v", ""), "x&amp;y");
}

TEST(XmlNode, PrologueCommentsAndInstructionsAreSkipped) {
    const XmlNode root = parse("<?xml version=\"1.0\"?>\n<!-- made by hand -->\n<!--again-->"
                               "<root><!-- inside --><c n=\"1\"/><?pi x?><c n=\"2\"/></root>junk");
    EXPECT_EQ(root.getName(), "root");
    ASSERT_EQ(root.getChildren().size(), 2u);
    EXPECT_EQ(root.getChildren()[1]->getInt("n", 0), 2);
    // Several comments in a row inside an element.
    EXPECT_EQ(parse("<a><!--x--> <!--y--></a>").getName(), "a");
}

TEST(XmlNode, TreeOrderLookupAndRepeatedAttributes) {
    const XmlNode root = parse("<r k=\"1\" k=\"2\"><g><f>one.tga</f><f>two.tga</f></g>"
                               "<h/><g a=\"b\"/></r>");
    EXPECT_EQ(root.getString("k", ""), "2");
    const auto children = root.getChildren();
    ASSERT_EQ(children.size(), 3u);
    EXPECT_EQ(root.findChild("g"), children[0]);
    EXPECT_EQ(root.findChild("h"), children[1]);
    EXPECT_EQ(root.findChild("zz"), nullptr);
    ASSERT_EQ(children[0]->getChildren().size(), 2u);
    EXPECT_EQ(children[0]->getChildren()[1]->getText(), "two.tga");
    // Copies are deep.
    XmlNode copy = root;
    EXPECT_NE(copy.findChild("g"), root.findChild("g"));
    EXPECT_EQ(copy.findChild("g")->getChildren()[0]->getText(), "one.tga");
    XmlNode assigned;
    assigned = copy;
    copy.clear();
    EXPECT_EQ(assigned.getChildren().size(), 3u);
    EXPECT_EQ(copy.getName(), "");
}

TEST(XmlNode, TypedGetters) {
    const XmlNode a = parse("<a e=\"\" w=\"abc\" p=\"12px\" n=\" -4\" f=\"0.5\" g=\"x\"/>");
    EXPECT_EQ(a.getInt("e", 7), 7);
    EXPECT_EQ(a.getInt("w", 7), 7);
    EXPECT_EQ(a.getInt("p", 7), 12);
    EXPECT_EQ(a.getInt("n", 7), -4);
    EXPECT_EQ(a.getInt("absent", 7), 7);
    EXPECT_FLOAT_EQ(a.getFloat("f", 1.f), 0.5f);
    EXPECT_FLOAT_EQ(a.getFloat("g", 1.f), 1.f);
    EXPECT_EQ(a.getString("e", "d"), "");
    EXPECT_EQ(a.getString("absent", "d"), "d");
}

TEST(XmlNode, EveryErrorHasItsMessage) {
    EXPECT_EQ(errorOf("hello"), "Expected <");
    EXPECT_EQ(errorOf("  \n "), "Expected <");
    EXPECT_EQ(errorOf("<!-- never closed <a/>"), "Ends of comment not found");
    EXPECT_EQ(errorOf("<a x=\"1\" %>"), "Unexpected char");
    EXPECT_EQ(errorOf("<a/ >"), "Unexpected char");
    EXPECT_EQ(errorOf("<a x \"1\"/>"), "Expected =");
    EXPECT_EQ(errorOf("<a x='1'/>"), "Expected \"");
    EXPECT_EQ(errorOf("<a x=\"1\""), "Unexpected end of file");
    EXPECT_EQ(errorOf("<a x=\"1"), "Unexpected end of file");
    EXPECT_EQ(errorOf("<a>text"), "Unexpected end of file");
    EXPECT_EQ(errorOf("<?xml version"), "Unexpected end of file");
    EXPECT_EQ(errorOf("<a><b></c></a>"), "Open and close tags didn't match");
    EXPECT_EQ(errorOf("<a><!-- c -->text</a>"), "Unexpected error");
    EXPECT_EQ(errorOf("<a></a>"), "");
    // The character after a closing name is taken without looking at it.
    EXPECT_EQ(errorOf("<a></a!"), "");
}

TEST(XmlNode, EveryCutOfADocumentThrowsInsteadOfReadingPastIt) {
    const std::string doc = "<?xml v=\"1\"?><r a=\"1\"><!--c--><g><f>x.png</f></g><h/></r>";
    for (std::size_t cut = 0; cut + 1 < doc.size(); ++cut) {
        const std::string part = doc.substr(0, cut);
        XmlNode node;
        // Copy into an exactly sized buffer so that a read past it is caught
        // by the sanitizers.
        std::vector<char> exact(part.begin(), part.end());
        EXPECT_THROW(node.load(exact.data(), exact.size()), Xml::CXmlException) << cut;
    }
    // Nesting deep enough to exhaust a stack is refused.
    std::string deep;
    for (int i = 0; i < 100000; ++i) {
        deep += "<a>";
    }
    EXPECT_EQ(errorOf(deep), "Unexpected error");
}

TEST(XmlNode, SizeZeroReadsTheNamedFile) {
    const auto path = std::filesystem::temp_directory_path() / "qm_xml_node_test.xml";
    std::ofstream(path) << "<page title=\"Help\"><line>Hello</line></page>";
    XmlNode node;
    node.load(path.string().c_str(), 0);
    EXPECT_EQ(node.getString("title", ""), "Help");
    EXPECT_EQ(node.findChild("line")->getText(), "Hello");
    std::filesystem::remove(path);
    try {
        node.load(path.string().c_str(), 0);
        FAIL() << "no exception";
    } catch (const Xml::CXmlException& e) {
        EXPECT_EQ(e.message(), "Can't open file");
    }
}
