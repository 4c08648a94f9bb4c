#pragma once
// The message dialog: the congratulation line and its OK button. Its width follows
// the line at every activation.
#include "app/form.h"

class TLabel;

class Tmessa : public TForm {
public:
  Tmessa();

  TLabel* Label1 = nullptr;

  void FormActivate(TObject& sender);
  void BitBtn1Click(TObject& sender);

  AccessibleDescription Accessible() const override;
};

extern Tmessa* messa;
