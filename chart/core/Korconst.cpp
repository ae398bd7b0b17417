#include "chart/core/Korconst.h"
