// The best-scores window, shown by a test program that starts like Quorl.exe, driven
// with real keyboard and mouse input and read through standard messages: the name box
// rewriting a line of the list, the conversion error of the empty index box, the two
// picture buttons and the default button's outline.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "accessible_controls.h"
#include "harness/input.h"
#include "harness/process.h"
#include "harness/query.h"
#include "harness/screenshot.h"
#include "harness/wait.h"

namespace {

using namespace e2e;

// The program's title: its file's base name.
constexpr char Title[] = "scores_program";

// The program's path, with its environment (inherited from this process) set for one
// start.
std::string ProgramFor(const char* showing, bool hideName) {
  SetEnvironmentVariableA("QUORL_SCORES_SHOW", showing);
  SetEnvironmentVariableA("QUORL_SCORES_HIDE_NAME", hideName ? "1" : nullptr);
  return WindowsPath(Environment("QUORL_SCORES_PROGRAM", "scores_program.exe"));
}

class ScoresWindow {
public:
  // Starts the program with its showing ("modal" or "plain") and waits until the window
  // is up, in the foreground, with the focus in it.
  ScoresWindow(const char* showing, bool hideName)
      : showing_(showing),
        hideName_(hideName),
        process_(ProgramFor(showing, hideName), SW_SHOWNORMAL) {}

  bool WaitUntilShown() {
    return WaitUntilStarted(
        process_, [&] { return Process(ProgramFor(showing_, hideName_), SW_SHOWNORMAL); },
        [&] {
          window_ = FindTopLevel(process_.Id(), "Tscore1");
          if (!window_ || !IsWindowVisible(window_)) return false;
          nameBox_ = ChildAt(window_, "Edit", {56, 328});
          list_ = ChildAt(window_, "ListBox", {56, 16});
          fermer_ = ChildAt(window_, "Button", {160, 400});
          prompt_ = ChildAt(window_, "Edit", {56, 288});
          indexBox_ = ChildAt(window_, "Edit", {8, 16});
          effacer_ = ChildAt(window_, "Button", {16, 400});
          return nameBox_ && list_ && fermer_ && prompt_ && indexBox_ && effacer_ &&
                 GetForegroundWindow() == window_ && Focus() != nullptr;
        },
        "scores_program.exe");
  }

  HWND Window() const { return window_; }
  HWND NameBox() const { return nameBox_; }
  HWND List() const { return list_; }
  HWND Fermer() const { return fermer_; }
  HWND Prompt() const { return prompt_; }
  HWND IndexBox() const { return indexBox_; }
  HWND Effacer() const { return effacer_; }
  HWND Focus() const { return FocusedWindow(process_.MainThreadId()); }
  Process& Program() { return process_; }

  // Setting up what the program never fills: the hidden index box and the list.
  void SetIndex(const char* text) {
    SendMessageA(indexBox_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
  void AddLine(const char* line) {
    SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
  }

  HWND ErrorBox() const { return VisibleMessageBox(process_.Id()); }

  bool ClickNameBox() {
    ClickAt(CenterOf(nameBox_));
    return WaitUntil([&] { return Focus() == nameBox_; });
  }

  // After the showing the program waits for the quit message; its exit code is the
  // window's ModalResult.
  std::optional<DWORD> Quit() {
    PostThreadMessageA(process_.MainThreadId(), WM_QUIT, 0, 0);
    if (!process_.WaitForExit()) return std::nullopt;
    return process_.ExitCode();
  }

private:
  const char* showing_;
  bool hideName_;
  Process process_;
  HWND window_ = nullptr;
  HWND nameBox_ = nullptr;
  HWND list_ = nullptr;
  HWND fermer_ = nullptr;
  HWND prompt_ = nullptr;
  HWND indexBox_ = nullptr;
  HWND effacer_ = nullptr;
};

bool HasVisibleStyle(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

// The 1-pixel window-frame outline of an active button, seen on its top-left pixel.
bool DrawnActive(HWND button) {
  const RECT rect = ScreenRect(button);
  return ScreenPixel({rect.left, rect.top}) == GetSysColor(COLOR_WINDOWFRAME);
}

TEST(ScoresWindowTest, EveryControlThatTakesTheFocusHasItsNameAndRole) {
  ScoresWindow scores("modal", false);
  ASSERT_TRUE(scores.WaitUntilShown());
  ExpectNamedControls("Tscore1", [&] { return scores.Focus(); });
}

TEST(ScoresWindowTest, OpensAsDesignedWithTheFocusInTheNameBox) {
  ScoresWindow scores("modal", false);
  ASSERT_TRUE(scores.WaitUntilShown());
  EXPECT_EQ(TextOf(scores.Window()), "Les meilleurs");
  const RECT bounds = ScreenRect(scores.Window());
  EXPECT_EQ(bounds.left, 267);
  EXPECT_EQ(bounds.top, 66);
  EXPECT_EQ(SizeOf(bounds).cx, 323);
  EXPECT_EQ(SizeOf(bounds).cy, 498);
  EXPECT_EQ(scores.Focus(), scores.NameBox()) << "first in tab order";
  EXPECT_EQ(TextOf(scores.Prompt()), "Votre nom S.V.P.");
  EXPECT_TRUE(GetWindowLongA(scores.Prompt(), GWL_STYLE) & ES_READONLY);
  EXPECT_FALSE(IsWindowVisible(scores.IndexBox()));
  EXPECT_EQ(TextOf(scores.IndexBox()), "");
  EXPECT_TRUE(ListLines(scores.List()).empty());
  EXPECT_EQ(SendMessageA(scores.List(), LB_GETITEMHEIGHT, 0, 0), 23);
  RECT listArea{};
  GetClientRect(scores.List(), &listArea);
  EXPECT_EQ(SizeOf(listArea).cy / 23, 11) << "eleven whole lines";
}

TEST(ScoresWindowTest, EveryKeystrokeWithAnEmptyIndexBoxIsReportedAsAConversionError) {
  ScoresWindow scores("modal", false);
  ASSERT_TRUE(scores.WaitUntilShown());
  ASSERT_TRUE(scores.ClickNameBox());
  const std::wstring keys = L"Ab";
  for (std::size_t typed = 1; typed <= keys.size(); ++typed) {
    SCOPED_TRACE(typed);
    TypeText(keys.substr(typed - 1, 1));
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = scores.ErrorBox()) != nullptr; })) << "no error box";
    EXPECT_EQ(TextOf(box), Title);
    EXPECT_EQ(MessageBoxText(box), "'' n'est pas une valeur enti\xe8re correcte.");
    EXPECT_FALSE(IsWindowEnabled(scores.Window())) << "the box is modal to the program";
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return scores.ErrorBox() == nullptr; }));
    ASSERT_TRUE(WaitUntil([&] { return scores.Focus() == scores.NameBox(); }))
        << "focus on " << Describe(scores.Focus());
    EXPECT_EQ(TextOf(scores.NameBox()), std::string("Ab").substr(0, typed))
        << "the typed text stays";
    EXPECT_TRUE(ListLines(scores.List()).empty()) << "the list stays as it was";
  }
}

TEST(ScoresWindowTest, TypingANameRewritesTheIndexedLineAfterEachKeystroke) {
  ScoresWindow scores("modal", false);
  ASSERT_TRUE(scores.WaitUntilShown());
  scores.SetIndex("0");
  scores.AddLine("12345678");
  ASSERT_TRUE(scores.ClickNameBox());
  const std::string name = "Anne";
  for (std::size_t typed = 1; typed <= name.size(); ++typed) {
    SCOPED_TRACE(typed);
    TypeText(std::wstring(1, static_cast<wchar_t>(name[typed - 1])));
    const std::string expected = "123456" + name.substr(0, typed);
    EXPECT_TRUE(WaitUntil([&] {
      return ListLines(scores.List()) == std::vector<std::string>{expected};
    })) << "line "
        << (ListLines(scores.List()).empty() ? "(none)" : ListLines(scores.List())[0]);
    ASSERT_EQ(scores.ErrorBox(), nullptr);
  }
  EXPECT_TRUE(MatchesReference("scores-window"));

  // Emptying the name box leaves the score field alone; a short line is padded.
  for (std::size_t erased = 0; erased < name.size(); ++erased) PressKey(VK_BACK);
  EXPECT_TRUE(
      WaitUntil([&] { return ListLines(scores.List()) == std::vector<std::string>{"123456"}; }));
  scores.AddLine("7");
  scores.SetIndex("1");
  TypeText(L"Li");
  EXPECT_TRUE(WaitUntil([&] {
    return ListLines(scores.List()) == std::vector<std::string>{"123456", "7     Li"};
  })) << ListLines(scores.List()).back();
}

TEST(ScoresWindowTest, TheDefaultButtonIsDrawnActiveWhileTheFocusIsNotOnAnotherButton) {
  ScoresWindow scores("modal", false);
  ASSERT_TRUE(scores.WaitUntilShown());
  ASSERT_TRUE(scores.ClickNameBox());
  struct Step {
    HWND focus;
    bool fermerActive;
    bool effacerActive;
    const char* reason;
  };
  // Tab after Tab from the name box: the list, Fermer, the prompt, then Effacer (the
  // hidden index box is skipped).
  const Step steps[] = {
      {scores.NameBox(), true, false, "the name box is no button: the default one is active"},
      {scores.List(), true, false, "nor is the list"},
      {scores.Fermer(), true, false, "Fermer itself"},
      {scores.Prompt(), true, false, "nor is the prompt"},
      {scores.Effacer(), false, true, "another button takes the outline"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.reason);
    if (&step != steps) PressKey(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return scores.Focus() == step.focus; }))
        << "focus on " << Describe(scores.Focus());
    EXPECT_TRUE(WaitUntil([&] {
      return DrawnActive(scores.Fermer()) == step.fermerActive &&
             DrawnActive(scores.Effacer()) == step.effacerActive;
    })) << "Fermer "
        << DrawnActive(scores.Fermer()) << ", Effacer " << DrawnActive(scores.Effacer());
  }
}

TEST(ScoresWindowTest, AnIndexOutsideTheListIsReportedWithoutAPeriod) {
  ScoresWindow scores("modal", false);
  ASSERT_TRUE(scores.WaitUntilShown());
  scores.SetIndex("5");
  scores.AddLine("12345678");
  ASSERT_TRUE(scores.ClickNameBox());
  TypeText(L"A");
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = scores.ErrorBox()) != nullptr; })) << "no error box";
  EXPECT_EQ(TextOf(box), Title);
  EXPECT_EQ(MessageBoxText(box), "Index de liste hors limites (5)") << "')' sorts before '.'";
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return scores.ErrorBox() == nullptr; }));
  EXPECT_EQ(ListLines(scores.List()), std::vector<std::string>{"12345678"});
  EXPECT_EQ(TextOf(scores.NameBox()), "A");
}

TEST(ScoresWindowTest, EffacerEmptiesTheListClosesTheWindowAndShowsTheNameBoxAgain) {
  ScoresWindow scores("modal", true);
  ASSERT_TRUE(scores.WaitUntilShown());
  EXPECT_FALSE(HasVisibleStyle(scores.NameBox()));
  EXPECT_FALSE(HasVisibleStyle(scores.Prompt()));
  for (const char* line : {"300   Anne", "250   Paul", "200   Zoé", "150"}) scores.AddLine(line);
  ClickAt(CenterOf(scores.Effacer()));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(scores.Window()); })) << "still shown";
  EXPECT_TRUE(ListLines(scores.List()).empty());
  EXPECT_TRUE(HasVisibleStyle(scores.NameBox())) << "closing shows the name box";
  EXPECT_TRUE(HasVisibleStyle(scores.Prompt())) << "and its prompt";
  EXPECT_EQ(scores.Quit(), 2u) << "a close request ends a modal showing with Cancel";
}

TEST(ScoresWindowTest, FermerEndsAModalShowingWithOk) {
  enum class Way { Click, EnterInNameBox, EnterInList };
  struct Case {
    Way way;
    const char* reason;
  };
  const Case cases[] = {
      {Way::Click, "a click on Fermer"},
      {Way::EnterInNameBox, "Enter in the name box presses the default button"},
      {Way::EnterInList, "so does Enter in the list"},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.reason);
    ScoresWindow scores("modal", false);
    ASSERT_TRUE(scores.WaitUntilShown());
    if (row.way == Way::Click) {
      ClickAt(CenterOf(scores.Fermer()));
    } else {
      ASSERT_TRUE(scores.ClickNameBox());
      if (row.way == Way::EnterInList) {
        PressKey(VK_TAB);
        ASSERT_TRUE(WaitUntil([&] { return scores.Focus() == scores.List(); }));
      }
      PressKey(VK_RETURN);
    }
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(scores.Window()); })) << "still shown";
    EXPECT_EQ(scores.ErrorBox(), nullptr);
    EXPECT_EQ(scores.Quit(), 1u);
  }
}

TEST(ScoresWindowTest, ClosingWithFermerShowsTheNameBoxAgain) {
  ScoresWindow scores("modal", true);
  ASSERT_TRUE(scores.WaitUntilShown());
  ClickAt(CenterOf(scores.Fermer()));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(scores.Window()); })) << "still shown";
  EXPECT_TRUE(HasVisibleStyle(scores.NameBox())) << "the close handler shows the name box";
  EXPECT_TRUE(HasVisibleStyle(scores.Prompt())) << "and its prompt";
  EXPECT_EQ(scores.Quit(), 1u);
}

TEST(ScoresWindowTest, ShownPlainlyFermerOnlySetsTheResultAndEffacerCloses) {
  ScoresWindow scores("plain", false);
  ASSERT_TRUE(scores.WaitUntilShown());
  scores.AddLine("12345678");
  ClickAt(CenterOf(scores.Fermer()));
  SleepFor(Millis(500));
  EXPECT_TRUE(IsWindowVisible(scores.Window())) << "ModalResult closes only a modal showing";
  ClickAt(CenterOf(scores.Effacer()));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(scores.Window()); })) << "still shown";
  EXPECT_TRUE(ListLines(scores.List()).empty());
  EXPECT_EQ(scores.Quit(), 0u) << "Effacer's click set the ModalResult back to 0";
}

}  // namespace
