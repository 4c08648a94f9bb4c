#include "forms/rgles.h"

#include <oleacc.h>

#include "controls/edit.h"
#include "forms/components.h"
#include "res/strings.h"

Tregles* regles = nullptr;

Tregles::Tregles() : TForm("Tregles") {
  std::vector<HandlerEntry> handlers = {
      Handler("FormActivate", this, &Tregles::FormActivate),
  };
  LoadDescription(CreateWindowComponent, std::move(handlers));
  Mquorl = &Field<TMemo>("Mquorl");
  NameControls({{"Mquorl", IDS_NAME_RULES_TEXT}, {"BitBtn1", IDS_OK_CAPTION}});
  SetAccessibleRole(ROLE_SYSTEM_DIALOG);
}

void Tregles::FormActivate(TObject&) { Mquorl->SetColor(GameBlue); }
