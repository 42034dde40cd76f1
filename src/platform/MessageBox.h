#pragma once

#include <string>

// A modal message box with an OK button. Tests install one that records
// instead of waiting for a click.
namespace platform {

enum class MessageIcon { Information, Warning, Error };

class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void show(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
};

MessageBox& messageBox();
// Installs a message box (not owned); nullptr restores the desktop's.
void setMessageBox(MessageBox* box);

inline void showMessageBox(const std::string& text, const std::string& caption, MessageIcon icon) {
    messageBox().show(text, caption, icon);
}

} // namespace platform
