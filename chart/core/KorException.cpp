#include "chart/core/KorException.h"

// Out of line so the library's exception type information lives in one
// object file.
KorException::~KorException() = default;
