#pragma once

// Start-up and shut-down of the library's process-wide units. The order is
// fixed: weekday marks, directory layout, sound slots, CRC table, lock file;
// shut-down runs in reverse.
void StartLibraryUnits();
void StopLibraryUnits();
