#pragma once
// Standard input, output and error that a launcher left closed.

// Puts /dev/null on each of the descriptors 0, 1 and 2 that is closed, open for the other
// direction (standard input for writing, output and error for reading), so that no file or
// connection the program opens later lands there, and reading or writing them still fails as on
// a closed descriptor. Call before anything else opens a file.
void ReserveStandardDescriptors();
