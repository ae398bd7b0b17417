#include "chart/core/TKorCustomDesigner.h"

TKorCustomDesigner::~TKorCustomDesigner() = default;
