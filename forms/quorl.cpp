#include "forms/quorl.h"

#include "controls/accessible.h"

#include "controls/edit.h"
#include "controls/label.h"
#include "controls/listbox.h"
#include "forms/components.h"
#include "forms/message.h"
#include "forms/rgles.h"
#include "forms/unitscores.h"
#include "game/game.h"
#include "res/strings.h"

Tquorl* quorl = nullptr;

Tquorl::Tquorl() : TForm("Tquorl") {
  std::vector<HandlerEntry> handlers = {
      Handler("FormActivate", this, &Tquorl::FormActivate),
      Handler("Edit1KeyDown", this, &Tquorl::Edit1KeyDown),
      Handler("BitBtn1Click", this, &Tquorl::BitBtn1Click),
      Handler("Rgles1Click", this, &Tquorl::Rgles1Click),
      Handler("Quitter1Click", this, &Tquorl::Quitter1Click),
  };
  LoadDescription(CreateWindowComponent, std::move(handlers));
  Edit1 = &Field<TEdit>("Edit1");
  ListBox1 = &Field<TListBox>("ListBox1");
  Edit2 = &Field<TEdit>("Edit2");
  NameControls({{"Edit1", IDS_NAME_GUESS},
                {"ListBox1", IDS_NAME_HISTORY},
                {"Edit2", IDS_NAME_COUNTER},
                {"BitBtn3", IDS_NAME_START},
                {"BitBtn4", IDS_NAME_RULES},
                {"BitBtn5", IDS_NAME_QUIT}});
}

void Tquorl::FormActivate(TObject&) { NewGame(*this); }

void Tquorl::Edit1KeyDown(TObject& sender, WORD& key, TShiftState) {
  if (key == VK_RETURN) BitBtn1Click(sender);
}

void Tquorl::BitBtn1Click(TObject&) { EvaluateGuess(*this); }

void Tquorl::Rgles1Click(TObject&) {
  regles->SetColor(messa->Color());
  regles->Mquorl->SetVisible(true);
  regles->ShowModal();
  regles->Mquorl->SetVisible(false);
}

void Tquorl::Quitter1Click(TObject&) { Close(); }

std::string Tquorl::GuessText() const { return Edit1->Text(); }
void Tquorl::SetGuessText(const std::string& text) { Edit1->SetText(text); }
void Tquorl::RepaintGuess() { Edit1->Repaint(); }
int Tquorl::HistoryCount() const { return ListBox1->Count(); }
void Tquorl::AppendHistory(const std::string& line) { ListBox1->Add(line); }
void Tquorl::DeleteFirstHistoryLine() { ListBox1->Delete(0); }
// The verdict is read out without the player leaving the guess box.
void Tquorl::AnnounceLastHistoryLine() {
  const int count = ListBox1->Count();
  if (count > 0) Announce(ListBox1->Item(count - 1));
}
void Tquorl::SetCounterText(const std::string& text) { Edit2->SetText(text); }
void Tquorl::RepaintCounter() { Edit2->Repaint(); }
void Tquorl::SetCongratulation(const std::string& text) { messa->Label1->SetCaption(text); }
void Tquorl::ShowCongratulation() { messa->ShowModal(); }
void Tquorl::SetMessageColor(TColor color) { messa->SetColor(color); }
void Tquorl::SetScoresColor(TColor color) { score1->SetColor(color); }
