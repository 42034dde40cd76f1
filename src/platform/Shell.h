#pragma once

#include <string>

// Opening a web address in the desktop's browser. Tests install a recorder.
namespace platform {

class Shell {
public:
    virtual ~Shell() = default;
    virtual bool openUrl(const std::string& address) = 0;
};

Shell& shell();
// Installs a shell (not owned); nullptr restores the desktop's.
void setShell(Shell* shell);

inline bool openUrl(const std::string& address) {
    return shell().openUrl(address);
}

} // namespace platform
