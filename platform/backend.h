// What a backend provides: top-level windows that show a backing surface,
// the native event source and clock, and the native dialogs and clipboard.
// Everything above the top-level window (the window tree, painting, input
// routing, timers, commands) is shared by all backends.
#pragma once

#include "platform/file_dialog.h"
#include "platform/geometry.h"

#include <cstdint>
#include <memory>
#include <string>

namespace plat {

class Cursor;
class Menu;
class Wnd;

// The backend's side of one top-level window.
class TopLevelPort {
public:
    virtual ~TopLevelPort() = default;
    virtual void SetTitle(const std::string& title) = 0;
    virtual void Show(bool show, bool activate, bool maximize) = 0;
    // The layer moved or resized the window (screen rectangle of the surface).
    virtual void Move(const Rect& screenRect) = 0;
    // Pixels of the backing surface changed there (surface coordinates).
    virtual void Present(const Rect& dirty) = 0;
    virtual void SetCursor(const Cursor& cursor) = 0;
    virtual void MenuChanged(Menu* menu) = 0;
    virtual void Activate() = 0;
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual const char* Name() const = 0;
    virtual std::unique_ptr<TopLevelPort> CreatePort(Wnd& window) = 0;
    virtual std::uint64_t Now() const = 0;
    virtual Size ScreenSize() const = 0;
    // Handles what is pending; when nothing is, waits up to `maxWaitMs`
    // (0: not at all; negative: as long as something can still arrive).
    // False when it found nothing to do.
    virtual bool Iterate(int maxWaitMs) = 0;
    // Thread-safe: posted work is waiting (or a waited-for event was set).
    virtual void Wake() = 0;
    // App::FireTimers should run at `due` (UINT64_MAX: no timer).
    virtual void ScheduleTimers(std::uint64_t due) = 0;
    virtual void RequestPaint() = 0;
    virtual void RequestIdle() = 0;

    virtual int MessageBox(Wnd* owner, const std::string& text, const std::string& caption, unsigned type) = 0;
    virtual FileDialog::Answer RunFileDialog(Wnd* owner, const FileDialog& dialog) = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    virtual bool GetClipboardText(std::string& text) = 0;
    virtual bool HasClipboardText() = 0;
    // The save dialog asks itself before a chosen file is replaced.
    virtual bool ConfirmsOverwrite() const { return false; }
    // A modal loop of `dialog` starts (the headless backend runs its script).
    virtual void ModalLoopStarted(Wnd& dialog) { (void)dialog; }
};

// The backends (each in its own folder).
std::unique_ptr<Backend> CreateHeadlessBackend();
std::unique_ptr<Backend> CreateGtkBackend();  // null when no display opens

}  // namespace plat
