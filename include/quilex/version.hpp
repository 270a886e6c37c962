// The library's version; the build reads it from here.
#pragma once

#define QUILEX_VERSION_MAJOR 1
#define QUILEX_VERSION_MINOR 1
#define QUILEX_VERSION_PATCH 0
#define QUILEX_VERSION "1.1.0"
// The version of docs/method.md, the description of the method the numbers follow: --version
// and the calculation report print it, so that a calculation names the method it cites.
#define QUILEX_METHOD_VERSION "2026.12"
#define QUILEX_VERSION_LINES(program) \
  program " " QUILEX_VERSION "\nmethod: docs/method.md version " QUILEX_METHOD_VERSION "\n"
