// The entry point of every fuzz target, shared by the libFuzzer builds and the corpus replay.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
