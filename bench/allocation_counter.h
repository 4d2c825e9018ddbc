#pragma once

// Heap allocations made through operator new since the process started.
unsigned long allocationCount();
