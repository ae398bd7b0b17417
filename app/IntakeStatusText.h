#pragma once

#include <QString>

class ScanIntake;

// What a viewer's status row says of its scan intake (logic role): what
// became of the folder, scans left out and why, scans written anew or gone
// after they were taken, memory that ran out, and, before any scan is
// shown, files that are still coming to rest. Empty when all is well.
// Directory is the folder the viewer shows; Sets the scans its raw store
// holds; MemoryShort that memory ran out while they were analysed or drawn.
QString IntakeStatusText(const ScanIntake& Intake, const QString& Directory, int Sets,
                         bool MemoryShort = false);
