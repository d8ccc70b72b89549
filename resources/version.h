// The program's version, in one place: the version resource reads it, and the
// build takes the package names from it.
#pragma once

#define QUILLMOTH_VERSION_NUMBERS 6, 0, 2, 236
#define QUILLMOTH_VERSION_TEXT "6.0.2.236"
