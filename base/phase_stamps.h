#pragma once
// Start-up phase stamps for the start-up benchmark. They are on only when the
// environment variable QUORL_PHASE_STAMPS names a file when the first stamp is made;
// otherwise each stamp is one test of a flag read once. The same program is measured
// as it ships, with or without them.

// Records that the phase `name` (a constant text) has ended, with the performance
// counter's value, which every process of the machine shares.
void StampPhase(const char* name);

// Writes the stamps recorded so far to the file, one line "ticks name" each, and
// stops recording: the benchmark reads them once the program has ended.
void WritePhaseStamps();
