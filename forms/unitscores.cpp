#include "forms/unitscores.h"

#include "controls/edit.h"
#include "controls/listbox.h"
#include "forms/components.h"
#include "game/scores_list.h"
#include "res/strings.h"

Tscore1* score1 = nullptr;

namespace {

// The list box's lines as the best-scores rules see them.
class ListBoxLines : public ScoresLines {
public:
  explicit ListBoxLines(TListBox& list) : list_(list) {}
  int Count() const override { return list_.Count(); }
  std::string Line(int index) const override { return list_.Item(index); }
  void Insert(int index, const std::string& line) override { list_.Insert(index, line); }
  void Delete(int index) override { list_.Delete(index); }

private:
  TListBox& list_;
};

}  // namespace

Tscore1::Tscore1() : TForm("Tscore1") {
  std::vector<HandlerEntry> handlers = {
      Handler("Edit1Change", this, &Tscore1::Edit1Change),
      Handler("FormClose", this, &Tscore1::FormClose),
      Handler("BitBtn2Click", this, &Tscore1::BitBtn2Click),
  };
  LoadDescription(CreateWindowComponent, std::move(handlers));
  Edit1 = &Field<TEdit>("Edit1");
  ListBox1 = &Field<TListBox>("ListBox1");
  edit2 = &Field<TEdit>("edit2");
  Edit3 = &Field<TEdit>("Edit3");
  NameControls({{"Edit1", IDS_NAME_PLAYER},
                {"ListBox1", IDS_NAME_SCORES},
                {"BitBtn1", IDS_NAME_CLOSE},
                {"edit2", IDS_NAME_PROMPT},
                {"BitBtn2", IDS_NAME_CLEAR_SCORES}});
}

void Tscore1::Edit1Change(TObject&) {
  ListBoxLines lines(*ListBox1);
  ApplyScoresName(lines, Edit3->Text(), Edit1->Text());
}

void Tscore1::FormClose(TObject&, TCloseAction&) {
  Edit1->SetVisible(true);
  edit2->SetVisible(true);
}

void Tscore1::BitBtn2Click(TObject&) {
  while (ListBox1->Count() > 0) ListBox1->Delete(0);
  ListBox1->Update();
  Edit1->SetVisible(true);
  edit2->SetVisible(true);
  Close();
}
