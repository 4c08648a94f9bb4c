#pragma once
// What screen readers and other assistive technology read of a control, beyond what
// the platform's standard object tells: the control's name and, where the platform's
// does not fit, its role. The platform's accessibility library is loaded only when a
// client first asks for an object, never at start-up.
#include <windows.h>

#include <memory>
#include <string>

struct AccessibleDescription {
  std::string name;         // code page 1252; empty: the platform's
  LONG role = 0;            // a ROLE_SYSTEM_ value; 0: the platform's
  bool readOnly = false;    // text that the user cannot change
  std::string description;  // empty: the platform's
  bool IsEmpty() const { return name.empty() && role == 0 && !readOnly && description.empty(); }
};

// What the objects answered for a window tell of it, asked again at every call, so
// that a client holding an object reads the control as it is now.
class AccessibleSource {
public:
  virtual AccessibleDescription Accessible() const = 0;

protected:
  ~AccessibleSource() = default;
};

struct AccessibleState;

// Ties a window to the objects answered for it, from its creation to its destruction.
class AccessibleLink {
public:
  AccessibleLink() = default;
  ~AccessibleLink() { Disconnect(); }
  AccessibleLink(const AccessibleLink&) = delete;
  AccessibleLink& operator=(const AccessibleLink&) = delete;

  // `window` was made; its objects tell what `source` describes.
  void Connect(HWND window, const AccessibleSource& source);
  // The window goes: every object answered for it answers CO_E_OBJNOTCONNECTED from
  // now on, as the platform asks of a server whose object is gone.
  void Disconnect() noexcept;
  // The focus left the window: it has its own name again, whatever an announcement
  // lent it.
  void FocusLeft() noexcept;
  // The answer to WM_GETOBJECT: for the client area, an object over the platform's
  // standard one; otherwise 0, the platform's answer. The lines of a list (role
  // ROLE_SYSTEM_LIST) are its children, named by their text.
  LRESULT AnswerGetObject(WPARAM flags, LPARAM objectId) const;

private:
  std::shared_ptr<AccessibleState> state_;
};

// Tells screen readers that `text` appeared, to be read out once, without moving the
// focus: as a UI Automation notification where the platform has it and the reader
// hooked into the program does not ignore it; otherwise as the new name of the object
// that has the focus, which keeps it until the focus leaves (README, "Accessibility").
void Announce(const std::string& text);
