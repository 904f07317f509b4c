// Controls on a denser screen: the custom panel's surface in device pixels
// and the mouse's layout positions turned into device pixels; a window
// grabbed into an image one and a half, two or three times as dense, in
// which the panel shows its surface pixel for pixel and the image control
// enlarges its picture by whole pixels.

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "platform/Canvas.h"
#include "platform/Controls.h"
#include "platform/CustomPanel.h"
#include "platform/Exceptions.h"
#include "platform/Numbers.h"

namespace drivesim {
namespace {

// A panel that paints a pattern of its own device pixels (every pixel's
// colour follows its position, and the edges are framed) and logs the mouse.
class PatternPanel : public TCustomPanel {
 public:
  int ratioChanges = 0;
  std::vector<std::string> log;

  static TColor Expected(int x, int y, int width, int height) {
    if (x == 0 || y == 0 || x == width - 1 || y == height - 1) return clRed;
    return RGB(static_cast<unsigned char>(x * 7), static_cast<unsigned char>(y * 5), 40);
  }

 protected:
  void Paint() override {
    TCanvas& canvas = Canvas();
    for (int y = 0; y < ClientHeight(); ++y) {
      for (int x = 0; x < ClientWidth(); ++x) {
        canvas.SetPixel(x, y, Expected(x, y, ClientWidth(), ClientHeight()));
      }
    }
  }
  void PixelRatioChanged() override { ++ratioChanges; }
  void MouseDown(TMouseButton, TShiftState, int x, int y) override {
    log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
  }
  void MouseMove(TShiftState, int x, int y) override {
    log.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  }
  void MouseUp(TMouseButton, TShiftState, int x, int y) override {
    log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
  }
  bool DoMouseWheelUp(TShiftState, TPoint p) override {
    log.push_back("wheel " + std::to_string(p.X) + "," + std::to_string(p.Y));
    return true;
  }
};

TColor ColorOf(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  return RGB(static_cast<unsigned char>(qRed(p)), static_cast<unsigned char>(qGreen(p)),
             static_cast<unsigned char>(qBlue(p)));
}

// The client area of a form grabbed into an image `ratio` times as dense.
QImage Grab(TForm& form, double ratio) {
  QWidget* client = form.ClientWidget();
  const QSize size(static_cast<int>(std::ceil(client->width() * ratio)),
                   static_cast<int>(std::ceil(client->height() * ratio)));
  QImage image(size, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::black);
  client->render(&image);
  return image;
}

TEST(PixelRatioTest, PanelSurfaceAndMousePositionsAreInDevicePixels) {
  PatternPanel panel;
  panel.SetBounds(20, 30, 353, 169);
  EXPECT_EQ(panel.PixelRatio(), 1.0);
  EXPECT_EQ(panel.ClientRect(), (TRect{0, 0, 353, 169}));

  // The device size rounds as the window system rounds a widget's: to the
  // nearest pixel, halves up. The layout bounds stay.
  struct Case {
    double Ratio;
    int Width, Height;
  };
  for (const Case c : {Case{1.25, 441, 211}, Case{1.5, 530, 254}, Case{2, 706, 338}}) {
    panel.Update();
    ASSERT_FALSE(panel.PaintPending());
    const int changes = panel.ratioChanges;
    panel.SetPixelRatio(c.Ratio);
    EXPECT_EQ(panel.ratioChanges, changes + 1);
    EXPECT_TRUE(panel.PaintPending());
    EXPECT_EQ(panel.ClientRect(), (TRect{0, 0, c.Width, c.Height})) << c.Ratio;
    EXPECT_EQ(panel.Surface().Width(), c.Width);
    EXPECT_EQ(panel.Surface().Height(), c.Height);
    EXPECT_EQ(panel.Width(), 353);
    EXPECT_EQ(panel.Left(), 20);
    panel.SetPixelRatio(c.Ratio);
    EXPECT_EQ(panel.ratioChanges, changes + 1);
  }
  // A resize at a ratio sizes the surface in device pixels at once.
  panel.SetBounds(20, 30, 101, 51);
  EXPECT_EQ(panel.Surface().Width(), 202);
  EXPECT_EQ(panel.Surface().Height(), 102);

  for (const double bad : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(),
                           std::numeric_limits<double>::infinity()}) {
    EXPECT_THROW(panel.SetPixelRatio(bad), Exception);
    EXPECT_EQ(panel.PixelRatio(), 2.0);
  }

  // Lengths scale with halves away from zero, a negative length as its
  // positive counterpart; the mouse's position lands on the device pixel
  // under it, also left of and above the control during a drag.
  panel.SetPixelRatio(1.5);
  EXPECT_EQ(panel.DevicePixels(3), 5);
  EXPECT_EQ(panel.DevicePixels(-3), -5);
  EXPECT_EQ(panel.DevicePixels(16), 24);
  EXPECT_EQ(ScalePixels(7, 1.0), 7);
  EXPECT_EQ(ScalePixels(1, 1.25), 1);
  EXPECT_EQ(ScalePixels(2, 1.25), 3);
  std::vector<int> reported;
  panel.OnMouseDown = [&](TMouseButton, TShiftState, int x, int y) {
    reported.insert(reported.end(), {x, y});
  };
  panel.DispatchMouseDown(mbLeft, 0, 100, 50);
  panel.DispatchMouseMove(0, 100.5, 50.7);
  panel.DispatchMouseMove(0, 100.66, 50);
  panel.DispatchMouseUp(mbLeft, 0, -1, -0.2);
  panel.DispatchMouseWheel(1, 0, 10, 21);
  EXPECT_EQ(reported, (std::vector<int>{150, 75}));
  EXPECT_EQ(panel.log, (std::vector<std::string>{"down 150,75", "move 150,76", "move 150,75",
                                                 "up -2,-1", "wheel 15,31"}));
  panel.log.clear();
  panel.SetPixelRatio(1);
  panel.DispatchMouseDown(mbLeft, 0, 100, 50);
  EXPECT_EQ(panel.log, (std::vector<std::string>{"down 100,50"}));
}

TEST(PixelRatioTest, GrabbedIntoADenserImageThePanelShowsItsSurfacePixelForPixel) {
  TForm form;
  form.SetClientSize(400, 300);
  PatternPanel panel;
  panel.SetBounds(20, 32, 353, 169);
  panel.CreateWidget(form.ClientWidget());
  form.Show();

  for (const double ratio : {2.0, 1.5, 1.25, 1.0}) {
    const QImage image = Grab(form, ratio);
    // The paint took the image's density and painted the surface anew.
    ASSERT_EQ(panel.PixelRatio(), ratio);
    const int left = static_cast<int>(20 * ratio);
    const int top = static_cast<int>(32 * ratio);
    const int w = panel.ClientWidth();
    const int h = panel.ClientHeight();
    int wrong = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        if (ColorOf(image, left + x, top + y) != PatternPanel::Expected(x, y, w, h)) ++wrong;
      }
    }
    EXPECT_EQ(wrong, 0) << "at ratio " << ratio;
    // Nothing of the panel beyond its device rectangle.
    EXPECT_NE(ColorOf(image, left + w, top + 5), clRed) << ratio;
    EXPECT_NE(ColorOf(image, left + 5, top + h), clRed) << ratio;
  }
}

TEST(PixelRatioTest, ImageControlEnlargesItsPictureByWholePixels) {
  TForm form;
  form.SetClientSize(400, 360);
  TImage image(&form);
  image.SetBounds(8, 4, 353, 313);
  // A picture whose every pixel differs from its neighbours.
  TCanvas& canvas = image.Canvas();
  for (int y = 0; y < 313; ++y) {
    for (int x = 0; x < 353; ++x) {
      canvas.SetPixel(x, y,
                      RGB(static_cast<unsigned char>(x * 3), static_cast<unsigned char>(y),
                          static_cast<unsigned char>((x + y) & 1 ? 255 : 0)));
    }
  }
  form.Show();

  // Two and three times as dense: every picture pixel becomes a square of
  // device pixels, which fills the control exactly.
  for (const int ratio : {2, 3}) {
    const QImage shown = Grab(form, ratio);
    int wrong = 0;
    for (int y = 0; y < 313 * ratio; ++y) {
      for (int x = 0; x < 353 * ratio; ++x) {
        if (ColorOf(shown, 8 * ratio + x, 4 * ratio + y) !=
            image.Bitmap().Pixel(x / ratio, y / ratio)) {
          ++wrong;
        }
      }
    }
    EXPECT_EQ(wrong, 0) << "at ratio " << ratio;
  }

  // One and a half: the picture pixel for device pixel in the middle of the
  // control's 530 x 470 device pixels, white around it.
  const QImage shown = Grab(form, 1.5);
  const int left = 12 + (530 - 353) / 2;
  const int top = 6 + (470 - 313) / 2;
  int wrong = 0;
  for (int y = 0; y < 313; ++y) {
    for (int x = 0; x < 353; ++x) {
      if (ColorOf(shown, left + x, top + y) != image.Bitmap().Pixel(x, y)) ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(ColorOf(shown, 12, 6), clWhite);
  EXPECT_EQ(ColorOf(shown, left - 1, top + 10), clWhite);
  EXPECT_EQ(ColorOf(shown, left + 353, top + 10), clWhite);
  EXPECT_EQ(ColorOf(shown, 12 + 529, 6 + 469), clWhite);
}

TEST(PixelRatioTest, ImageControlShowsThePictureItsOwnerDrawsAtTheDensity) {
  TForm form;
  form.SetClientSize(400, 360);
  TImage image(&form);
  image.SetBounds(8, 4, 353, 313);
  image.Canvas().SetPixel(5, 5, clRed);
  // The owner's picture: a colour of its own per ratio, so that the shown
  // pixels tell which drawing they come from.
  int drawn = 0;
  std::vector<std::pair<int, int>> sizes;
  bool fail = false;
  image.SetOnDrawAtDensity([&](TBitmap& surface, double ratio) {
    if (fail) throw Exception("cannot draw");
    ++drawn;
    sizes.emplace_back(surface.Width(), surface.Height());
    surface.Canvas().Brush().SetColor(ratio == 2 ? clNavy : clTeal);
    surface.Canvas().FillRect(TRect{0, 0, surface.Width(), surface.Height()});
  });
  form.Show();

  // At ratio 1 the bitmap itself, and the owner is not asked.
  EXPECT_EQ(ColorOf(Grab(form, 1), 8 + 5, 4 + 5), clRed);
  EXPECT_EQ(drawn, 0);

  // Twice as dense: the owner's picture fills the control's 706 x 626
  // device pixels one to one; painted again with nothing changed, it is
  // not drawn again.
  QImage shown = Grab(form, 2);
  ASSERT_EQ(drawn, 1);
  EXPECT_EQ(sizes.back(), std::make_pair(706, 626));
  EXPECT_EQ(ColorOf(shown, 16, 8), clNavy);
  EXPECT_EQ(ColorOf(shown, 16 + 705, 8 + 625), clNavy);
  EXPECT_EQ(ColorOf(shown, 16 + 706, 8 + 626), ColorOf(shown, 2, 2));
  Grab(form, 2);
  EXPECT_EQ(drawn, 1);
  // A change of the bitmap, or another density, draws it again.
  image.Canvas().SetPixel(6, 6, clBlue);
  Grab(form, 2);
  EXPECT_EQ(drawn, 2);
  shown = Grab(form, 1.5);
  EXPECT_EQ(drawn, 3);
  EXPECT_EQ(sizes.back(), std::make_pair(530, 470));
  EXPECT_EQ(ColorOf(shown, 12, 6), clTeal);

  // A picture that cannot be drawn: the bitmap enlarged, as without one.
  fail = true;
  image.Canvas().SetPixel(7, 7, clBlue);
  shown = Grab(form, 2);
  EXPECT_EQ(ColorOf(shown, 16 + 10, 8 + 10), clRed);
  EXPECT_EQ(ColorOf(shown, 16 + 11, 8 + 11), clRed);
  EXPECT_EQ(ColorOf(shown, 16 + 30, 8 + 30), clWhite);
}

}  // namespace
}  // namespace drivesim
