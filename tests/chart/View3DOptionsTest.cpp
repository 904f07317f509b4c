// Every 3D view option setter: it changes its own option and no other, asks
// for one repaint per change, and does nothing for the value it has.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "chart/View3DOptions.h"

namespace drivesim {
namespace {

struct Option {
  const char* name;
  std::function<int(const TView3DOptions&)> get;
  std::function<void(TView3DOptions&, int)> set;
  int changed;  // a value other than the default
};

std::vector<int> Values(const TView3DOptions& o, const std::vector<Option>& options) {
  std::vector<int> values;
  for (const Option& option : options) values.push_back(option.get(o));
  return values;
}

TEST(View3DOptionsTest, EachSetterChangesItsOwnOptionOnceAndOnlyIt) {
  const std::vector<Option> options = {
      {"Elevation", &TView3DOptions::Elevation, &TView3DOptions::SetElevation, 10},
      {"HorizOffset", &TView3DOptions::HorizOffset, &TView3DOptions::SetHorizOffset, 7},
      {"Orthogonal", &TView3DOptions::Orthogonal,
       [](TView3DOptions& o, int v) { o.SetOrthogonal(v != 0); }, 0},
      {"Perspective", &TView3DOptions::Perspective, &TView3DOptions::SetPerspective, 40},
      {"Rotation", &TView3DOptions::Rotation, &TView3DOptions::SetRotation, 20},
      {"Tilt", &TView3DOptions::Tilt, &TView3DOptions::SetTilt, 5},
      {"VertOffset", &TView3DOptions::VertOffset, &TView3DOptions::SetVertOffset, -9},
      {"Zoom", &TView3DOptions::Zoom, &TView3DOptions::SetZoom, 250},
      {"ZoomText", &TView3DOptions::ZoomText,
       [](TView3DOptions& o, int v) { o.SetZoomText(v != 0); }, 0},
  };
  for (std::size_t i = 0; i < options.size(); ++i) {
    const Option& option = options[i];
    TView3DOptions view;
    std::vector<std::string> log;
    view.OnRepaint = [&] { log.push_back("repaint"); };
    view.OnScrolled = [&](bool horizontal) { log.push_back(horizontal ? "h" : "v"); };
    view.OnZoom = [&](int zoom) { log.push_back("zoom " + std::to_string(zoom)); };
    std::vector<int> expected = Values(view, options);

    option.set(view, option.get(view));
    EXPECT_TRUE(log.empty()) << option.name;

    option.set(view, option.changed);
    expected[i] = option.changed;
    EXPECT_EQ(Values(view, options), expected) << option.name;
    std::vector<std::string> told;
    if (std::string(option.name) == "HorizOffset") told.push_back("h");
    if (std::string(option.name) == "VertOffset") told.push_back("v");
    if (std::string(option.name) == "Zoom") told.push_back("zoom 250");
    told.push_back("repaint");
    EXPECT_EQ(log, told) << option.name;

    option.set(view, option.changed);
    EXPECT_EQ(log, told) << option.name << " set again";
  }
}

}  // namespace
}  // namespace drivesim
