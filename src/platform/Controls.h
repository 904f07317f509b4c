#pragma once
// The standard controls of the windows: forms, buttons, edits, labels,
// panels, memos and images. Each is a plain C++ object backed by a thin Qt
// widget that forwards its events; every handler a control calls from an
// event runs through the application's guard.
//
// Positions and sizes are pixels inside the parent's client area. A control
// is created with its parent, which places its widget; the object that
// creates a control owns it (a form holds its controls in unique_ptrs). A
// control's widget is destroyed with the control, or earlier with the parent
// widget, after which the control keeps its properties and shows nothing.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/CustomPanel.h"
#include "platform/Graphics.h"
#include "platform/Types.h"

class QWidget;

namespace drivesim {

using TNotifyEvent = std::function<void()>;

class TWinControl;
class TForm;
struct TWidgetHandle;  // a guarded pointer to the Qt widget

class TControl {
 public:
  virtual ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  // The container holding this control; null for a form.
  TWinControl* Parent() const { return fParent; }
  // The form this control is on (the control itself for a form).
  TForm* Form();

  int Left() const { return fLeft; }
  int Top() const { return fTop; }
  int Width() const { return fWidth; }
  int Height() const { return fHeight; }
  TRect BoundsRect() const { return TRect{fLeft, fTop, fLeft + fWidth, fTop + fHeight}; }
  void SetBounds(int left, int top, int width, int height);

  bool Visible() const { return fVisible; }
  void SetVisible(bool value);
  bool Enabled() const { return fEnabled; }
  void SetEnabled(bool value);

  // The control's font. Until it is changed, the control takes its parent's
  // font (and follows it when the parent's font changes).
  TFont& Font() { return fFont; }
  bool ParentFont() const { return fParentFont; }

  TColor Color() const { return fColor; }
  void SetColor(TColor value);

  TCursor Cursor() const { return fCursor; }
  void SetCursor(TCursor value);

  // Keyboard focus: tab stops are visited in tab order, depth first through
  // the containers, each container's children by their TabOrder.
  bool TabStop() const { return fTabStop; }
  void SetTabStop(bool value);
  int TabOrder() const;
  void SetTabOrder(int value);
  bool Focused() const;
  void SetFocus();

  // The Qt widget showing the control (null once it has been destroyed).
  QWidget* Widget() const;

 protected:
  // A control of a kind that takes the focus (buttons, edits, memos) is
  // created as a tab stop.
  TControl(TWinControl* parent, bool focusable);
  // The widget in which this control's widget is to be created.
  QWidget* ParentWidget() const;
  // Takes the widget the derived control created (parented to ParentWidget)
  // and applies the control's properties to it.
  void AttachWidget(QWidget* widget);
  // Apply the properties to the widget; derived controls extend them.
  virtual void ApplyFont();
  virtual void ApplyColor();
  virtual void ApplyBounds();

 private:
  friend class TWinControl;
  void FontChanged();
  void TakeParentFont(const TFont& font);

  void ApplyFocusPolicy();

  TWinControl* fParent = nullptr;  // not owned
  std::unique_ptr<TWidgetHandle> fWidget;
  int fLeft = 0;
  int fTop = 0;
  int fWidth = 0;
  int fHeight = 0;
  bool fVisible = true;
  bool fEnabled = true;
  TFont fFont;
  bool fParentFont = true;
  bool fAdoptingFont = false;
  TColor fColor = clWhite;
  bool fColorSet = false;
  TCursor fCursor = crDefault;
  bool fFocusable = false;
  bool fTabStop = false;
};

// A control that holds other controls in its client area.
class TWinControl : public TControl {
 public:
  ~TWinControl() override;
  // The widget in which the children's widgets live, their origin being the
  // client area's top left. Custom-painted controls (TCustomPanel) create
  // their widget inside it.
  QWidget* ClientWidget() const;
  // The controls created with this parent, in tab order.
  const std::vector<TControl*>& TabList() const { return fTabList; }

 protected:
  explicit TWinControl(TWinControl* parent);
  void SetClientWidget(QWidget* widget);
  void ApplyFont() override;

 private:
  friend class TControl;
  void AddChild(TControl* child);
  void RemoveChild(TControl* child);
  void MoveInTabList(TControl* child, int position);

  std::vector<TControl*> fTabList;  // not owned
  std::unique_ptr<TWidgetHandle> fClient;
};

// Which buttons a form's title bar carries besides the close box.
using TBorderIcons = unsigned;
constexpr TBorderIcons biSystemMenu = 1;
constexpr TBorderIcons biMinimize = 2;
constexpr TBorderIcons biMaximize = 4;

// A top-level window. Its bounds are the outer frame's (position on the
// screen and outer size); the client area is that less a sizeable frame of
// kFrameWidth on every side, a caption of kCaptionHeight and the main
// menu's bar, if the window has one (TMainMenu). When the client area is
// smaller than the extent of the controls, scroll bars appear.
// Closing the main form (the first form created) ends the event loop;
// closing any other form only hides it.
class TForm : public TWinControl {
 public:
  static constexpr int kFrameWidth = 4;
  static constexpr int kCaptionHeight = 19;

  TForm();
  ~TForm() override;

  const std::string& Caption() const { return fCaption; }
  void SetCaption(const std::string& value);

  int ClientWidth() const { return Width() - 2 * kFrameWidth; }
  int ClientHeight() const { return Height() - 2 * kFrameWidth - kCaptionHeight - fMenuHeight; }
  // The height of the main menu's bar above the client area; 0 without one.
  int MenuHeight() const { return fMenuHeight; }
  // Sets the outer size that gives this client size.
  void SetClientSize(int width, int height);

  TBorderIcons BorderIcons() const { return fBorderIcons; }
  void SetBorderIcons(TBorderIcons value);

  // The window's icon (a 32 x 32 picture).
  void SetIcon(const TBitmap& icon);

  // Shows the window without a modal loop and brings it to the front. When
  // no control holds the focus yet, the first tab stop gets it.
  void Show();
  void Hide();
  // Closes the window: the main form ends the event loop, any other form is
  // hidden. OnCloseQuery, when set, is asked first (also for the close box):
  // false keeps the window open. It runs through the application's guard;
  // one that raises keeps the window open too.
  void Close();
  std::function<bool()> OnCloseQuery;

  // Applies the tab order to the focus chain of the window's widgets; called
  // whenever a control is added or its tab order or tab stop changes.
  void UpdateTabChain();
  // Recomputes the scroll range from the extent of the client area's
  // children; called whenever one of them moves or resizes.
  void UpdateScrollRange();
  // The first tab stop in tab order, or null.
  TControl* FirstTabStop();

 protected:
  void ApplyBounds() override;
  void ApplyColor() override;

 private:
  class FormWidget;
  friend class FormWidget;
  friend class TMainMenu;
  void WidgetClosed();
  // Whether OnCloseQuery lets the window close.
  bool CloseAllowed();
  // Places the main menu's bar (null: none) of the given height above the
  // client area; the window grows or shrinks by the change of height, so
  // that the client area keeps its size.
  void SetMenuBar(QWidget* bar, int height);

  std::string fCaption;
  int fMenuHeight = 0;
  TBorderIcons fBorderIcons = biSystemMenu | biMinimize | biMaximize;
};

// A push button; OnClick runs when it is clicked with the mouse, or pressed
// with Space or Enter while it has the focus.
class TButton : public TControl {
 public:
  explicit TButton(TWinControl* parent);
  const std::string& Caption() const { return fCaption; }
  void SetCaption(const std::string& value);
  // Runs OnClick (outside the guard: the caller sees its exceptions).
  void Click();
  TNotifyEvent OnClick;

 private:
  std::string fCaption;
};

// A single-line edit. OnChange runs on every change of its text, typed,
// pasted, cut or set, and never for a text equal to the one it holds.
class TEdit : public TControl {
 public:
  explicit TEdit(TWinControl* parent);
  const std::string& Text() const { return fText; }
  void SetText(const std::string& value);
  TNotifyEvent OnChange;

  // The widget reports a change the user made.
  void TextEdited(const std::string& value);

 protected:
  // For edits with a line-edit widget of their own (the spin edit), which
  // attach it themselves and report its changes through TextEdited.
  struct OwnWidget {};
  TEdit(TWinControl* parent, OwnWidget);

 private:
  std::string fText;
};

// A label: one line of text that sizes itself to the text at its font.
class TLabel : public TControl {
 public:
  explicit TLabel(TWinControl* parent);
  const std::string& Caption() const { return fCaption; }
  void SetCaption(const std::string& value);
  bool AutoSize() const { return fAutoSize; }
  void SetAutoSize(bool value);

 protected:
  void ApplyFont() override;

 private:
  void AdjustSize();
  std::string fCaption;
  bool fAutoSize = true;
};

// A panel with a single-line border; its client area lies inside the border.
class TPanel : public TWinControl {
 public:
  static constexpr int kBorderWidth = 2;
  explicit TPanel(TWinControl* parent);

 protected:
  void ApplyBounds() override;
  void ApplyColor() override;
};

// A multi-line memo. Read-only, its text can still be selected and copied.
class TMemo : public TControl {
 public:
  explicit TMemo(TWinControl* parent);
  // The lines. The memo's text is every line followed by a line break, so a
  // caret can stand on the empty line after the last one.
  const std::vector<std::string>& Lines() const { return fLines; }
  void SetLines(const std::vector<std::string>& lines);
  std::string Text() const;

  bool ReadOnly() const { return fReadOnly; }
  void SetReadOnly(bool value);
  bool WordWrap() const { return fWordWrap; }
  void SetWordWrap(bool value);
  // Scroll bars are off unless switched on.
  bool ScrollBars() const { return fScrollBars; }
  void SetScrollBars(bool value);

 protected:
  void ApplyColor() override;

 private:
  void ApplyOptions();
  std::vector<std::string> fLines;
  bool fReadOnly = false;
  bool fWordWrap = true;
  bool fScrollBars = false;
};

// An image control showing its persistent bitmap, which has the control's
// size and starts white. Drawing on the bitmap's canvas repaints the control.
//
// On a screen denser than the layout (or grabbed into a denser image) the
// control shows what OnDrawAtDensity draws, when the owner gives it: the
// same picture drawn afresh on a surface of the control's size in device
// pixels, `ratio` device pixels per bitmap pixel. It is asked again only
// after the bitmap changed or at another density, so the denser picture
// follows every change of the bitmap and costs nothing between them.
// Without it, or when it fails, the bitmap is shown enlarged by whole
// pixels.
class TImage : public TControl {
 public:
  using TDrawAtDensity = std::function<void(TBitmap& surface, double ratio)>;

  explicit TImage(TWinControl* parent);
  ~TImage() override;
  TBitmap& Bitmap() { return *fBitmap; }
  TCanvas& Canvas() { return fBitmap->Canvas(); }

  void SetOnDrawAtDensity(TDrawAtDensity draw);
  // The picture at the ratio, drawn afresh if the bitmap changed since it
  // was last drawn or the ratio or size differ; null without OnDrawAtDensity
  // or when drawing failed.
  const TBitmap* PictureAtDensity(double ratio);

 protected:
  void ApplyBounds() override;

 private:
  std::unique_ptr<TBitmap> fBitmap;
  TDrawAtDensity fDrawAtDensity;
  TBitmap fDense;
  double fDenseRatio = 0;  // 0: fDense does not show the bitmap as it is
};

}  // namespace drivesim
