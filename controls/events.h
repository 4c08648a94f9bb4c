#pragma once
// Event types of the windows and their controls, and the binder through which a
// window description names the handler of each event.
#include <windows.h>

#include <functional>
#include <string>

class TObject {
public:
  virtual ~TObject() = default;
};

using TShiftState = unsigned;
constexpr TShiftState ssShift = 1;
constexpr TShiftState ssAlt = 2;
constexpr TShiftState ssCtrl = 4;

// The shift keys held while the current message was sent.
TShiftState KeyboardShiftState();

enum class TCloseAction { caNone, caHide, caFree, caMinimize };

using TNotifyEvent = std::function<void(TObject& sender)>;
using TKeyEvent = std::function<void(TObject& sender, WORD& key, TShiftState shift)>;
using TCloseEvent = std::function<void(TObject& sender, TCloseAction& action)>;

// Handlers by name: each window class offers its methods under their names. A name
// that the window lacks, or a method of another shape, raises InvalidPropertyValue.
class EventBinder {
public:
  virtual ~EventBinder() = default;
  virtual TNotifyEvent NotifyHandler(const std::string& name) const = 0;
  virtual TKeyEvent KeyHandler(const std::string& name) const = 0;
  virtual TCloseEvent CloseHandler(const std::string& name) const = 0;
};
