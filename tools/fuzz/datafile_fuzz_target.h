// One fuzz input through the reader, the checks and the validation, with their
// invariants checked; a broken invariant aborts with a message.
#pragma once

#include <cstddef>
#include <cstdint>

void FuzzDataFile(const std::uint8_t* data, std::size_t size);
