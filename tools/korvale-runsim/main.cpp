#include "tools/runsim/RunSimulator.h"
int main() { return RunSimulatorPlaceholder(); }
