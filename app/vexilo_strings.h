// Numbers of the program's own strings and commands (resources/vexilo/
// strings.txt, translated by vexilo.rus). The document's commands are in
// app/doc.h.
#pragma once

enum : unsigned {
    IDR_MAINFRAME = 128,  // the frame: title, "128.menu", "128.accel"; the icon "128.art"
    IDD_ABOUTBOX = 100,   // the About box
    IDS_ABOUT_CAPTION = 101,
    IDS_ABOUT_VERSION = 102,
    IDS_TOOLS_CAPTION = 310,
    IDS_PROPERTIES_CAPTION = 311,
    IDS_PIN_TOOL_TIP = 312,
    IDS_EXPORT_TITLE = 320,
    IDS_EXPORT_FILTER = 321,
    IDS_EXPORT_DEFAULT_EXT = 322,
    IDS_EXPORTING_CURVE = 323,
    IDS_CANNOT_WRITE = 324,
};

// The view's commands: the layer switches of the View menu and the pin tool.
enum : unsigned {
    ID_TOOL_PIN = 32770,
    ID_VIEW_POLYLINE = 32777,
    ID_VIEW_KNOTS = 32782,
    ID_VIEW_TANGENTS = 32783,
    ID_VIEW_PINS = 32787,
};

// The frame's own command: PolyBezier › Export SVG...
enum : unsigned {
    ID_POLYBEZIER_EXPORT_SVG = 32790,
};
