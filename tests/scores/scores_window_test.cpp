// The best-scores window, shown by a test program that starts like Quorl.exe, driven
// with real keyboard and mouse input and read through standard messages: the name box
// rewriting a line of the list, the conversion error of the empty index box, the two
// picture buttons and the default button's outline. The cases share one start of the
// program, which shows the window again for each.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "accessible_controls.h"
#include "harness/input.h"
#include "harness/query.h"
#include "harness/screenshot.h"
#include "harness/wait.h"
#include "scores_window.h"

namespace e2e {
namespace {

// The program's title: its file's base name.
constexpr char Title[] = "scores_program";

// Every case shows the window of the one program, and leaves it closed.
class ScoresWindowTest : public ::testing::Test {
protected:
  void TearDown() override { scores_.EndShowing(); }
  static inline ScoresWindow scores_;
};

bool HasVisibleStyle(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

// The 1-pixel window-frame outline of an active button, seen on its top-left pixel.
bool DrawnActive(HWND button) {
  const RECT rect = ScreenRect(button);
  return ScreenPixel({rect.left, rect.top}) == GetSysColor(COLOR_WINDOWFRAME);
}

TEST_F(ScoresWindowTest, EveryControlThatTakesTheFocusHasItsNameAndRole) {
  ASSERT_TRUE(scores_.Show(Modal));
  ExpectNamedControls("Tscore1", [&] { return scores_.Focus(); });
}

TEST_F(ScoresWindowTest, OpensAsDesignedWithTheFocusInTheNameBox) {
  ASSERT_TRUE(scores_.Show(Modal));
  EXPECT_EQ(TextOf(scores_.Window()), "Les meilleurs");
  const RECT bounds = ScreenRect(scores_.Window());
  EXPECT_EQ(bounds.left, 267);
  EXPECT_EQ(bounds.top, 66);
  EXPECT_EQ(SizeOf(bounds).cx, 323);
  EXPECT_EQ(SizeOf(bounds).cy, 498);
  EXPECT_EQ(scores_.Focus(), scores_.NameBox())
      << "first in tab order, not " << Describe(scores_.Focus());
  EXPECT_EQ(TextOf(scores_.Prompt()), "Votre nom S.V.P.");
  EXPECT_TRUE(GetWindowLongA(scores_.Prompt(), GWL_STYLE) & ES_READONLY);
  EXPECT_FALSE(IsWindowVisible(scores_.IndexBox()));
  EXPECT_EQ(TextOf(scores_.IndexBox()), "");
  EXPECT_TRUE(ListLines(scores_.List()).empty());
  EXPECT_EQ(SendMessageA(scores_.List(), LB_GETITEMHEIGHT, 0, 0), 23);
  RECT listArea{};
  GetClientRect(scores_.List(), &listArea);
  EXPECT_EQ(SizeOf(listArea).cy / 23, 11) << "eleven whole lines";
}

TEST_F(ScoresWindowTest, EveryKeystrokeWithAnEmptyIndexBoxIsReportedAsAConversionError) {
  ASSERT_TRUE(scores_.Show(Modal));
  ASSERT_TRUE(scores_.ClickNameBox());
  const std::wstring keys = L"Ab";
  for (std::size_t typed = 1; typed <= keys.size(); ++typed) {
    SCOPED_TRACE(typed);
    TypeText(keys.substr(typed - 1, 1));
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = scores_.ErrorBox()) != nullptr; })) << "no error box";
    EXPECT_EQ(TextOf(box), Title);
    EXPECT_EQ(MessageBoxText(box), "'' n'est pas une valeur enti\xe8re correcte.");
    EXPECT_FALSE(IsWindowEnabled(scores_.Window())) << "the box is modal to the program";
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return scores_.ErrorBox() == nullptr; }));
    ASSERT_TRUE(WaitUntil([&] { return scores_.Focus() == scores_.NameBox(); }))
        << "focus on " << Describe(scores_.Focus());
    EXPECT_EQ(TextOf(scores_.NameBox()), std::string("Ab").substr(0, typed))
        << "the typed text stays";
    EXPECT_TRUE(ListLines(scores_.List()).empty()) << "the list stays as it was";
  }
}

TEST_F(ScoresWindowTest, TypingANameRewritesTheIndexedLineAfterEachKeystroke) {
  ASSERT_TRUE(scores_.Show(Modal));
  scores_.SetIndex("0");
  scores_.AddLine("12345678");
  ASSERT_TRUE(scores_.ClickNameBox());
  const std::string name = "Anne";
  for (std::size_t typed = 1; typed <= name.size(); ++typed) {
    SCOPED_TRACE(typed);
    TypeText(std::wstring(1, static_cast<wchar_t>(name[typed - 1])));
    const std::string expected = "123456" + name.substr(0, typed);
    EXPECT_TRUE(WaitUntil([&] {
      return ListLines(scores_.List()) == std::vector<std::string>{expected};
    })) << "line "
        << (ListLines(scores_.List()).empty() ? "(none)" : ListLines(scores_.List())[0]);
    ASSERT_EQ(scores_.ErrorBox(), nullptr);
  }
  EXPECT_TRUE(MatchesReference("scores-window"));

  // Emptying the name box leaves the score field alone; a short line is padded.
  for (std::size_t erased = 0; erased < name.size(); ++erased) PressKey(VK_BACK);
  EXPECT_TRUE(
      WaitUntil([&] { return ListLines(scores_.List()) == std::vector<std::string>{"123456"}; }));
  scores_.AddLine("7");
  scores_.SetIndex("1");
  TypeText(L"Li");
  EXPECT_TRUE(WaitUntil([&] {
    return ListLines(scores_.List()) == std::vector<std::string>{"123456", "7     Li"};
  })) << ListLines(scores_.List()).back();
}

TEST_F(ScoresWindowTest, TheDefaultButtonIsDrawnActiveWhileTheFocusIsNotOnAnotherButton) {
  ASSERT_TRUE(scores_.Show(Modal));
  ASSERT_TRUE(scores_.ClickNameBox());
  struct Step {
    HWND focus;
    bool fermerActive;
    bool effacerActive;
    const char* reason;
  };
  // Tab after Tab from the name box: the list, Fermer, the prompt, then Effacer (the
  // hidden index box is skipped).
  const Step steps[] = {
      {scores_.NameBox(), true, false, "the name box is no button: the default one is active"},
      {scores_.List(), true, false, "nor is the list"},
      {scores_.Fermer(), true, false, "Fermer itself"},
      {scores_.Prompt(), true, false, "nor is the prompt"},
      {scores_.Effacer(), false, true, "another button takes the outline"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.reason);
    if (&step != steps) PressKey(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return scores_.Focus() == step.focus; }))
        << "focus on " << Describe(scores_.Focus());
    EXPECT_TRUE(WaitUntil([&] {
      return DrawnActive(scores_.Fermer()) == step.fermerActive &&
             DrawnActive(scores_.Effacer()) == step.effacerActive;
    })) << "Fermer "
        << DrawnActive(scores_.Fermer()) << ", Effacer " << DrawnActive(scores_.Effacer());
  }
}

TEST_F(ScoresWindowTest, AnIndexOutsideTheListIsReportedWithoutAPeriod) {
  ASSERT_TRUE(scores_.Show(Modal));
  scores_.SetIndex("5");
  scores_.AddLine("12345678");
  ASSERT_TRUE(scores_.ClickNameBox());
  TypeText(L"A");
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = scores_.ErrorBox()) != nullptr; })) << "no error box";
  EXPECT_EQ(TextOf(box), Title);
  EXPECT_EQ(MessageBoxText(box), "Index de liste hors limites (5)") << "')' sorts before '.'";
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return scores_.ErrorBox() == nullptr; }));
  EXPECT_EQ(ListLines(scores_.List()), std::vector<std::string>{"12345678"});
  EXPECT_EQ(TextOf(scores_.NameBox()), "A");
}

TEST_F(ScoresWindowTest, EffacerEmptiesTheListClosesTheWindowAndShowsTheNameBoxAgain) {
  ASSERT_TRUE(scores_.Show(NameHidden));
  EXPECT_FALSE(HasVisibleStyle(scores_.NameBox()));
  EXPECT_FALSE(HasVisibleStyle(scores_.Prompt()));
  for (const char* line : {"300   Anne", "250   Paul", "200   Zoé", "150"}) scores_.AddLine(line);
  ClickAt(CenterOf(scores_.Effacer()));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(scores_.Window()); })) << "still shown";
  EXPECT_TRUE(ListLines(scores_.List()).empty());
  EXPECT_TRUE(HasVisibleStyle(scores_.NameBox())) << "closing shows the name box";
  EXPECT_TRUE(HasVisibleStyle(scores_.Prompt())) << "and its prompt";
  EXPECT_EQ(scores_.Result(), 2u) << "a close request ends a modal showing with Cancel";
}

TEST_F(ScoresWindowTest, FermerEndsAModalShowingWithOkAndTheNameBoxShowsAgain) {
  enum class Way { Click, EnterInNameBox, EnterInList };
  const struct {
    Showing showing;
    Way way;
    const char* reason;
  } cases[] = {
      {Modal, Way::Click, "a click on Fermer"},
      {Modal, Way::EnterInNameBox, "Enter in the name box presses the default button"},
      {Modal, Way::EnterInList, "so does Enter in the list"},
      {NameHidden, Way::Click, "the close handler shows the name box and its prompt"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.reason);
    ASSERT_TRUE(scores_.Show(row.showing));
    if (row.way == Way::Click) {
      ClickAt(CenterOf(scores_.Fermer()));
    } else {
      ASSERT_TRUE(scores_.ClickNameBox());
      if (row.way == Way::EnterInList) {
        PressKey(VK_TAB);
        ASSERT_TRUE(WaitUntil([&] { return scores_.Focus() == scores_.List(); }));
      }
      PressKey(VK_RETURN);
    }
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(scores_.Window()); })) << "still shown";
    EXPECT_EQ(scores_.ErrorBox(), nullptr);
    EXPECT_TRUE(HasVisibleStyle(scores_.NameBox()) && HasVisibleStyle(scores_.Prompt()));
    EXPECT_EQ(scores_.Result(), 1u);
  }
}

TEST_F(ScoresWindowTest, ShownPlainlyFermerOnlySetsTheResultAndEffacerCloses) {
  ASSERT_TRUE(scores_.Show(Plain));
  scores_.AddLine("12345678");
  ClickAt(CenterOf(scores_.Fermer()));
  SleepFor(Millis(500));
  EXPECT_TRUE(IsWindowVisible(scores_.Window())) << "ModalResult closes only a modal showing";
  ClickAt(CenterOf(scores_.Effacer()));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(scores_.Window()); })) << "still shown";
  EXPECT_TRUE(ListLines(scores_.List()).empty());
  EXPECT_EQ(scores_.Result(), 0u) << "Effacer's click set the ModalResult back to 0";
}

}  // namespace
}  // namespace e2e
