#include "tools/runsim/OpticalSystem.h"

#include <algorithm>
#include <cctype>

std::string ExtensionLetters(OpticalSystem System) {
  switch (System) {
    case OpticalSystem::Absorbance: return "RA";
    case OpticalSystem::Intensity: return "RI";
    case OpticalSystem::Interference: return "IP";
    case OpticalSystem::Fluorescence: return "FI";
  }
  return "RA";
}

char HeaderLetter(OpticalSystem System) {
  switch (System) {
    case OpticalSystem::Absorbance: return 'R';
    case OpticalSystem::Intensity: return 'I';
    case OpticalSystem::Interference: return 'P';
    case OpticalSystem::Fluorescence: return 'F';
  }
  return 'R';
}

std::string SystemName(OpticalSystem System) {
  switch (System) {
    case OpticalSystem::Absorbance: return "absorbance";
    case OpticalSystem::Intensity: return "intensity";
    case OpticalSystem::Interference: return "interference";
    case OpticalSystem::Fluorescence: return "fluorescence";
  }
  return "absorbance";
}

bool ParseOpticalSystem(const std::string& Text, OpticalSystem& System) {
  std::string lower = Text;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (OpticalSystem candidate : {OpticalSystem::Absorbance, OpticalSystem::Intensity,
                                  OpticalSystem::Interference, OpticalSystem::Fluorescence}) {
    std::string letters = ExtensionLetters(candidate);
    std::transform(letters.begin(), letters.end(), letters.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == SystemName(candidate) || lower == letters) {
      System = candidate;
      return true;
    }
  }
  return false;
}

std::string ChannelSubdirectory(OpticalSystem System, int Cell, int Wavelength) {
  const std::string cell = "Cell" + std::to_string(Cell);
  switch (System) {
    case OpticalSystem::Absorbance: return cell + "/Absorbance/" + std::to_string(Wavelength);
    case OpticalSystem::Intensity: return cell + "/Intensity/" + std::to_string(Wavelength);
    case OpticalSystem::Interference: return cell + "/Interference";
    case OpticalSystem::Fluorescence: return cell + "/Fluorescence";
  }
  return cell;
}

int MaximumPointCount(OpticalSystem System) {
  return System == OpticalSystem::Fluorescence ? 10000 : 2048;
}

double DefaultRadialStep(OpticalSystem System) {
  switch (System) {
    case OpticalSystem::Absorbance:
    case OpticalSystem::Intensity: return 0.003;
    case OpticalSystem::Interference: return 0.001;
    case OpticalSystem::Fluorescence: return 0.002;
  }
  return 0.003;
}

double DefaultSignalFactor(OpticalSystem System) {
  switch (System) {
    case OpticalSystem::Absorbance:
    case OpticalSystem::Intensity: return 1.0;
    // Fringes per mg/ml of a typical protein.
    case OpticalSystem::Interference: return 3.3;
    case OpticalSystem::Fluorescence: return 1000.0;
  }
  return 1.0;
}

int DefaultWavelength(OpticalSystem System) {
  switch (System) {
    case OpticalSystem::Absorbance:
    case OpticalSystem::Intensity: return 280;
    case OpticalSystem::Interference: return 655;
    case OpticalSystem::Fluorescence: return 488;
  }
  return 280;
}
