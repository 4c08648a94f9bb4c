#pragma once
// The base of every component of a window: a name, the properties that a window
// description can set, and for controls their place, colour and font. Windowed
// controls own a platform window and handle its messages through one procedure.
#include <windows.h>

#include <string>
#include <utility>

#include "base/color.h"
#include "controls/accessible.h"
#include "controls/description.h"
#include "controls/events.h"
#include "controls/font.h"
#include "controls/guard.h"
#include "controls/handles.h"
#include "controls/message_target.h"

class TWinControl;

// Modal results: what ends a modal showing of a window (SetModalResult), none while
// it goes on.
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;

// The window that holds a control, as its controls reach it. The shell's window class
// implements it; the controls know nothing else of it.
class ControlHost {
public:
  // The window itself, as the control whose colour and font its controls take.
  virtual TWinControl& HostWindow() = 0;
  // True while the window's description is read.
  virtual bool Loading() const = 0;
  // Places the controls aligned to the client area.
  virtual void Realign() = 0;
  // `control` received the platform focus; false when a notice moved the focus
  // elsewhere before the bookkeeping completed.
  virtual bool FocusBookkeeping(TWinControl& control) = 0;
  // A key that the focused control does not claim; true when it was consumed.
  virtual bool FormDialogKey(WORD key, TShiftState shift) = 0;
  // The result that ends a modal showing of the window.
  virtual void SetModalResult(int result) = 0;
  // Whoever shows the errors of the window's handlers.
  virtual ErrorReporter& Reporter() = 0;

protected:
  ~ControlHost() = default;
};

class TComponent : public TObject {
public:
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  // Applies one property of the window description; false when the class has none
  // of that name.
  virtual bool ApplyProperty(const DescriptionProperty& property, const EventBinder& binder);
  // Takes a component that the description nests inside this one; false when this
  // component holds none.
  virtual bool InsertChild(TComponent& child);
  // Runs once the whole description has been read.
  virtual void Loaded() {}

private:
  std::string name_;
};

enum class TAlign { alNone, alClient };

class TControl : public TComponent {
public:
  explicit TControl(ControlHost& host) : host_(host) {}

  ControlHost& Host() const { return host_; }

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
  void SetTop(int top) { SetBounds(left_, top, width_, height_); }
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // The colour the control paints with: its parent's while ParentColor holds.
  TColor Color() const;
  void SetColor(TColor color);
  void SetParentColor(bool parentColor);

  // The font the control draws with: its parent's while ParentFont holds.
  const TFont& Font() const;
  TFont& EditFont();  // changes follow through FontEdited()
  void FontEdited();
  void SetParentFont(bool parentFont);
  HFONT FontHandle() const;

  // Notices from the window when its own colour or font changes.
  void ParentColorChanged();
  void ParentFontChanged();

  virtual bool IsWindowed() const { return false; }
  // Controls without a window of their own are painted by their window.
  virtual void Paint(HDC /*dc*/) {}

  bool ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) override;

protected:
  virtual void BoundsChanged() {}
  virtual void ColorChanged() { Invalidate(); }
  virtual void FontChanged() { Invalidate(); }
  virtual void VisibleChanged() { Invalidate(); }
  virtual void EnabledChanged() {}
  virtual void Invalidate();
  bool Loading() const;
  // Record a state that the platform window already has.
  void StoreVisible(bool visible) { visible_ = visible; }
  void StoreBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
  }

  bool parentColor_ = false;
  bool parentFont_ = true;
  TColor color_ = clBtnFace;

private:
  ControlHost& host_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = TAlign::alNone;
  bool visible_ = true;
  bool enabled_ = true;
  TFont font_;
  mutable UniqueFont fontHandle_;
};

// Creation arguments of a control's platform window.
struct WindowParams {
  const char* className = nullptr;  // a platform class ("EDIT"...) or the window's own
  bool platformClass = true;        // platform classes are subclassed after creation
  DWORD style = 0;
  DWORD exStyle = 0;
  std::string caption;
};

class TWinControl : public TControl, public MessageTarget, public AccessibleSource {
public:
  using TControl::TControl;
  ~TWinControl() override;
  TWinControl(const TWinControl&) = delete;
  TWinControl& operator=(const TWinControl&) = delete;

  // The platform window, created on first need.
  HWND Handle();
  // The platform window if it exists, null before it is created.
  HWND HandleIfCreated() const { return handle_; }
  // Destroys the platform window without running this object's handlers for it.
  void DestroyHandle();

  bool IsWindowed() const override { return true; }
  // Whether this kind of control ever takes the focus (labels never do).
  virtual bool Focusable() const { return true; }
  // Visible and enabled, inside a visible and enabled window.
  bool CanFocus() const;
  void SetFocus();
  // Repaints the control at once.
  void Repaint();
  virtual bool IsPushButton() const { return false; }

  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int order) { tabOrder_ = order; }
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool tabStop) { tabStop_ = tabStop; }

  TKeyEvent OnKeyDown;

  // What screen readers tell of the control besides the platform's own answers.
  void SetAccessibleName(std::string name) { accessible_.name = std::move(name); }
  void SetAccessibleRole(LONG role) { accessible_.role = role; }
  AccessibleDescription Accessible() const override { return accessible_; }
  // The role alone, without copying the name: for code that must not throw.
  LONG AccessibleRole() const noexcept { return accessible_.role; }

  // Keyboard pre-processing: the event loop offers key messages here before they are
  // dispatched; true consumes the message.
  virtual bool PreProcessKey(const MSG& message);
  // Enter, Escape and the other dialog keys that the window offers its controls.
  virtual bool DialogKey(WORD /*key*/, TShiftState /*shift*/) { return false; }
  // The window's notice that the focus moved to `focused` (push buttons follow it).
  virtual void FocusChanged(TWinControl& /*focused*/) {}

  // Notifications that the parent window passes on to the control they concern.
  virtual void CommandNotified(WORD /*code*/) {}
  virtual bool DrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
  virtual HBRUSH ControlColor(HDC dc);

  // Our control behind a window of this program, or none.
  static TWinControl* FromHandle(HWND window);

  bool ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) override;

protected:
  virtual void FillParams(WindowParams& params);
  // Pushes the object's state into a newly created platform window.
  virtual void HandleCreated();
  virtual HWND ParentHandle();
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);
  // The one paint path of the windows that paint themselves, for WM_ERASEBKGND,
  // WM_PAINT and WM_PRINTCLIENT: the last draws both the background and the client
  // area, so that the window can also be drawn into a bitmap.
  LRESULT PaintMessage(UINT message, WPARAM wParam);
  virtual void EraseBackground(HDC /*dc*/) {}
  virtual void PaintClient(HDC /*dc*/) {}
  // The solid brush of the control's colour, made again when the colour changes.
  HBRUSH ColorBrush();
  // The control's WM_GETDLGCODE answer, as the dialog keys see it.
  virtual UINT DialogCode();

  void BoundsChanged() override;
  void ColorChanged() override;
  void FontChanged() override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void Invalidate() override;

  ErrorReporter& Reporter() override { return Host().Reporter(); }
  TObject& Sender() override { return *this; }
  void Attached(HWND window) override { handle_ = window; }
  void Destroyed() override { Detach(); }

private:
  void CreateHandle();
  void Detach();

  HWND handle_ = nullptr;
  WNDPROC platformProc_ = nullptr;
  int tabOrder_ = -1;
  bool tabStop_ = true;
  UniqueBrush brush_;
  COLORREF brushColor_ = 0;
  bool changingFocus_ = false;
  AccessibleDescription accessible_;
  AccessibleLink accessibleLink_;

public:
  // Set while the focus bookkeeping runs for this control.
  bool ChangingFocus() const { return changingFocus_; }
  void SetChangingFocus(bool changing) { changingFocus_ = changing; }
};
