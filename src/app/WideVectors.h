#pragma once

// Pixel loops marked with this are vector loops: on processors with AVX2
// they run twice as wide, others take the plain build. Same pixels.
// (clang, which only the fuzz build uses, names the clones otherwise and
// leaves the plain symbol undefined: it takes the plain build.)
#if defined(__clang__)
#define WIDE_VECTORS
#else
#define WIDE_VECTORS __attribute__((target_clones("avx2", "default")))
#endif
