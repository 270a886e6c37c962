// The library's version; the build reads it from here.
#pragma once

#define QUILEX_VERSION_MAJOR 1
#define QUILEX_VERSION_MINOR 1
#define QUILEX_VERSION_PATCH 0
#define QUILEX_VERSION "1.1.0"
