#pragma once
// How many times the chart tests' process has allocated storage with
// operator new so far (AllocationCount.cpp replaces the global allocation
// functions with counting ones for this test executable).

namespace drivesim::testing {

long AllocationsSoFar();

}  // namespace drivesim::testing
