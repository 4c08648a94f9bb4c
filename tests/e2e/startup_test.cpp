// Start-up: how the board comes up for each show command a launcher may pass.
#include "quorl_test.h"

#include <utility>

#include "harness/input.h"
#include "harness/wait.h"

namespace e2e {
namespace {

class StartupTest : public QuorlTest {};

TEST_F(StartupTest, BoardComesUpMaximisedWithANewGameAndTheFocusInTheGuessBox) {
  // The start-up show command, and why the window comes up maximised with it.
  const std::pair<WORD, const char*> cases[] = {
      {SW_SHOWDEFAULT, "what a launcher normally passes: the window's own maximised state"},
      {SW_SHOWNORMAL, "not a command the program acts on: the window's own state again"},
      {SW_SHOWMAXIMIZED, "asks for what the window does anyway"},
  };
  for (const auto& [show, reason] : cases) {
    SCOPED_TRACE(ShowName(show) + ": " + reason);
    ASSERT_NO_FATAL_FAILURE(Start(show));
    const HWND main = App().MainWindow();
    EXPECT_EQ(TextOf(main), "Quorl");
    EXPECT_TRUE(IsZoomed(main));
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_EQ(App().Active(), main);
    EXPECT_EQ(App().Focus(), App().GuessBox()) << "focus on " << Describe(App().Focus());
    EXPECT_EQ(App().CounterText(), "0");
    EXPECT_TRUE(App().HistoryLines().empty());
    EXPECT_EQ(App().GuessText(), "");
    // The dialogs exist from start-up but stay hidden.
    EXPECT_FALSE(Shown(App().MessageDialog()));
    EXPECT_FALSE(Shown(App().RulesDialog()));
    EXPECT_TRUE(MatchesReference("startup"));
    app_.reset();
  }
}

TEST_F(StartupTest, ControlsKeepTheirDesignedSizes) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const struct {
    HWND control;
    SIZE size;
    const char* what;
  } cases[] = {
      {App().GuessBox(), {65, 41}, "guess box"},
      {App().CounterBox(), {81, 45}, "counter box"},
      {App().History(), {209, 289}, "history list, twelve 23-pixel rows and a part"},
      {App().Regles(), {136, 42}, "R\xe8gles button"},
      {App().Commencer(), {136, 42}, "Commencer button"},
      {App().Quitter(), {136, 42}, "Quitter button"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const SIZE size = SizeOf(ScreenRect(c.control));
    EXPECT_EQ(size.cx, c.size.cx);
    EXPECT_EQ(size.cy, c.size.cy);
    EXPECT_TRUE(IsWindowVisible(c.control));
  }
  // The counter is read-only for the player; the guess box is not.
  EXPECT_TRUE(GetWindowLongPtrA(App().CounterBox(), GWL_STYLE) & ES_READONLY);
  EXPECT_FALSE(GetWindowLongPtrA(App().GuessBox(), GWL_STYLE) & ES_READONLY);
}

TEST_F(StartupTest, TaskbarEntryIsTheApplicationWindowTitledAfterTheProgram) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const HWND application = App().ApplicationWindow();
  ASSERT_NE(application, nullptr) << "no window of class TApplication";
  EXPECT_EQ(TextOf(application), "Quorl");
  EXPECT_TRUE(IsWindowVisible(application));
  EXPECT_FALSE(IsIconic(application));
  // It owns the main window, so that only it shows in the taskbar.
  EXPECT_EQ(GetWindow(App().MainWindow(), GW_OWNER), application);
  EXPECT_EQ(SizeOf(ScreenRect(application)).cx, 0);
}

TEST_F(StartupTest, TaskbarEntryIsNamedAfterTheProgramFile) {
  // The entry's title comes from the file name, not from the main window's caption:
  // the base name, its first letter's case kept and the rest in lower case.
  const std::string folder = ScreenshotFolder() + "\\renamed";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string renamed = folder + "\\JEU.EXE";
  ASSERT_TRUE(CopyFileA(QuorlPath().c_str(), renamed.c_str(), FALSE));
  app_.emplace(static_cast<WORD>(SW_SHOWDEFAULT), renamed);
  ASSERT_TRUE(App().WaitForMainWindow());
  EXPECT_EQ(TextOf(App().ApplicationWindow()), "Jeu");
  EXPECT_EQ(TextOf(App().MainWindow()), "Quorl");
}

TEST_F(StartupTest, FirstGameIsNotRestartedByTheActivationsThatFollowStartUp) {
  ASSERT_NO_FATAL_FAILURE(Start());
  // Guesses made at once survive: no late activation starts a second game.
  ASSERT_NO_FATAL_FAILURE(SubmitAll({"0"}));
  ASSERT_EQ(App().SubmitGuess("abc"), GuessOutcome::Evaluated);
  ASSERT_NO_FATAL_FAILURE(SubmitAll({"0" + std::string(1, LocaleDecimalSeparator()) + "001"}));
  EXPECT_EQ(App().HistoryLines().size(), 2u);
  EXPECT_EQ(App().CounterText(), "2");
}

TEST_F(StartupTest, MinimisedStartShowsOnlyTheTaskbarEntryUntilRestored) {
  app_.emplace(static_cast<WORD>(SW_SHOWMINNOACTIVE));
  HWND application = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    application = App().ApplicationWindow();
    return application && IsWindowVisible(application) && IsIconic(application);
  })) << "no minimised taskbar entry";
  ASSERT_TRUE(App().FindControls()) << "main window or its controls missing";
  EXPECT_FALSE(IsWindowVisible(App().MainWindow()));
  EXPECT_TRUE(MatchesReference("startup-minimised"));

  // The minimised entry is restored the way the player would: by double-clicking it.
  DoubleClickAt(MinimizedEntryPoint(application));
  ASSERT_TRUE(WaitUntil([&] { return Shown(App().MainWindow()); }))
      << "the main window did not come up on restoring; entry at "
      << MinimizedEntryPoint(application).x << "," << MinimizedEntryPoint(application).y;
  const HWND main = App().MainWindow();
  EXPECT_FALSE(IsZoomed(main));
  EXPECT_FALSE(IsIconic(application));
  const RECT bounds = ScreenRect(main);
  EXPECT_EQ(bounds.left, -2);
  EXPECT_EQ(bounds.top, -1);
  EXPECT_EQ(SizeOf(bounds).cx, 808);
  EXPECT_EQ(SizeOf(bounds).cy, 580);
  EXPECT_TRUE(WaitUntil([&] { return App().Focus() == App().GuessBox(); }))
      << "focus on " << Describe(App().Focus());
  EXPECT_EQ(App().CounterText(), "0");
  // The game has started now: guesses are answered.
  ASSERT_NO_FATAL_FAILURE(SubmitAll({"0"}));
  EXPECT_EQ(App().HistoryLines(), std::vector<std::string>{"0 est trop petit"});
  EXPECT_TRUE(MatchesReference("startup-minimised-restored"));
}

}  // namespace
}  // namespace e2e
