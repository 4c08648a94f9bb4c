#pragma once
// The main window: the painted street, the history list on the billboard, the guess
// box, the attempt counter and the three picture buttons. It is the game's board.
#include "app/form.h"
#include "game/board.h"

class TEdit;
class TListBox;

class Tquorl : public TForm, public GameBoard {
public:
  Tquorl();

  TEdit* Edit1 = nullptr;        // guess box
  TListBox* ListBox1 = nullptr;  // history list
  TEdit* Edit2 = nullptr;        // counter box

  // Handlers bound by name in the description.
  void FormActivate(TObject& sender);
  void Edit1KeyDown(TObject& sender, WORD& key, TShiftState shift);
  void BitBtn1Click(TObject& sender);
  void Rgles1Click(TObject& sender);
  void Quitter1Click(TObject& sender);

  // GameBoard
  std::string GuessText() const override;
  void SetGuessText(const std::string& text) override;
  void RepaintGuess() override;
  int HistoryCount() const override;
  void AppendHistory(const std::string& line) override;
  void DeleteFirstHistoryLine() override;
  void AnnounceLastHistoryLine() override;
  void SetCounterText(const std::string& text) override;
  void RepaintCounter() override;
  void SetCongratulation(const std::string& text) override;
  void ShowCongratulation() override;
  void SetMessageColor(TColor color) override;
  void SetScoresColor(TColor color) override;
};

extern Tquorl* quorl;
