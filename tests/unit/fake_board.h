#pragma once
// A board without windows: it records what the rules write and when they repaint.
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "game/board.h"

class FakeBoard : public GameBoard {
public:
  std::string guess;
  std::deque<std::string> history;
  std::string counter = "0";
  std::string congratulation;
  std::vector<std::string> shownCongratulations;
  int guessRepaints = 0;
  int counterRepaints = 0;
  TColor messageColor = 0;
  TColor scoresColor = 0;
  // What the history held while the congratulation was up.
  std::deque<std::string> historyAtCongratulation;
  std::string counterAtCongratulation;
  // Each announcement: how many lines the history held, and its last one.
  std::vector<std::pair<std::size_t, std::string>> announced;

  std::string GuessText() const override { return guess; }
  void SetGuessText(const std::string& text) override { guess = text; }
  void RepaintGuess() override { ++guessRepaints; }
  int HistoryCount() const override { return static_cast<int>(history.size()); }
  void AppendHistory(const std::string& line) override { history.push_back(line); }
  void DeleteFirstHistoryLine() override { history.pop_front(); }
  void AnnounceLastHistoryLine() override {
    announced.emplace_back(history.size(), history.back());
  }
  void SetCounterText(const std::string& text) override { counter = text; }
  void RepaintCounter() override { ++counterRepaints; }
  void SetCongratulation(const std::string& text) override { congratulation = text; }
  void ShowCongratulation() override {
    shownCongratulations.push_back(congratulation);
    historyAtCongratulation = history;
    counterAtCongratulation = counter;
  }
  void SetMessageColor(TColor color) override { messageColor = color; }
  void SetScoresColor(TColor color) override { scoresColor = color; }
};
