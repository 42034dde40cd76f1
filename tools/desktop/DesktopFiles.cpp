#include "DesktopFiles.h"

#include "app/CommandLine.h"
#include "datagen/Creatures.h"
#include "datagen/DataWriter.h"
#include "datagen/ImageFiles.h"
#include "datagen/Texts.h"
#include "platform/SdlWindow.h"
#include "ui/UiResources.h"

#include <sstream>

namespace DesktopFiles {

namespace {

const char* const name = "Quillmere";
const char* const executable = "quillmere";
const char* const overview =
    "Quillmere is a puzzle game of coloured balls on a hexagonal board: line up three or more "
    "of a colour to explode them and fill the cells beneath, through 100 levels.";
// The page the menu's web-site button opens is the project's home page.
const char* const homepage = UiResources::siteAddress;
const std::string screenshot = std::string(homepage) + "screenshots/main-menu.png";
// The help pages that tell what the game is about; the rest are details.
const std::size_t describingPages = 3;

std::string capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') {
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    }
    return text;
}

std::string xmlEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Text for a roff body line: backslashes escaped, and a line that would read
// as a request kept as text.
std::string roffEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') {
            out += "\\e";
        } else if (c == '"') {
            out += "\\(dq";
        } else {
            out += c;
        }
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\'')) {
        out.insert(0, "\\&");
    }
    return out;
}

std::vector<std::string> describingTexts() {
    std::vector<std::string> texts{overview};
    const std::vector<HelpPage>& pages = helpPages();
    for (std::size_t i = 0; i < pages.size() && i < describingPages; ++i) {
        texts.push_back(pages[i].text);
    }
    return texts;
}

bool writeText(const std::filesystem::path& path, const std::string& text) {
    return DataWriter::writeFile(path, DataTree::Bytes(text.begin(), text.end()));
}

} // namespace

std::string desktopEntryPath() {
    return std::string("applications/") + appId + ".desktop";
}

std::string metainfoPath() {
    return std::string("metainfo/") + appId + ".metainfo.xml";
}

std::string manualPagePath() {
    return std::string("man/man6/") + executable + ".6";
}

std::string iconPath(int size) {
    const std::string side = std::to_string(size);
    return "icons/hicolor/" + side + "x" + side + "/apps/" + appId + ".png";
}

std::string desktopEntry() {
    std::ostringstream out;
    out << "[Desktop Entry]\n"
        << "Type=Application\n"
        << "Name=" << name << "\n"
        << "GenericName=Puzzle Game\n"
        << "Comment=" << capitalised(CommandLine::summary) << "\n"
        << "Exec=" << executable << "\n"
        << "Icon=" << appId << "\n"
        << "Terminal=false\n"
        << "Categories=Game;LogicGame;\n"
        << "Keywords=puzzle;balls;lines;hexagon;\n"
        << "StartupWMClass=" << platform::SdlWindow::className << "\n";
    return out.str();
}

std::string metainfo(const Release& release) {
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<component type=\"desktop-application\">\n"
        << "  <id>" << appId << "</id>\n"
        << "  <metadata_license>CC0-1.0</metadata_license>\n"
        << "  <name>" << name << "</name>\n"
        << "  <summary>" << xmlEscaped(capitalised(CommandLine::summary)) << "</summary>\n"
        << "  <developer_name>The " << name << " developers</developer_name>\n"
        << "  <description>\n";
    for (const std::string& text : describingTexts()) {
        out << "    <p>" << xmlEscaped(text) << "</p>\n";
    }
    out << "  </description>\n"
        << "  <launchable type=\"desktop-id\">" << appId << ".desktop</launchable>\n"
        << "  <url type=\"homepage\">" << homepage << "</url>\n"
        << "  <provides>\n    <binary>" << executable << "</binary>\n  </provides>\n"
        << "  <categories>\n    <category>Game</category>\n"
        << "    <category>LogicGame</category>\n  </categories>\n"
        << "  <content_rating type=\"oars-1.1\"/>\n"
        << "  <screenshots>\n    <screenshot type=\"default\">\n"
        << "      <caption>The main menu</caption>\n"
        << "      <image>" << screenshot << "</image>\n"
        << "    </screenshot>\n  </screenshots>\n"
        << "  <releases>\n"
        << "    <release version=\"" << xmlEscaped(release.version) << "\" date=\""
        << xmlEscaped(release.date) << "\">\n"
        << "      <description>\n        <p>" << helpPages().size()
        << " help pages, 100 levels, and the player's files kept in the home folder.</p>\n"
        << "      </description>\n    </release>\n"
        << "  </releases>\n"
        << "</component>\n";
    return out.str();
}

std::string manualPage(const Release& release) {
    std::ostringstream out;
    out << ".TH QUILLMERE 6 \"" << roffEscaped(release.date) << "\" \"" << name << " "
        << roffEscaped(release.version) << "\" \"Games\"\n"
        << ".SH NAME\n"
        << executable << " \\- " << roffEscaped(CommandLine::summary) << "\n"
        << ".SH SYNOPSIS\n"
        << ".B " << executable << "\n"
        << "[\\fB\\-\\-help\\fR | \\fB\\-\\-version\\fR]\n"
        << ".SH DESCRIPTION\n"
        << roffEscaped(overview) << "\n"
        << ".SH HOW TO PLAY\n";
    for (const HelpPage& page : helpPages()) {
        out << ".SS " << roffEscaped(page.title) << "\n" << roffEscaped(page.text) << "\n";
    }
    out << ".SH OPTIONS\n"
        << ".TP\n.B \\-\\-help\nShow a short help text and exit.\n"
        << ".TP\n.B \\-\\-version\nShow the version and exit.\n"
        << ".PP\nAny other argument prints the usage line and exits with status 2.\n"
        << ".SH FILES\n"
        << ".TP\n.I $XDG_DATA_HOME/quillmere/\n"
        << "The player's own files, made on the first start: the log \\fIgame.log\\fR, "
           "the settings \\fIdata/dx.cfg\\fR, the saved game \\fIdata/saved.dat\\fR and the "
           "high scores \\fIdata/top7.tbl\\fR. Without \\fBXDG_DATA_HOME\\fR the folder is "
           "\\fI~/.local/share/quillmere/\\fR.\n"
        << ".TP\n.I share/games/quillmere/\n"
        << "The game's data, found beside the installed program and never written.\n"
        << ".SH ENVIRONMENT\n"
        << ".TP\n.B XDG_DATA_HOME\nWhere the folder of the player's files is made.\n"
        << ".TP\n.B QUILLMERE_HOME\n"
        << "One folder for both the data and the player's files, for tests.\n";
    return out.str();
}

bool write(const std::filesystem::path& share, const Release& release, std::string& error) {
    struct Text {
        std::string path;
        std::string text;
    };
    const Text texts[] = {
        {desktopEntryPath(), desktopEntry()},
        {metainfoPath(), metainfo(release)},
        {manualPagePath(), manualPage(release)},
    };
    for (const Text& text : texts) {
        if (!writeText(share / text.path, text.text)) {
            error = "cannot write " + (share / text.path).string();
            return false;
        }
    }
    for (int size : iconSizes) {
        if (!DataWriter::writeFile(share / iconPath(size), ImageFiles::png(gameIcon(size), 9))) {
            error = "cannot write " + (share / iconPath(size)).string();
            return false;
        }
    }
    return true;
}

} // namespace DesktopFiles
