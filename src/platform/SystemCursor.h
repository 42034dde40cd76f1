#pragma once

// The desktop's own mouse pointer over the game window. Like the classic
// show-count: each hide must be matched by a show; the pointer is visible
// while the count is 0 or more.
namespace platform {

// Raises (show) or lowers (hide) the count and returns the new count.
int showSystemCursor(bool show);
bool systemCursorVisible();

} // namespace platform
