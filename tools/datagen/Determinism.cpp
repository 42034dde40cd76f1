#include "Determinism.h"

#include <cstdlib>

void pinDrawingBackends() {
    // pixman and libjpeg-turbo pick their fastest routines per processor;
    // those agree on almost everything, but "almost" is not "the same bytes".
    setenv("PIXMAN_DISABLE", "ssse3 avx2 sse4.1", 1);
    setenv("JSIMD_FORCESSE2", "1", 1);
}
