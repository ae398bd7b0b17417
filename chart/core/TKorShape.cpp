#include "chart/core/TKorShape.h"
