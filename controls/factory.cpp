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

namespace {

const ComponentClass LibraryClasses[] = {
    {"TEdit", Create<TEdit>},          // a one-line text box
    {"TMemo", Create<TMemo>},          // a text box of several lines
    {"TListBox", Create<TListBox>},    // a list of lines
    {"TLabel", Create<TLabel>},        // a caption
    {"TImage", Create<TImage>},        // a picture without a window of its own
    {"TMainMenu", Create<TMainMenu>},  // the menu bar
    {"TMenuItem", Create<TMenuItem>},  // one item of it, or of a submenu
};

}  // namespace

std::unique_ptr<TComponent> CreateComponent(const std::string& className, ControlHost& host) {
  if (auto component = CreateNamed(LibraryClasses, className, host)) return component;
  throw EReadError(FormatText(LoadText(IDS_CLASS_NOT_FOUND), {className}));
}
