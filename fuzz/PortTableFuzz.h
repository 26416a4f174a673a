// The fuzz target of the port table, shared by the libFuzzer build and the corpus replay.
#pragma once

#include "FuzzTarget.h"

// Separates the .dbf from the tag file in an input.
inline constexpr char kTagsMarker[] = "\n#TAGS#\n";
