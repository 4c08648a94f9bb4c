#include "forms/message.h"

#include <oleacc.h>

#include "controls/accessible.h"
#include "controls/label.h"
#include "forms/components.h"
#include "res/strings.h"

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
  NameControls({{"BitBtn1", IDS_OK_CAPTION}});
  SetAccessibleRole(ROLE_SYSTEM_DIALOG);
}

void Tmessa::FormActivate(TObject&) {
  Label1->SetColor(Color());
  SetWidth(Label1->Width() + LabelWidthMargin);
}

// Screen readers read the message as the dialog opens, once: the dialog describes
// itself by it, and a reader that gathers the dialog's text finds it in the label.
AccessibleDescription Tmessa::Accessible() const {
  AccessibleDescription description = TForm::Accessible();
  description.description = Label1->Caption();
  return description;
}

void Tmessa::BitBtn1Click(TObject&) { Close(); }
