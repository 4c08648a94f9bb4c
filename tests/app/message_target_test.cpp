// The one window procedure: it links a window to its object at creation, runs the
// object's handler under the guard, so that an error never reaches the platform's
// frames (on 32-bit Windows it could not unwind through them), and unlinks the window
// at its last message.
#include "controls/message_target.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

constexpr UINT Fail = WM_APP + 1;
constexpr UINT Answer = WM_APP + 2;

class Target : public TObject, public MessageTarget, public ErrorReporter {
public:
  Target() {
    static const ATOM windowClass = [] {
      WNDCLASSA description{};
      description.lpfnWndProc = &MessageTarget::WindowProcedure;
      description.hInstance = GetModuleHandleA(nullptr);
      description.lpszClassName = "MessageTargetTest";
      return RegisterClassA(&description);
    }();
    CreateWindowExA(0, MAKEINTATOM(windowClass), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                    GetModuleHandleA(nullptr), static_cast<MessageTarget*>(this));
  }

  void ReportError(TObject& sender) noexcept override {
    senderWasThis = &sender == this;
    try {
      throw;
    } catch (const std::exception& error) {
      reported += error.what();
    }
  }

  HWND window = nullptr;
  bool destroyed = false;
  bool unlinkedFirst = false;
  bool senderWasThis = false;
  std::string reported;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == Fail) throw std::runtime_error("panne");
    if (message == Answer) return 42;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  ErrorReporter& Reporter() override { return *this; }
  TObject& Sender() override { return *this; }
  void Attached(HWND handle) override { window = handle; }
  void Destroyed() noexcept override {
    destroyed = true;
    unlinkedFirst = FromHandle(window) == nullptr;
  }
};

TEST(MessageTarget, LinksTheWindowAtCreationAndAnswersThroughItsObject) {
  Target target;
  ASSERT_NE(target.window, nullptr);
  EXPECT_EQ(MessageTarget::FromHandle(target.window), static_cast<MessageTarget*>(&target));
  EXPECT_EQ(SendMessageA(target.window, Answer, 0, 0), 42);
  DestroyWindow(target.window);
  EXPECT_TRUE(target.destroyed);
  EXPECT_TRUE(target.unlinkedFirst) << "the object is told once the window has no link";
}

TEST(MessageTarget, AnErrorInAHandlerIsReportedAndGoesNoFurther) {
  Target target;
  EXPECT_EQ(SendMessageA(target.window, Fail, 0, 0), 0);
  EXPECT_EQ(target.reported, "panne");
  EXPECT_TRUE(target.senderWasThis);
  // The window goes on answering.
  EXPECT_EQ(SendMessageA(target.window, Answer, 0, 0), 42);
  DestroyWindow(target.window);
}

TEST(MessageTarget, WindowsOfOtherCodeHaveNoObject) {
  EXPECT_EQ(MessageTarget::FromHandle(nullptr), nullptr);
  EXPECT_EQ(MessageTarget::FromHandle(GetDesktopWindow()), nullptr);
}

}  // namespace
