#pragma once

// The chart library's own pseudo-random numbers for sample values: one
// deterministic sequence per program, so galleries and tests repeat.

// Starts the sequence again from Seed.
void KorRandomize(unsigned Seed);
// A number in 0 .. Range - 1 (0 for Range < 1).
int KorRandom(int Range);
