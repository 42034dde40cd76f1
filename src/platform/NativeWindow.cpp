#include "platform/NativeWindow.h"

namespace platform {

void NativeWindow::setIcon(int, int, const std::vector<std::uint8_t>&) {}

} // namespace platform
