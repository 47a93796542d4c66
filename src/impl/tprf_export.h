// Marks a definition as one of the library's exported entry points. Every
// other symbol is hidden by default and made local by the version script.
#pragma once

#define TPRF_EXPORT __attribute__((visibility("default")))
