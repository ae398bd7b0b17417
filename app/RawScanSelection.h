#pragma once

struct GuiSettings;

// Which raw scans the raw-data chart draws (data role): the rules that set
// the selection flags of the raw store (above 0 = drawn) from the scan count
// and the display settings or the user's own choice.
namespace RawScanSelection {

// Automatic choice over N scans. Below the draw-all cutoff every scan is
// drawn and 0 is returned (the step stays as it was); otherwise the first
// DisplayNumberStart scans, every step-th scan from step + 6 on and the
// newest scan, and the step (N / DisplayNumberMid, at least 1) is returned.
int ChooseAutomatically(int* Flags, int N, const GuiSettings& Gui);

// The user's choice stands for the ShownCount scans the selector showed;
// scans that arrived later are thinned to every step-th one going down from
// the newest. Returns the step used (N / 10 when N / step exceeds 40).
int ThinManualSelection(int* Flags, int N, int SelectorStep, int ShownCount);

// The flags for one new scan S drawn with step Step: set K = S - Step (at
// least 0) is drawn beside S, and the scans from K + 1 to S - 2 are not.
void FlagNewScan(int* Flags, int S, int Step);

}  // namespace RawScanSelection
