#include "harness/readers.h"

#include <oleacc.h>

#include <algorithm>
#include <utility>

namespace e2e {

// From NVDA's source (IAccessibleHandler, UIAHandler, behaviors.Dialog), Microsoft's
// pages on UI Automation notifications, and OSARA's account of JAWS.
const std::vector<Reader> Readers{
    {"NVDA, Windows 10 1709 and later, 11",
     UiaNotification | NameChangeOfFocus | LiveRegion | DialogText | DialogDescription |
         AlertOnAlertRole | UiaWindowDropsMsaa,
     false, true},
    {"NVDA, Windows 7, 8.1, 10 before 1709",
     NameChangeOfFocus | LiveRegion | DialogText | DialogDescription | AlertOnAlertRole |
         UiaWindowDropsMsaa,
     true, false},
    // Where JAWS runs, its hook library is in the program, which then takes the name
    // change: the run without the stand-in shows it (no JAWS library under wine).
    {"JAWS", NameChangeOfFocus | DialogText, true, false},
    {"Narrator, Windows 10 1709 and later, 11",
     UiaNotification | NameChangeOfFocus | DialogDescription, false, true},
    {"a reader that reads no dialog text",
     UiaNotification | NameChangeOfFocus | LiveRegion | AlertOnAlertRole | DialogDescription, true,
     true},
};

bool OnOwnShownWindow(const UiaCall& call) {
  return call.Field("host") == "own" && call.Field("ours") == "1" && call.Field("visible") == "1" &&
         call.Field("width") != "0" && call.Field("height") != "0";
}

std::vector<std::string> Heard(const Reader& reader, const std::vector<AccessibleEvent>& events,
                               const std::vector<UiaCall>& calls) {
  const auto speaks = [&](Channel channel) { return (reader.channels & channel) != 0; };
  std::vector<std::pair<long long, std::string>> heard;
  for (const AccessibleEvent& event : events) {
    const bool dropped = speaks(UiaWindowDropsMsaa) && event.uiaWindow &&
                         event.windowClass != "Edit" && event.windowClass != "Button";
    const bool spoken =
        (event.event == EVENT_OBJECT_NAMECHANGE && speaks(NameChangeOfFocus) && !dropped &&
         event.focused && event.objectId == OBJID_CLIENT && event.child == CHILDID_SELF) ||
        (event.event == EVENT_OBJECT_LIVEREGIONCHANGED && speaks(LiveRegion) && !dropped) ||
        (event.event == EVENT_SYSTEM_ALERT && speaks(AlertOnAlertRole) &&
         event.object.role == ROLE_SYSTEM_ALERT);
    if (spoken) heard.emplace_back(event.time, event.object.name);
    if (event.event != EVENT_SYSTEM_DIALOGSTART) continue;
    const std::string& description = event.object.description;
    if (speaks(DialogDescription) && !description.empty()) {
      heard.emplace_back(event.time, description);
    } else if (speaks(DialogText)) {
      for (const std::string& text : event.dialogTexts) heard.emplace_back(event.time, text);
    }
  }
  for (const UiaCall& call : calls) {
    if (call.kind == "notify" && speaks(UiaNotification) && OnOwnShownWindow(call) &&
        call.Field("foreground") == "1") {
      heard.emplace_back(std::stoll(call.Field("time")), call.Field("text"));
    }
  }
  std::stable_sort(heard.begin(), heard.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> texts;
  for (auto& [time, text] : heard) texts.push_back(std::move(text));
  return texts;
}

}  // namespace e2e
