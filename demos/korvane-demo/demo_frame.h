// The main frame of korvane-demo: the text in the middle, a tool bar in the
// "Tools" panel at the left, and at the right a "Line" panel with the line
// to add (edited in place), its Add button, a check box for line numbers
// and a colour box for the text colour, and below it a "Properties" panel
// with the document's properties (the view's settings) in a property
// editor. The check box and the colour box edit the same settings.
#pragma once

#include "demos/korvane-demo/text_doc.h"
#include "framework/controls/check_box.h"
#include "framework/controls/color_box.h"
#include "framework/controls/glyph_button.h"
#include "framework/controls/text_control.h"
#include "framework/controls/tool_bar.h"
#include "framework/frame/frame.h"
#include "framework/frame/widget_panel.h"
#include "framework/properties/bool_control.h"
#include "framework/property_editor/p_editor.h"
#include "framework/property_editor/property_row.h"
#include "platform/wnd.h"

namespace demo {

// The view: the document's lines as its view settings say (title, letter
// case, numbers, spacing, indent, zoom, shade, colour, the lines shown).
class TextView : public plat::Wnd, public Kor::EventListener {
public:
    explicit TextView(TextDoc& doc);
    ~TextView() override;
    void ProcessEvent(Kor::Event& e) override;

protected:
    void OnPaint(plat::DC& dc, const plat::Rect& update) override;

private:
    TextDoc& doc_;
};

// The line that Add Line appends. Tabs are refused.
class LineText : public Kor::TextControl {
public:
    explicit LineText(TextDoc& doc) : doc_(doc) {}
    bool GetText(std::string& text) override;
    void SetText(const std::string& text) override;

private:
    TextDoc& doc_;
};

// The colour box shows the text colour and sets the next of three colours
// when clicked.
class ColourChoice : public Kor::ColorBox {
public:
    static const plat::Color kColours[3];
    explicit ColourChoice(TextDoc& doc) : doc_(doc) {}
    using Kor::ColorBox::GetColor;
    using Kor::ColorBox::SetColor;
    bool GetColor(unsigned long& rgb) const override;
    void SetColor(unsigned long rgb) override;
    void HandleClick() override;

private:
    TextDoc& doc_;
    int index_ = 0;
};

// The content of the "Line" panel: four rows with their labels.
class LinePanel : public Kor::Widget, public Kor::Container {
public:
    explicit LinePanel(TextDoc& doc);
    LineText text;
    Kor::GlyphButton add{"DEMO_ADD"};
    Kor::TypedControl<bool> numbers;  // the "Line Numbers" property
    ColourChoice colour;

    Kor::CSize PreferredSize() const override { return Kor::CSize(170, RowTop(3) + kRow); }
    void LayoutControls() override;
    void HandlePaint(Kor::CDC* dc, const Kor::CRect& rect) override;

private:
    // The field under its label, then three rows of a control and a label.
    static constexpr int kRow = 26;
    static int RowTop(int row) { return 44 + row * kRow; }
};

class DemoFrame : public Kor::Frame {
public:
    explicit DemoFrame(TextDoc& doc);
    ~DemoFrame() override;

    TextView view;
    Kor::ToolBar toolBar;
    Kor::WidgetPanel toolsPanel;
    LinePanel line;
    Kor::WidgetPanel linePanel;
    Kor::PEditor properties;
    Kor::WidgetPanel propertiesPanel;

    // The row of the "Properties" panel named by string `nameId`, if shown.
    Kor::PropertyRow* FindPropertyRow(unsigned nameId);
    // A change of the view's settings shows in the "Line" panel too.
    void ProcessEvent(Kor::Event& e) override;

protected:
    bool OnCreate() override;
    const plat::CommandTable* GetCommandTable() const override;

private:
    void OnViewRightBar();
    void OnUpdateViewRightBar(plat::CmdUI* ui);
    void OnViewStatusBar();
    void OnUpdateViewStatusBar(plat::CmdUI* ui);
    void OnAbout();

    TextDoc& doc_;
};

}  // namespace demo
