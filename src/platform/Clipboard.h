#pragma once

#include <string>

// The desktop clipboard's plain text. Tests install a clipboard of their own.
namespace platform {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // False when the clipboard holds no text or cannot be read.
    virtual bool getText(std::string& text) = 0;
    virtual bool setText(const std::string& text) = 0;
};

Clipboard& clipboard();
// Installs a clipboard (not owned); nullptr restores the desktop's.
void setClipboard(Clipboard* clipboard);

} // namespace platform
