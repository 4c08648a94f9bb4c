#include "forms/message.h"

#include "controls/label.h"
#include "forms/components.h"

Tmessa* messa = nullptr;

// The label starts 10 pixels inside the client area; 30 pixels leave room for the
// frame and a margin on the right.
constexpr int LabelWidthMargin = 30;

Tmessa::Tmessa() : TForm("Tmessa") {
  std::vector<HandlerEntry> handlers = {
      Handler("FormActivate", this, &Tmessa::FormActivate),
      Handler("BitBtn1Click", this, &Tmessa::BitBtn1Click),
  };
  LoadDescription(CreateWindowComponent, std::move(handlers));
  Label1 = &Field<TLabel>("Label1");
}

void Tmessa::FormActivate(TObject&) {
  Label1->SetColor(Color());
  SetWidth(Label1->Width() + LabelWidthMargin);
}

void Tmessa::BitBtn1Click(TObject&) { Close(); }
