#pragma once

// Pins the drawing and JPEG libraries to the code paths every x86-64 machine
// has (SSE2), so that the pictures come out byte for byte the same whatever
// the processor. Call before the first picture is drawn.
void pinDrawingBackends();
