// How the best-scores test program (tests/scores/scores_program.cpp) and its driver
// (scores_window.h) talk: the driver asks for a showing with ScoresShowingMessage, a
// thread message with the showing in wParam; the program posts the window's
// ModalResult at the end of each showing back with the same message.
#pragma once

#include <windows.h>

namespace e2e {

inline constexpr UINT ScoresShowingMessage = WM_APP;

// A showing, as flags: modal unless Plain; with NameHidden the name box and its prompt
// are hidden beforehand, so that closing the window shows them again.
enum Showing : WPARAM { Modal = 0, Plain = 1, NameHidden = 2 };

}  // namespace e2e
