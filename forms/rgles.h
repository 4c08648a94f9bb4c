#pragma once
// The rules dialog, shared with the other games of the collection: each game has its
// rules memo; this program shows Mquorl only.
#include "app/form.h"

class TMemo;

class Tregles : public TForm {
public:
  Tregles();

  TMemo* Mquorl = nullptr;

  void FormActivate(TObject& sender);
};

extern Tregles* regles;
