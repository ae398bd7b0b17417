#pragma once

// Registers every type of the chart library a program shows, in the order
// the program needs them: the series and tool types, the export formats,
// the chart editor's pages and galleries, and the chart classes its stored
// charts name. Call once at start-up.
void RegisterChartLibrary();
