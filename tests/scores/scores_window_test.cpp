// The best-scores window, shown by a test program that starts like Quorl.exe, driven
// with real keyboard and mouse input and read through standard messages: the name box
// rewriting a line of the list, the conversion error of the empty index box, the two
// picture buttons and the default button's outline.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

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
std::string programFor(const char* showing, bool hideName) {
  SetEnvironmentVariableA("QUORL_SCORES_SHOW", showing);
  SetEnvironmentVariableA("QUORL_SCORES_HIDE_NAME", hideName ? "1" : nullptr);
  return windowsPath(environment("QUORL_SCORES_PROGRAM", "scores_program.exe"));
}

class ScoresWindow {
public:
  // Starts the program with its showing ("modal" or "plain") and waits until the window
  // is up, in the foreground, with the focus in it.
  ScoresWindow(const char* showing, bool hideName)
      : showing_(showing),
        hideName_(hideName),
        process_(programFor(showing, hideName), SW_SHOWNORMAL) {}

  bool waitUntilShown() {
    return waitUntilStarted(
        process_, [&] { return Process(programFor(showing_, hideName_), SW_SHOWNORMAL); },
        [&] {
          window_ = findTopLevel(process_.id(), "Tscore1");
          if (!window_ || !IsWindowVisible(window_)) return false;
          nameBox_ = childAt(window_, "Edit", {56, 328});
          list_ = childAt(window_, "ListBox", {56, 16});
          fermer_ = childAt(window_, "Button", {160, 400});
          prompt_ = childAt(window_, "Edit", {56, 288});
          indexBox_ = childAt(window_, "Edit", {8, 16});
          effacer_ = childAt(window_, "Button", {16, 400});
          return nameBox_ && list_ && fermer_ && prompt_ && indexBox_ && effacer_ &&
                 GetForegroundWindow() == window_ && focus() != nullptr;
        },
        "scores_program.exe");
  }

  HWND window() const { return window_; }
  HWND nameBox() const { return nameBox_; }
  HWND list() const { return list_; }
  HWND fermer() const { return fermer_; }
  HWND prompt() const { return prompt_; }
  HWND indexBox() const { return indexBox_; }
  HWND effacer() const { return effacer_; }
  HWND focus() const { return focusedWindow(process_.mainThreadId()); }
  Process& process() { return process_; }

  // Setting up what the program never fills: the hidden index box and the list.
  void setIndex(const char* text) {
    SendMessageA(indexBox_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
  void addLine(const char* line) {
    SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
  }

  HWND errorBox() const { return visibleMessageBox(process_.id()); }

  bool clickNameBox() {
    clickAt(centreOf(nameBox_));
    return waitUntil([&] { return focus() == nameBox_; });
  }

  // After the showing the program waits for the quit message; its exit code is the
  // window's ModalResult.
  std::optional<DWORD> quit() {
    PostThreadMessageA(process_.mainThreadId(), WM_QUIT, 0, 0);
    if (!process_.waitForExit()) return std::nullopt;
    return process_.exitCode();
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

bool hasVisibleStyle(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

// The 1-pixel window-frame outline of an active button, seen on its top-left pixel.
bool drawnActive(HWND button) {
  const RECT rect = screenRect(button);
  return screenPixel({rect.left, rect.top}) == GetSysColor(COLOR_WINDOWFRAME);
}

TEST(ScoresWindowTest, OpensAsDesignedWithTheFocusInTheNameBox) {
  ScoresWindow scores("modal", false);
  ASSERT_TRUE(scores.waitUntilShown());
  EXPECT_EQ(textOf(scores.window()), "Les meilleurs");
  const RECT bounds = screenRect(scores.window());
  EXPECT_EQ(bounds.left, 267);
  EXPECT_EQ(bounds.top, 66);
  EXPECT_EQ(sizeOf(bounds).cx, 323);
  EXPECT_EQ(sizeOf(bounds).cy, 498);
  EXPECT_EQ(scores.focus(), scores.nameBox()) << "first in tab order";
  EXPECT_EQ(textOf(scores.prompt()), "Votre nom S.V.P.");
  EXPECT_TRUE(GetWindowLongA(scores.prompt(), GWL_STYLE) & ES_READONLY);
  EXPECT_FALSE(IsWindowVisible(scores.indexBox()));
  EXPECT_EQ(textOf(scores.indexBox()), "");
  EXPECT_TRUE(listLines(scores.list()).empty());
  EXPECT_EQ(SendMessageA(scores.list(), LB_GETITEMHEIGHT, 0, 0), 23);
  RECT listArea{};
  GetClientRect(scores.list(), &listArea);
  EXPECT_EQ(sizeOf(listArea).cy / 23, 11) << "eleven whole lines";
}

TEST(ScoresWindowTest, EveryKeystrokeWithAnEmptyIndexBoxIsReportedAsAConversionError) {
  ScoresWindow scores("modal", false);
  ASSERT_TRUE(scores.waitUntilShown());
  ASSERT_TRUE(scores.clickNameBox());
  const std::wstring keys = L"Ab";
  for (std::size_t typed = 1; typed <= keys.size(); ++typed) {
    SCOPED_TRACE(typed);
    typeText(keys.substr(typed - 1, 1));
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (box = scores.errorBox()) != nullptr; })) << "no error box";
    EXPECT_EQ(textOf(box), Title);
    EXPECT_EQ(messageBoxText(box), "'' n'est pas une valeur enti\xe8re correcte.");
    EXPECT_FALSE(IsWindowEnabled(scores.window())) << "the box is modal to the program";
    pressKey(VK_RETURN);
    ASSERT_TRUE(waitUntil([&] { return scores.errorBox() == nullptr; }));
    ASSERT_TRUE(waitUntil([&] { return scores.focus() == scores.nameBox(); }))
        << "focus on " << describe(scores.focus());
    EXPECT_EQ(textOf(scores.nameBox()), std::string("Ab").substr(0, typed))
        << "the typed text stays";
    EXPECT_TRUE(listLines(scores.list()).empty()) << "the list stays as it was";
  }
}

TEST(ScoresWindowTest, TypingANameRewritesTheIndexedLineAfterEachKeystroke) {
  ScoresWindow scores("modal", false);
  ASSERT_TRUE(scores.waitUntilShown());
  scores.setIndex("0");
  scores.addLine("12345678");
  ASSERT_TRUE(scores.clickNameBox());
  const std::string name = "Anne";
  for (std::size_t typed = 1; typed <= name.size(); ++typed) {
    SCOPED_TRACE(typed);
    typeText(std::wstring(1, static_cast<wchar_t>(name[typed - 1])));
    const std::string expected = "123456" + name.substr(0, typed);
    EXPECT_TRUE(waitUntil([&] {
      return listLines(scores.list()) == std::vector<std::string>{expected};
    })) << "line "
        << (listLines(scores.list()).empty() ? "(none)" : listLines(scores.list())[0]);
    ASSERT_EQ(scores.errorBox(), nullptr);
  }
  EXPECT_TRUE(matchesReference("scores-window"));

  // Emptying the name box leaves the score field alone; a short line is padded.
  for (std::size_t erased = 0; erased < name.size(); ++erased) pressKey(VK_BACK);
  EXPECT_TRUE(
      waitUntil([&] { return listLines(scores.list()) == std::vector<std::string>{"123456"}; }));
  scores.addLine("7");
  scores.setIndex("1");
  typeText(L"Li");
  EXPECT_TRUE(waitUntil([&] {
    return listLines(scores.list()) == std::vector<std::string>{"123456", "7     Li"};
  })) << listLines(scores.list()).back();
}

TEST(ScoresWindowTest, TheDefaultButtonIsDrawnActiveWhileTheFocusIsNotOnAnotherButton) {
  ScoresWindow scores("modal", false);
  ASSERT_TRUE(scores.waitUntilShown());
  ASSERT_TRUE(scores.clickNameBox());
  struct Step {
    HWND focus;
    bool fermerActive;
    bool effacerActive;
    const char* reason;
  };
  // Tab after Tab from the name box: the list, Fermer, the prompt, then Effacer (the
  // hidden index box is skipped).
  const Step steps[] = {
      {scores.nameBox(), true, false, "the name box is no button: the default one is active"},
      {scores.list(), true, false, "nor is the list"},
      {scores.fermer(), true, false, "Fermer itself"},
      {scores.prompt(), true, false, "nor is the prompt"},
      {scores.effacer(), false, true, "another button takes the outline"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.reason);
    if (&step != steps) pressKey(VK_TAB);
    ASSERT_TRUE(waitUntil([&] { return scores.focus() == step.focus; }))
        << "focus on " << describe(scores.focus());
    EXPECT_TRUE(waitUntil([&] {
      return drawnActive(scores.fermer()) == step.fermerActive &&
             drawnActive(scores.effacer()) == step.effacerActive;
    })) << "Fermer "
        << drawnActive(scores.fermer()) << ", Effacer " << drawnActive(scores.effacer());
  }
}

TEST(ScoresWindowTest, AnIndexOutsideTheListIsReportedWithoutAPeriod) {
  ScoresWindow scores("modal", false);
  ASSERT_TRUE(scores.waitUntilShown());
  scores.setIndex("5");
  scores.addLine("12345678");
  ASSERT_TRUE(scores.clickNameBox());
  typeText(L"A");
  HWND box = nullptr;
  ASSERT_TRUE(waitUntil([&] { return (box = scores.errorBox()) != nullptr; })) << "no error box";
  EXPECT_EQ(textOf(box), Title);
  EXPECT_EQ(messageBoxText(box), "Index de liste hors limites (5)") << "')' sorts before '.'";
  pressKey(VK_RETURN);
  ASSERT_TRUE(waitUntil([&] { return scores.errorBox() == nullptr; }));
  EXPECT_EQ(listLines(scores.list()), std::vector<std::string>{"12345678"});
  EXPECT_EQ(textOf(scores.nameBox()), "A");
}

TEST(ScoresWindowTest, EffacerEmptiesTheListClosesTheWindowAndShowsTheNameBoxAgain) {
  ScoresWindow scores("modal", true);
  ASSERT_TRUE(scores.waitUntilShown());
  EXPECT_FALSE(hasVisibleStyle(scores.nameBox()));
  EXPECT_FALSE(hasVisibleStyle(scores.prompt()));
  for (const char* line : {"300   Anne", "250   Paul", "200   Zoé", "150"}) scores.addLine(line);
  clickAt(centreOf(scores.effacer()));
  ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(scores.window()); })) << "still shown";
  EXPECT_TRUE(listLines(scores.list()).empty());
  EXPECT_TRUE(hasVisibleStyle(scores.nameBox())) << "closing shows the name box";
  EXPECT_TRUE(hasVisibleStyle(scores.prompt())) << "and its prompt";
  EXPECT_EQ(scores.quit(), 2u) << "a close request ends a modal showing with Cancel";
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
    ASSERT_TRUE(scores.waitUntilShown());
    if (row.way == Way::Click) {
      clickAt(centreOf(scores.fermer()));
    } else {
      ASSERT_TRUE(scores.clickNameBox());
      if (row.way == Way::EnterInList) {
        pressKey(VK_TAB);
        ASSERT_TRUE(waitUntil([&] { return scores.focus() == scores.list(); }));
      }
      pressKey(VK_RETURN);
    }
    ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(scores.window()); })) << "still shown";
    EXPECT_EQ(scores.errorBox(), nullptr);
    EXPECT_EQ(scores.quit(), 1u);
  }
}

TEST(ScoresWindowTest, ClosingWithFermerShowsTheNameBoxAgain) {
  ScoresWindow scores("modal", true);
  ASSERT_TRUE(scores.waitUntilShown());
  clickAt(centreOf(scores.fermer()));
  ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(scores.window()); })) << "still shown";
  EXPECT_TRUE(hasVisibleStyle(scores.nameBox())) << "the close handler shows the name box";
  EXPECT_TRUE(hasVisibleStyle(scores.prompt())) << "and its prompt";
  EXPECT_EQ(scores.quit(), 1u);
}

TEST(ScoresWindowTest, ShownPlainlyFermerOnlySetsTheResultAndEffacerCloses) {
  ScoresWindow scores("plain", false);
  ASSERT_TRUE(scores.waitUntilShown());
  scores.addLine("12345678");
  clickAt(centreOf(scores.fermer()));
  sleepFor(Millis(500));
  EXPECT_TRUE(IsWindowVisible(scores.window())) << "ModalResult closes only a modal showing";
  clickAt(centreOf(scores.effacer()));
  ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(scores.window()); })) << "still shown";
  EXPECT_TRUE(listLines(scores.list()).empty());
  EXPECT_EQ(scores.quit(), 0u) << "Effacer's click set the ModalResult back to 0";
}

}  // namespace
