#include "forms/rgles.h"

#include "controls/edit.h"
#include "forms/components.h"

Tregles* regles = nullptr;

Tregles::Tregles() : TForm("Tregles") {
  LoadDescription(CreateWindowComponent, {
      Handler("FormActivate", this, &Tregles::FormActivate),
  });
  Mquorl = &Field<TMemo>("Mquorl");
}

void Tregles::FormActivate(TObject&) { Mquorl->SetColor(GameBlue); }
