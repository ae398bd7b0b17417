#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The bundled demo run: a 4.5 S + 7 S protein mixture at 50000 rpm seen by
// all four optical systems (cell 1 absorbance and intensity at 280 nm, cell 2
// interference with jitter and two fringe jumps, cell 3 fluorescence), each
// with moderate noise, written under Root / DemoRunName.
inline constexpr const char* kDemoRunName = "demo";

// The channel directories written, or an empty list with Error set.
std::vector<std::filesystem::path> WriteDemoRun(const std::filesystem::path& Root,
                                                std::string& Error);
