#include "forms/rgles.h"

#include "forms/controls/edit.h"

Tregles* regles = nullptr;

Tregles::Tregles() : TForm("Tregles") {
  LoadDescription({
      {"FormActivate", [this](TObject& s) { FormActivate(s); }, {}, {}},
  });
  Mquorl = &Field<TMemo>("Mquorl");
}

void Tregles::FormActivate(TObject&) { Mquorl->SetColor(GameBlue); }
