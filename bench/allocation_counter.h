#pragma once

#include <cstdint>

// Heap allocations made by C++ code in this process so far (operator new calls).
uint64_t allocationCount();
