// The GTK 3 backend: real windows on a display.
//
// What it implements:
//   [x] a GtkWindow per top-level window, showing the backing surface in a
//       GtkDrawingArea; pop-ups without caption as GTK pop-up windows; dialogs
//       transient for their owner
//   [x] a GtkMenuBar built from the window's menu: mnemonics, separators,
//       grayed and checked items, submenus; item states asked of the command
//       routing when a menu opens; highlighted items reported for prompts;
//       the menu bar's key (F10, the "gtk-menu-bar-accel" setting) left to
//       the menu bar, which opens its first menu
//   [x] mouse buttons, motion, wheel and the pointer leaving; keys mapped to
//       virtual-key codes with the characters they type; focus in and out
//       as activation; the close button; moves and resizes
//   [x] GDK cursors for the standard shapes and for cursor images
//   [x] the application clock (monotonic), timers as g_timeout sources,
//       painting and idle processing as idle sources, posted work woken from
//       any thread
//   [x] native message dialogs, the GTK file chooser, the GTK clipboard
//   [ ] mouse capture beyond the implicit grab of a held button (a captured
//       pointer that leaves the window without a button held is not followed)
//   [ ] accelerator texts are not shown in the menu items
// This is the only place that includes GTK or GDK headers.
#pragma once

#include "platform/backend.h"
