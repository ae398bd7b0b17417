#pragma once

#include <string>

// The four optical systems of the instrument and what their scan files look
// like: file-name letters, header type letter, folder of an unpacked run,
// and the defaults the simulator uses for each.
enum class OpticalSystem { Absorbance, Intensity, Interference, Fluorescence };

// "RA", "RI", "IP" or "FI": the letters of the extension before the cell digit.
std::string ExtensionLetters(OpticalSystem System);
// 'R', 'I', 'P' or 'F': first character of a scan file's second line.
char HeaderLetter(OpticalSystem System);
// "absorbance", "intensity", "interference" or "fluorescence".
std::string SystemName(OpticalSystem System);
// Accepts the name or the extension letters in any case ("ra", "Absorbance").
bool ParseOpticalSystem(const std::string& Text, OpticalSystem& System);

// Folder of one channel below the run folder, as an unpacked run archive
// lays it out: "Cell1/Absorbance/280", "Cell2/Interference", ...
std::string ChannelSubdirectory(OpticalSystem System, int Cell, int Wavelength);

// Most points the reader takes from one file of this system.
int MaximumPointCount(OpticalSystem System);
// Instrument-like radial step of the output points, in cm.
double DefaultRadialStep(OpticalSystem System);
// Signal per concentration unit: absorbance (OD), fringes or counts.
double DefaultSignalFactor(OpticalSystem System);
// Wavelength in nm written to the header.
int DefaultWavelength(OpticalSystem System);
