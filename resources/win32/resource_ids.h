#pragma once

// Shared by quarvel2.rc and the window that loads what it names.
#define QUARVEL_ICON 1
#define QUARVEL_BANNER 2
