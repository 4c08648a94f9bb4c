// Start-up: how the board comes up for each show command a launcher may pass.
#include "quorl_test.h"

#include "harness/input.h"
#include "harness/wait.h"

namespace e2e {
namespace {

class StartupTest : public QuorlTest {};

TEST_F(StartupTest, BoardComesUpMaximisedWithANewGameAndTheFocusInTheGuessBox) {
  const struct {
    WORD show;
    const char* reason;
  } cases[] = {
      {SW_SHOWDEFAULT, "what a launcher normally passes: the window's own maximised state"},
      {SW_SHOWNORMAL, "not a command the program acts on: the window's own state again"},
      {SW_SHOWMAXIMIZED, "asks for what the window does anyway"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(showName(c.show) + ": " + c.reason);
    ASSERT_NO_FATAL_FAILURE(start(c.show));
    const HWND main = app().mainWindow();
    EXPECT_EQ(textOf(main), "Quorl");
    EXPECT_TRUE(IsZoomed(main));
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_EQ(app().active(), main);
    EXPECT_EQ(app().focus(), app().guessBox()) << "focus on " << describe(app().focus());
    EXPECT_EQ(app().counterText(), "0");
    EXPECT_TRUE(app().historyLines().empty());
    EXPECT_EQ(app().guessText(), "");
    // The dialogs exist from start-up but stay hidden.
    EXPECT_FALSE(shown(app().messageDialog()));
    EXPECT_FALSE(shown(app().rulesDialog()));
    EXPECT_TRUE(matchesReference("startup"));
    app_.reset();
  }
}

TEST_F(StartupTest, ControlsKeepTheirDesignedSizes) {
  ASSERT_NO_FATAL_FAILURE(start());
  const struct {
    HWND control;
    SIZE size;
    const char* what;
  } cases[] = {
      {app().guessBox(), {65, 41}, "guess box"},
      {app().counterBox(), {81, 45}, "counter box"},
      {app().history(), {209, 289}, "history list, twelve 23-pixel rows and a part"},
      {app().regles(), {136, 42}, "R\xe8gles button"},
      {app().commencer(), {136, 42}, "Commencer button"},
      {app().quitter(), {136, 42}, "Quitter button"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const SIZE size = sizeOf(screenRect(c.control));
    EXPECT_EQ(size.cx, c.size.cx);
    EXPECT_EQ(size.cy, c.size.cy);
    EXPECT_TRUE(IsWindowVisible(c.control));
  }
  // The counter is read-only for the player; the guess box is not.
  EXPECT_TRUE(GetWindowLongPtrA(app().counterBox(), GWL_STYLE) & ES_READONLY);
  EXPECT_FALSE(GetWindowLongPtrA(app().guessBox(), GWL_STYLE) & ES_READONLY);
}

TEST_F(StartupTest, TaskbarEntryIsTheApplicationWindowTitledAfterTheProgram) {
  ASSERT_NO_FATAL_FAILURE(start());
  const HWND application = app().applicationWindow();
  ASSERT_NE(application, nullptr) << "no window of class TApplication";
  EXPECT_EQ(textOf(application), "Quorl");
  EXPECT_TRUE(IsWindowVisible(application));
  EXPECT_FALSE(IsIconic(application));
  // It owns the main window, so that only it shows in the taskbar.
  EXPECT_EQ(GetWindow(app().mainWindow(), GW_OWNER), application);
  EXPECT_EQ(sizeOf(screenRect(application)).cx, 0);
}

TEST_F(StartupTest, TaskbarEntryIsNamedAfterTheProgramFile) {
  // The entry's title comes from the file name, not from the main window's caption:
  // the base name, its first letter's case kept and the rest in lower case.
  const std::string folder = screenshotFolder() + "\\renamed";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string renamed = folder + "\\JEU.EXE";
  ASSERT_TRUE(CopyFileA(quorlPath().c_str(), renamed.c_str(), FALSE));
  app_.emplace(static_cast<WORD>(SW_SHOWDEFAULT), renamed);
  ASSERT_TRUE(app().waitForMainWindow());
  EXPECT_EQ(textOf(app().applicationWindow()), "Jeu");
  EXPECT_EQ(textOf(app().mainWindow()), "Quorl");
}

TEST_F(StartupTest, FirstGameIsNotRestartedByTheActivationsThatFollowStartUp) {
  ASSERT_NO_FATAL_FAILURE(start());
  // Guesses made at once survive: no late activation starts a second game.
  ASSERT_NO_FATAL_FAILURE(submitAll({"0"}));
  ASSERT_EQ(app().submitGuess("abc"), GuessOutcome::Evaluated);
  ASSERT_NO_FATAL_FAILURE(submitAll({"0" + std::string(1, localeDecimalSeparator()) + "001"}));
  EXPECT_EQ(app().historyLines().size(), 2u);
  EXPECT_EQ(app().counterText(), "2");
}

TEST_F(StartupTest, MinimisedStartShowsOnlyTheTaskbarEntryUntilRestored) {
  app_.emplace(static_cast<WORD>(SW_SHOWMINNOACTIVE));
  HWND application = nullptr;
  ASSERT_TRUE(waitUntil([&] {
    application = app().applicationWindow();
    return application && IsWindowVisible(application) && IsIconic(application);
  })) << "no minimised taskbar entry";
  ASSERT_TRUE(app().findControls()) << "main window or its controls missing";
  EXPECT_FALSE(IsWindowVisible(app().mainWindow()));
  EXPECT_TRUE(matchesReference("startup-minimised"));

  // The minimised entry is restored the way the player would: by double-clicking it.
  doubleClickAt(minimisedEntryPoint(application));
  ASSERT_TRUE(waitUntil([&] { return shown(app().mainWindow()); }))
      << "the main window did not come up on restoring; entry at "
      << minimisedEntryPoint(application).x << "," << minimisedEntryPoint(application).y;
  const HWND main = app().mainWindow();
  EXPECT_FALSE(IsZoomed(main));
  EXPECT_FALSE(IsIconic(application));
  const RECT bounds = screenRect(main);
  EXPECT_EQ(bounds.left, -2);
  EXPECT_EQ(bounds.top, -1);
  EXPECT_EQ(sizeOf(bounds).cx, 808);
  EXPECT_EQ(sizeOf(bounds).cy, 580);
  EXPECT_TRUE(waitUntil([&] { return app().focus() == app().guessBox(); }))
      << "focus on " << describe(app().focus());
  EXPECT_EQ(app().counterText(), "0");
  // The game has started now: guesses are answered.
  ASSERT_NO_FATAL_FAILURE(submitAll({"0"}));
  EXPECT_EQ(app().historyLines(), std::vector<std::string>{"0 est trop petit"});
  EXPECT_TRUE(matchesReference("startup-minimised-restored"));
}

}  // namespace
}  // namespace e2e
