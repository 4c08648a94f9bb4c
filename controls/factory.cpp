#include "controls/factory.h"

#include "base/errors.h"
#include "base/format.h"
#include "base/platform.h"
#include "controls/edit.h"
#include "controls/image.h"
#include "controls/label.h"
#include "controls/listbox.h"
#include "controls/menu.h"
#include "res/strings.h"

std::unique_ptr<TComponent> CreateComponent(const std::string& className, ControlHost& host) {
  if (className == "TEdit") return std::make_unique<TEdit>(host);
  if (className == "TMemo") return std::make_unique<TMemo>(host);
  if (className == "TListBox") return std::make_unique<TListBox>(host);
  if (className == "TLabel") return std::make_unique<TLabel>(host);
  if (className == "TImage") return std::make_unique<TImage>(host);
  if (className == "TMainMenu") return std::make_unique<TMainMenu>();
  if (className == "TMenuItem") return std::make_unique<TMenuItem>();
  throw EReadError(FormatText(LoadText(IDS_CLASS_NOT_FOUND), {className}));
}
