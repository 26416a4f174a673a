// The fuzz target of the port table, shared by the libFuzzer build and the corpus replay.
#pragma once

#include <cstddef>
#include <cstdint>

// Separates the .dbf from the tag file in an input.
inline constexpr char kTagsMarker[] = "\n#TAGS#\n";

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
