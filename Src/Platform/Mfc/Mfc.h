// Our MFC-compatible class layer: include this one header.
#pragma once
#include "MfcWin.h"
#include "CObject.h"
