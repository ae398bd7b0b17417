#pragma once
// Placeholder until the simulator lands.
int RunSimulatorPlaceholder();
