// The screen readers as the tests model them: each one the set of channels it speaks,
// applied to what the listener read at each event's arrival and to what the stand-in
// UI Automation core recorded. The README's table of readers mirrors this one.
#pragma once

#include <string>
#include <vector>

#include "harness/accessibility.h"

namespace e2e {

enum Channel : unsigned {
  // A notification whose provider's host window is of the program, visible, of
  // non-zero size, the program's in the foreground; one raised on a host provider
  // from UiaHostProviderFromHwnd is heard by none.
  UiaNotification = 1,
  // EVENT_OBJECT_NAMECHANGE of a client object (CHILDID_SELF) whose window has the focus.
  NameChangeOfFocus = 2,
  // EVENT_OBJECT_LIVEREGIONCHANGED: the object's name.
  LiveRegion = 4,
  // At a dialog's start: the names of its static texts among its children, unless the
  // reader also speaks the dialog's own description and the dialog has one (NVDA's
  // Dialog gathers the text only for a dialog without a description).
  DialogText = 8,
  // At a dialog's start: the dialog's own description.
  DialogDescription = 64,
  // EVENT_SYSTEM_ALERT of an object of role ROLE_SYSTEM_ALERT only.
  AlertOnAlertRole = 16,
  // The MSAA name changes and live regions of a window that answers UiaRootObjectId
  // are dropped, unless its class is Edit or Button.
  UiaWindowDropsMsaa = 32,
};

struct Reader {
  const char* name;
  unsigned channels;
  bool before1709;  // applies where the program finds no UiaRaiseNotificationEvent
  bool from1709;    // applies where it does (with the stand-in)
};

extern const std::vector<Reader> Readers;

// Whether the stand-in's notification `call` was raised on a provider of the program's
// own whose host window is the program's, visible and of non-zero size.
bool OnOwnShownWindow(const UiaCall& call);

// What `reader` speaks, in the order it came.
std::vector<std::string> Heard(const Reader& reader, const std::vector<AccessibleEvent>& events,
                               const std::vector<UiaCall>& calls);

}  // namespace e2e
