// The framework's module services. They are made before the application object, whatever the
// link order, since their initialisation priority comes before that of every static object of
// default priority; within this file they are made in the order written and destroyed in the
// reverse order, after the application object. The order is: CmnReg, CmnVar, CmnSub, CmnWin,
// CmnImg (each added here in its place).
#include "CmnAppInf.h"
#include "CmnImg.h"
#include "CmnReg.h"
#include "CmnSub.h"
#include "CmnVar.h"
#include "CmnWin.h"

#define CMN_SERVICE __attribute__((init_priority(200)))

CmnReg theCmnReg CMN_SERVICE;
CmnVar theCmnVar CMN_SERVICE;
CmnSub theCmnSub CMN_SERVICE;
CmnWin theCmnWin CMN_SERVICE;
CmnImg theCmnImg CMN_SERVICE;

// Plain data, zero before any constructor runs; the CmnApp constructor gives it its defaults.
CmnAppInf theCmnAppInf;
