#include "platform/Types.h"

namespace drivesim {

TColor ColorToRGB(TColor color) {
  if ((color & kSystemColorFlag) == 0) return color & 0x00FFFFFF;
  switch (color) {
    case clWindowText: return 0x000000;
    case clBtnFace: return 0xF0F0F0;
    case clBtnShadow: return 0xA0A0A0;
    case clBtnHighlight: return 0xFFFFFF;
    default: return 0x000000;
  }
}

}  // namespace drivesim
