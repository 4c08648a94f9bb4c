#pragma once
// The best-scores window: the list, the name box under its prompt, the hidden index
// box and the two picture buttons. This program creates it, colours it, and never
// shows it.
#include "app/form.h"

class TEdit;
class TListBox;

class Tscore1 : public TForm {
public:
  Tscore1();

  TEdit* Edit1 = nullptr;        // name box
  TListBox* ListBox1 = nullptr;  // best scores
  TEdit* edit2 = nullptr;        // prompt
  TEdit* Edit3 = nullptr;        // index box

  void Edit1Change(TObject& sender);
  void FormClose(TObject& sender, TCloseAction& action);
  void BitBtn2Click(TObject& sender);
};

extern Tscore1* score1;
