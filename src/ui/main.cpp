// The DriveSim program. Until the main window exists, the entry point points
// the user to the batch tool.
#include <cstdio>

int main() {
  std::puts("The DriveSim window is not built yet; run drivesim-batch for a headless run.");
  return 0;
}
