// The headless backend: windows live in memory, nothing is shown, and tests
// drive everything through this interface.
//
// What it implements:
//   [x] top-level windows: title, shown and maximised states, pointer shape
//   [x] a fixed screen of 1024 by 768 pixels and a virtual clock that moves
//       only when a test advances it, or by the time the loop waited idle
//       for a bounded time (App::PumpWhileWaiting); timers fire at their
//       exact times
//   [x] mouse and keys injected at a window's client coordinates, with the
//       characters the keys type; wheel turns, sideways too; the pointer
//       leaving a window; a button released where the program does not see
//       it; the window system breaking a pointer grab
//   [x] menu commands chosen by id (refused while the command is disabled);
//       F10 opens the menu bar's first menu, whose keys then are the menu's
//       until Escape, F10 or a press of the mouse closes it
//   [x] message boxes and file dialogs answered from a script, and a log of
//       what they asked; modal dialogs run a script when their loop starts
//   [x] the clipboard in memory
//   [x] any window's pixels saved as PNG
#pragma once

#include "platform/backend.h"
#include "platform/cursor.h"
#include "platform/geometry.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace plat {

class Wnd;

namespace headless {

enum class Button { Left, Right, Middle };

struct MessageBoxRecord {
    std::string text, caption;
    unsigned type;
    int answer;
};

struct FileDialogRecord {
    bool open;
    std::string title, defaultExt, filter;
};

class Driver {
public:
    // The driver of the running headless application.
    static Driver& Get();

    // Pointer input at client coordinates of `w`; modifiers follow the keys
    // held (Shift, Ctrl).
    void MouseMove(Wnd& w, Point client);
    void MouseDown(Wnd& w, Point client, Button b = Button::Left);
    void MouseUp(Wnd& w, Point client, Button b = Button::Left);
    void Click(Wnd& w, Point client, Button b = Button::Left);
    void DoubleClick(Wnd& w, Point client, Button b = Button::Left);
    // `delta` in wheel units (plat::kWheelDelta a notch); sideways turns are
    // positive to the right.
    void Wheel(Wnd& w, Point client, int delta, bool horizontal = false);
    void PointerLeaves(Wnd& w);
    // The button comes up where no window of this program hears it (over a
    // grab of another program, inside a native dialog); the next pointer
    // message shows it up.
    void LoseButton(Button b);
    // The window system takes the pointer grab of `top` away.
    void BreakGrab(Wnd& top);

    // Keys go to the focus window (or the active window); F10 opens the
    // menu bar, and while a menu is open the keys are its (see OpenMenu).
    void KeyDown(unsigned vk);
    void KeyUp(unsigned vk);
    void PressKey(unsigned vk);  // down and up
    // Types each character: letters and digits as their keys (Shift for
    // capitals), anything else as a character alone.
    void TypeText(const std::string& utf8);

    // Chooses a command of the window's menu, as a user would: false when
    // the menu does not hold it or its state handler disables it.
    bool ChooseMenuCommand(Wnd& frame, unsigned id);
    void HighlightMenuItem(Wnd& frame, unsigned id);  // 0: the menu closes
    // The text of the menu bar's menu opened from the keyboard ("&File"), or
    // "" when none is open.
    std::string OpenMenu(Wnd& top) const;
    void Close(Wnd& top);                             // the close button
    // Files (local paths) dropped on the window, as a file manager drops them.
    void DropFiles(Wnd& top, const std::vector<std::string>& paths);
    void Resize(Wnd& top, Size size);
    void Activate(Wnd& top, bool active);

    // Runs due timers (each at its time) while moving the clock forward.
    void AdvanceClock(std::uint64_t ms);
    std::uint64_t Now() const;
    // Handles posted work, timers due now, painting and idle processing.
    void Flush();

    // Scripts for what asks the user. Unscripted message boxes answer with
    // their first button; unscripted file dialogs are cancelled.
    void AnswerMessageBox(int answer);
    const std::vector<MessageBoxRecord>& MessageBoxes() const;
    void ClearMessageBoxes();
    void AnswerFileDialog(const std::string& path, int filterIndex = 1);
    void CancelFileDialog();
    const std::vector<FileDialogRecord>& FileDialogs() const;
    // The next modal loop that starts runs `script` with its window.
    void OnModal(std::function<void(Wnd& dialog)> script);

    std::string ClipboardText() const;
    bool ClipboardHasText() const;

    // The window's pixels (after painting what is pending).
    bool SavePng(Wnd& w, const std::string& path);
    Cursor ShownCursor(Wnd& top) const;
    bool IsShown(Wnd& top) const;
    std::string Title(Wnd& top) const;

private:
    friend class HeadlessBackend;
    Driver() = default;
};

}  // namespace headless
}  // namespace plat
