#include "forms/controls/factory.h"

#include "forms/bitbtn.h"
#include "forms/controls/edit.h"
#include "forms/controls/image.h"
#include "forms/controls/label.h"
#include "forms/controls/listbox.h"
#include "forms/controls/menu.h"
#include "game/errors.h"

std::unique_ptr<TComponent> CreateComponent(const std::string& className, TForm& form) {
  if (className == "TEdit") return std::make_unique<TEdit>(form);
  if (className == "TMemo") return std::make_unique<TMemo>(form);
  if (className == "TListBox") return std::make_unique<TListBox>(form);
  if (className == "TLabel") return std::make_unique<TLabel>(form);
  if (className == "TImage") return std::make_unique<TImage>(form);
  if (className == "TBitBtn") return std::make_unique<TBitBtn>(form);
  if (className == "TMainMenu") return std::make_unique<TMainMenu>();
  if (className == "TMenuItem") return std::make_unique<TMenuItem>();
  throw EReadError("Classe " + className + " non trouvée");
}
