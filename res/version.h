#pragma once
// The program's version. The version resource, the build and the packages
// (tools/package.sh) all take it from here.

#define LUMORA_VERSION_MAJOR 1
#define LUMORA_VERSION_MINOR 2
#define LUMORA_VERSION_PATCH 3
#define LUMORA_VERSION_BUILD 0
