#include "forms/rgles.h"

#include "controls/edit.h"
#include "forms/components.h"

Tregles* regles = nullptr;

Tregles::Tregles() : TForm("Tregles") {
  std::vector<HandlerEntry> handlers = {
      Handler("FormActivate", this, &Tregles::FormActivate),
  };
  LoadDescription(CreateWindowComponent, std::move(handlers));
  Mquorl = &Field<TMemo>("Mquorl");
}

void Tregles::FormActivate(TObject&) { Mquorl->SetColor(GameBlue); }
