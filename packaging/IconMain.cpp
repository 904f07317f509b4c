// drivesim-icons: draws the program's icon as PNG pictures for the desktop's
// icon theme. `drivesim-icons DIR SIZE...` writes DIR/drivesim-SIZE.png for
// each size.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/Graphics.h"
#include "ui/ProgramIcon.h"

int main(int argc, char** argv) {
  using namespace drivesim;
  if (argc < 3) {
    std::fputs("Usage: drivesim-icons DIR SIZE...\n", stderr);
    return 2;
  }
  const std::string dir = argv[1];
  for (int a = 2; a < argc; ++a) {
    const int size = std::atoi(argv[a]);
    if (size < 1 || size > 1024) {
      std::fprintf(stderr, "drivesim-icons: '%s' is not a size from 1 to 1024\n", argv[a]);
      return 2;
    }
    TBitmap icon;
    DrawProgramIcon(icon, size);
    const std::string path = dir + "/drivesim-" + std::to_string(size) + ".png";
    if (!icon.SaveToPng(path)) {
      std::fprintf(stderr, "drivesim-icons: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
