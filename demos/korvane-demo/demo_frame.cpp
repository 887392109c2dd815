#include "demos/korvane-demo/demo_frame.h"

#include "demos/korvane-demo/demo_strings.h"
#include "framework/app/app_base.h"
#include "framework/app/command_ids.h"
#include "platform/message_box.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <stdexcept>

namespace demo {

namespace {
std::string S(unsigned id) { return Kor::AppBase::LoadString(id); }
}  // namespace

using Kor::CPoint;
using Kor::CRect;

// --- TextView ---

TextView::TextView(TextDoc& doc) : doc_(doc) {
    SetBackground(plat::GetSysColor(plat::COLOR_WINDOW));
    doc_.AddListener(this);
}

TextView::~TextView() {
    doc_.RemoveListener(this);
    if (Exists()) Destroy();
}

void TextView::ProcessEvent(Kor::Event& e) {
    if ((dynamic_cast<TextDoc::TextChange*>(&e) || dynamic_cast<TextDoc::ViewChange*>(&e)) && Exists()) InvalidateAll();
}

namespace {

std::string InCase(std::string line, LetterCase c) {
    if (c == LetterCase::AsTyped) return line;
    for (char& ch : line) {
        unsigned char u = static_cast<unsigned char>(ch);
        ch = char(c == LetterCase::Upper ? std::toupper(u) : std::tolower(u));
    }
    return line;
}

}  // namespace

void TextView::OnPaint(plat::DC& dc, const plat::Rect&) {
    const ViewSettings& v = doc_.GetView();
    // What cannot be drawn is limited here; the settings keep what was typed.
    float zoom = std::isfinite(v.zoom) ? std::min(std::max(v.zoom, 0.5f), 5.f) : 1.f;
    int spacing = int(std::min(v.spacing, 100u));
    int indent = std::min(std::max(v.indent, -1000), 2000);
    int gray = 255 - int(std::lround(float(v.shade) * 96));
    dc.FillSolidRect(GetClientRect(), plat::Color(std::uint8_t(gray), std::uint8_t(gray), std::uint8_t(gray)));
    plat::Font font = dc.GetFont();
    font.height = std::max(6, int(std::lround(font.height * zoom)));
    dc.SelectFont(font);
    dc.SetBkMode(plat::TRANSPARENT);
    int h = dc.GetTextHeight() + spacing, y = 4;
    if (!v.title.empty()) {
        plat::Font bold = font;
        bold.weight = plat::FW_BOLD;
        dc.SelectFont(bold);
        dc.SetTextColor(plat::GetSysColor(plat::COLOR_WINDOWTEXT));
        dc.TextOut(indent, y, v.title);
        dc.SelectFont(font);
        y += h + 4;
    }
    const auto& lines = doc_.Lines();
    int first = std::max(v.lines.first, 1), last = std::min(v.lines.last, int(lines.size()));
    for (int i = first; i <= last; ++i) {
        int x = indent;
        if (v.numbers) {
            dc.SetTextColor(plat::GetSysColor(plat::COLOR_GRAYTEXT));
            long long number = (long long)v.firstNumber + i - 1;
            dc.DrawText(std::to_string(number), CRect(indent - 6, y, indent + 24, y + h),
                        plat::DT_RIGHT | plat::DT_SINGLELINE);
            x = indent + 34;
        }
        dc.SetTextColor(plat::Color(v.colour.r, v.colour.g, v.colour.b));
        dc.TextOut(x, y, InCase(lines[std::size_t(i - 1)], v.letterCase));
        y += h;
    }
}

// --- LineText, ColourChoice ---

bool LineText::GetText(std::string& text) {
    text = doc_.GetNewLine();
    return true;
}

void LineText::SetText(const std::string& text) {
    if (text.find('\t') != std::string::npos) throw std::runtime_error(S(IDS_NO_TABS));
    doc_.SetNewLine(text);
}

const plat::Color ColourChoice::kColours[3] = {plat::Color(200, 30, 30), plat::Color(30, 170, 60),
                                               plat::Color(40, 70, 200)};

bool ColourChoice::GetColor(unsigned long& rgb) const {
    const auto& c = doc_.GetView().colour;
    rgb = (unsigned long)c.r << 16 | (unsigned long)c.g << 8 | c.b;
    return true;
}

void ColourChoice::SetColor(unsigned long rgb) {
    ViewSettings v = doc_.GetView();
    v.colour = img::BGRA<unsigned char>(std::uint8_t(rgb), std::uint8_t(rgb >> 8), std::uint8_t(rgb >> 16), 255);
    Invalidate();
    doc_.SetView(v);
}

void ColourChoice::HandleClick() {
    index_ = (index_ + 1) % 3;
    SetColor((unsigned long)kColours[index_].Packed());
    Kor::ColorBox::HandleClick();
}

// --- LinePanel ---

LinePanel::LinePanel(TextDoc& doc)
    : text(doc), numbers(TextDoc::NumbersProperty(), Kor::ObjectList{&doc}), colour(doc) {
    AddControl(&text);
    AddControl(&add);
    AddControl(&numbers);
    AddControl(&colour);
}

void LinePanel::LayoutControls() {
    int w = ClientSize().cx;
    text.SetBounds(CRect(0, 18, w, 18 + 22));
    add.SetBounds(CRect(0, RowTop(0), 24, RowTop(0) + 22));
    numbers.SetBounds(CRect(0, RowTop(1), 24, RowTop(1) + 22));
    colour.SetBounds(CRect(2, RowTop(2) + 2, 24, RowTop(2) + 20));
}

void LinePanel::HandlePaint(Kor::CDC* dc, const CRect& rect) {
    int w = ClientSize().cx;
    dc->FillSolidRect(CRect(CPoint(), ClientSize()), plat::GetSysColor(plat::COLOR_BTNFACE));
    dc->SetBkMode(plat::TRANSPARENT);
    dc->SetTextColor(plat::GetSysColor(plat::COLOR_BTNTEXT));
    unsigned fmt = plat::DT_LEFT | plat::DT_VCENTER | plat::DT_SINGLELINE | plat::DT_END_ELLIPSIS | plat::DT_NOPREFIX;
    dc->DrawText(S(IDS_NEW_LINE_LABEL), CRect(0, 0, w, 16), fmt);
    const unsigned labels[3] = {IDS_ADD_LABEL, IDS_NUMBERS_LABEL, IDS_COLOUR_LABEL};
    for (int i = 0; i < 3; ++i) {
        int y = RowTop(i);
        dc->DrawText(S(labels[i]), CRect(30, y, w, y + 22), fmt);
    }
    PaintChildren(dc, rect);
}

// --- DemoFrame ---

DemoFrame::DemoFrame(TextDoc& doc)
    : Kor::Frame(doc),
      view(doc),
      toolsPanel(*this, toolBar, 4),
      line(doc),
      linePanel(*this, line, 4),
      propertiesPanel(*this, properties, 0),
      doc_(doc) {
    toolBar.AddButton(Kor::ID_FILE_OPEN, "DEMO_OPEN", "DEMO_OPEN_MASK");
    toolBar.AddButton(Kor::ID_FILE_SAVE, "DEMO_SAVE", "DEMO_SAVE_MASK");
    toolBar.AddSeparator();
    toolBar.AddButton(Kor::ID_EDIT_UNDO, "DEMO_UNDO", "DEMO_UNDO_MASK");
    toolBar.AddButton(Kor::ID_EDIT_REDO, "DEMO_REDO", "DEMO_REDO_MASK");
    toolBar.AddSeparator();
    toolBar.AddButton(ID_UPPER_CASE, "DEMO_UPPER", "DEMO_UPPER_MASK");
    toolBar.AddButton(ID_COUNT_WORDS, "DEMO_COUNT", "DEMO_COUNT_MASK");
    // Two rows, to keep the panel narrow.
    toolBar.SetMaxRowWidth(3 * 23 + Kor::ToolBar::kSeparatorWidth);
    toolsPanel.SetCaption(S(IDS_TOOLS_CAPTION));
    toolsPanel.SetAlignment(Kor::Panel::Fill);
    GetToolBar().AddPanel(toolsPanel);
    linePanel.SetCaption(S(IDS_LINE_CAPTION));
    linePanel.SetAlignment(Kor::Panel::Top);
    GetRightBar().AddPanel(linePanel);
    propertiesPanel.SetCaption(S(IDS_PROPERTIES_CAPTION));
    propertiesPanel.SetAlignment(Kor::Panel::Fill);
    GetRightBar().AddPanel(propertiesPanel);
    properties.Open(&doc);
    // No bottom bar in this program.
    if (IsBottomVisible()) ToggleBottomVisible();
    line.add.SetOnClick([this] { SendCommand(ID_ADD_LINE); });
}

DemoFrame::~DemoFrame() {
    if (Exists()) Destroy();
}

Kor::PropertyRow* DemoFrame::FindPropertyRow(unsigned nameId) {
    std::string name = S(nameId);
    Kor::PropertyList& list = properties.GetList();
    for (unsigned i = 0; i < list.GetRowCount(); ++i)
        if (list.GetPropertyRow(i)->GetName() == name) return list.GetPropertyRow(i);
    return nullptr;
}

void DemoFrame::ProcessEvent(Kor::Event& e) {
    if (dynamic_cast<TextDoc::ViewChange*>(&e)) {
        line.numbers.Invalidate();
        line.colour.Invalidate();
        return;
    }
    Kor::Frame::ProcessEvent(e);
}

bool DemoFrame::OnCreate() {
    if (!Kor::Frame::OnCreate()) return false;
    if (!view.Create(this, CRect(), plat::WS_CHILD | plat::WS_VISIBLE | plat::WS_BORDER, Kor::AFX_IDW_PANE_FIRST))
        return false;
    RecalcLayout();
    return true;
}

const plat::CommandTable* DemoFrame::GetCommandTable() const {
    using T = plat::CommandTable;
    static const T table(nullptr, {
                                      T::Command(ID_VIEW_RIGHT_BAR, &DemoFrame::OnViewRightBar),
                                      T::Update(ID_VIEW_RIGHT_BAR, &DemoFrame::OnUpdateViewRightBar),
                                      T::Command(Kor::ID_VIEW_STATUS_BAR, &DemoFrame::OnViewStatusBar),
                                      T::Update(Kor::ID_VIEW_STATUS_BAR, &DemoFrame::OnUpdateViewStatusBar),
                                      T::Command(Kor::ID_APP_ABOUT, &DemoFrame::OnAbout),
                                  });
    return &table;
}

void DemoFrame::OnViewRightBar() { ToggleRightVisible(); }
void DemoFrame::OnUpdateViewRightBar(plat::CmdUI* ui) { ui->SetCheck(IsRightVisible() ? 1 : 0); }
void DemoFrame::OnViewStatusBar() { SetStatusBarVisible(!IsStatusBarVisible()); }
void DemoFrame::OnUpdateViewStatusBar(plat::CmdUI* ui) { ui->SetCheck(IsStatusBarVisible() ? 1 : 0); }

void DemoFrame::OnAbout() {
    plat::MessageBox(this, S(IDS_ABOUT), std::string(), plat::MB_OK | plat::MB_ICONINFORMATION);
}

}  // namespace demo
