#include "CObject.h"
