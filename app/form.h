#pragma once
// A top-level window of the program, built from the stored description named after
// its class. It carries the focus bookkeeping that decides when OnActivate fires, the
// show, hide and close rules, modal showing, and the window-level meaning of Tab,
// the arrow keys, Enter and Escape.
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "controls/control.h"
#include "controls/events.h"
#include "controls/factory.h"

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

using TCloseQueryEvent = std::function<void(TObject& sender, bool& canClose)>;

// One method of a window class under the name that descriptions use.
struct HandlerEntry {
  std::string name;
  std::variant<TNotifyEvent, TKeyEvent, TCloseEvent> handler;
};

// A window's method offered under its name: Handler("BitBtn1Click", this, &Tquorl::BitBtn1Click).
template <class Form, class... Args>
HandlerEntry Handler(std::string name, Form* form, void (Form::*method)(Args...)) {
  return {std::move(name),
          std::function<void(Args...)>([form, method](Args... args) { (form->*method)(args...); })};
}

class TForm : public TWinControl, public EventBinder, public ControlHost {
public:
  // `className` is the window class and the name of the description resource.
  explicit TForm(std::string className);
  ~TForm() override;

  const std::string& ClassName() const { return className_; }

  std::string Caption() const;
  void SetCaption(const std::string& caption);
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState state);
  // Records the state without applying it to the platform window (minimised start).
  void RecordWindowState(TWindowState state) { windowState_ = state; }
  unsigned BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(unsigned icons) { borderIcons_ = icons; }
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style) { borderStyle_ = style; }

  // Show and hide (a change of Visible).
  void SetVisible(bool visible) override;
  void Show();
  void Hide();
  int ShowModal();
  // The close request.
  void Close();
  bool CloseQuery();

  int ModalResult() const { return modalResult_; }
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);

  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseQueryEvent OnCloseQuery;
  TCloseEvent OnClose;

  // ControlHost: what the window's controls reach of it.
  TWinControl& HostWindow() override { return *this; }
  bool Loading() const override { return loading_; }
  void Realign() override;
  // Runs when `control` (or the window itself) receives the platform focus.
  bool FocusBookkeeping(TWinControl& control) override;
  bool FormDialogKey(WORD key, TShiftState shift) override;
  void SetModalResult(int result) override { modalResult_ = result; }
  ErrorReporter& Reporter() override;

  TComponent* FindComponent(const std::string& name) const;

  TNotifyEvent NotifyHandler(const std::string& name) const override;
  TKeyEvent KeyHandler(const std::string& name) const override;
  TCloseEvent CloseHandler(const std::string& name) const override;
  bool ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) override;

  void SetIconName(std::string name) { iconName_ = std::move(name); }
  void SetMenuName(std::string name) { menuName_ = std::move(name); }

protected:
  // Reads the description named after the class: properties, controls made by
  // `create` and handler bindings. Raises EResNotFound when the program holds none,
  // EReadError when it cannot be read.
  void LoadDescription(ComponentFactory create, std::vector<HandlerEntry> handlers);
  // Names the controls for screen readers: each control's name, a string table entry.
  struct AccessibleName {
    const char* control;
    UINT text;
  };
  void NameControls(std::initializer_list<AccessibleName> names);
  // The control of that name and class; EReadError when the description lacks it.
  template <class T>
  T& Field(const std::string& name) const {
    if (auto* found = dynamic_cast<T*>(FindComponent(name))) return *found;
    MissingField(name);
  }

  void FillParams(WindowParams& params) override;
  void HandleCreated() override;
  HWND ParentHandle() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The window's colour, then the controls without a window of their own.
  void EraseBackground(HDC dc) override;
  void PaintClient(HDC dc) override;
  void ColorChanged() override;
  void FontChanged() override;

private:
  [[noreturn]] static void MissingField(const std::string& name);
  void LoadChild(ComponentFactory create, TComponent& parent, const DescriptionObject& description);
  void ApplyProperties(TComponent& component, const std::vector<DescriptionProperty>& properties);
  void ResolveReferences();
  static void RegisterWindowClass(const std::string& className);

  void TellDialog(DWORD event) noexcept;
  void SendActivateNotice();
  void SendDeactivateNotice();
  void HandleActivate(WPARAM wParam);
  void HideWindow(HWND window);
  int ShowCommand() const;
  void BringToFront();
  void CloseModal();
  void DoClose(TCloseAction& action);
  std::vector<TWinControl*> TabList() const;
  TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const;
  void SelectNext(TWinControl* current, bool forward, bool checkTabStop);
  void TrackPlacement();
  // Realises the first picture's palette; true when the screen's colours changed.
  bool RealizePicturePalette(bool background);

  // The window's messages, as WindowProc's table names them.
  MessageResult WmActivate(const WindowMessage& message);
  MessageResult WmSetFocus(const WindowMessage& message);
  MessageResult WmClose(const WindowMessage& message);
  MessageResult WmGetObject(const WindowMessage& message);
  MessageResult WmQueryEndSession(const WindowMessage& message);
  MessageResult WmSysCommand(const WindowMessage& message);
  MessageResult WmPaint(const WindowMessage& message);
  MessageResult WmSize(const WindowMessage& message);
  MessageResult WmMove(const WindowMessage& message);
  MessageResult WmQueryNewPalette(const WindowMessage& message);
  MessageResult WmPaletteChanged(const WindowMessage& message);
  MessageResult WmCommand(const WindowMessage& message);
  MessageResult WmDrawItem(const WindowMessage& message);
  MessageResult WmControlColor(const WindowMessage& message);

  std::string className_;
  std::string caption_;  // until the platform window exists
  bool loading_ = false;
  bool visibleRequested_ = false;
  TWindowState windowState_ = TWindowState::wsNormal;
  unsigned borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
  std::string iconName_;
  std::string menuName_;
  std::vector<HandlerEntry> handlers_;
  std::vector<std::unique_ptr<TComponent>> components_;  // creation order
  std::vector<TControl*> controls_;                      // child order
  TWinControl* activeControl_ = nullptr;
  bool windowActive_ = false;
  bool modal_ = false;
  bool showingChange_ = false;
  int modalResult_ = mrNone;
};
