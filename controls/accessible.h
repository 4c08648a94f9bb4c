#pragma once
// What screen readers and other assistive technology read of a control, beyond what
// the platform's standard object tells: the control's name and, where the platform's
// does not fit, its role. The platform's accessibility library is loaded only when a
// client first asks for an object, never at start-up.
#include <windows.h>

#include <string>

struct AccessibleDescription {
  std::string name;       // code page 1252; empty: the platform's
  LONG role = 0;          // a ROLE_SYSTEM_ value; 0: the platform's
  bool readOnly = false;  // text that the user cannot change
  bool IsEmpty() const { return name.empty() && role == 0 && !readOnly; }
};

// The answer to WM_GETOBJECT: for the client area, an object that tells
// `description` over the platform's standard one; otherwise 0, the platform's answer.
// The lines of a list (role ROLE_SYSTEM_LIST) are its children, named by their text.
LRESULT AnswerGetObject(HWND window, WPARAM flags, LPARAM objectId,
                        const AccessibleDescription& description);

// Tells assistive technology that `text` appeared, to be read out at once, in one
// voice: where the platform has it and a screen reader runs, the notification of newer
// systems carrying `text` itself; otherwise `event` for child `child` of the window's
// client object, whose name is `text` when a reader asks for it later.
void Announce(DWORD event, HWND window, LONG child, const std::string& text);
