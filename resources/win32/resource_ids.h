#pragma once

// Shared by quarvel2.rc and the window that loads what it names.
#define QUARVEL_ICON 1
#define QUARVEL_BANNER 2
#define QUARVEL_BANNER_2X 3  // drawn from 1.5 times 96 dpi up
