// The program's module services, made after the framework's and before the application object,
// and its settings block.
#include "VkaAppInf.h"

VkaSubDat theVkaSubDat __attribute__((init_priority(210)));

// Plain data, zero before any constructor runs; the HalcorApp constructor gives it its defaults.
AppInf theAppInf;
