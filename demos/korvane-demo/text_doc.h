// The document of korvane-demo: the lines of a text file. It opens and
// saves text files, changes them through undoable actions (upper case, a
// line added at the end) and counts the words with a progress dialog. It
// is an editable object too: its "Properties" are the view's settings and
// the number of lines.
#pragma once

#include "demos/korvane-demo/view_settings.h"
#include "framework/document/action.h"
#include "framework/document/doc.h"
#include "framework/properties/basic_property.h"
#include "framework/properties/editable.h"

#include <string>
#include <vector>

namespace demo {

enum : unsigned {
    ID_UPPER_CASE = 32801,
    ID_ADD_LINE = 32802,
    ID_COUNT_WORDS = 32803,
    ID_VIEW_RIGHT_BAR = 32810,
};

class TextDoc : public Kor::Doc, public Kor::Editable<TextDoc> {
public:
    // The text changed.
    class TextChange : public Event {
    public:
        using Event::Event;
    };
    // The view's settings changed.
    class ViewChange : public Event {
    public:
        using Event::Event;
    };

    const ViewSettings& GetView() const { return view_; }
    void SetView(const ViewSettings& view);
    unsigned GetLineCount() const { return unsigned(lines_.size()); }
    // The properties: "View" (the settings, field by field) and "Lines".
    static void DeclareProperties(Kor::PropertyMapClassBase& map);
    // The "Line Numbers" setting, for a check box outside the editor.
    static Kor::BasicProperty<bool>& NumbersProperty();

    const std::vector<std::string>& Lines() const { return lines_; }
    void SetLines(std::vector<std::string> lines);
    // The line that Add Line appends (set by the frame's line field).
    void SetNewLine(const std::string& line) { newLine_ = line; }
    const std::string& GetNewLine() const { return newLine_; }
    // Milliseconds each step of the word count takes at least, so that
    // its progress can be watched.
    void SetCountStepDelay(unsigned ms) { stepDelay_ = ms; }
    // Counts the words line by line; -1 when the user cancelled.
    long CountWords();

    bool IsEmpty() const override { return Kor::Doc::IsEmpty() && !untitled_; }
    void New() override;
    void Close() override;

protected:
    void DoOpen(const std::string& path, int filterIndex) override;
    void DoSave(const std::string& path) override;
    const plat::CommandTable* GetCommandTable() const override;

private:
    void OnUpperCase();
    void OnAddLine();
    void OnCountWords();
    void OnUpdateNeedsText(plat::CmdUI* ui);
    void OnUpdateAddLine(plat::CmdUI* ui);

    std::vector<std::string> lines_;
    ViewSettings view_;
    std::string newLine_;
    bool untitled_ = false;
    unsigned stepDelay_ = 0;
};

// Makes every letter of the text upper case; undo brings the old text back.
class UpperCaseAction : public Kor::Action {
public:
    explicit UpperCaseAction(TextDoc& doc) : doc_(doc) {}
    bool Perform() override;
    void Undo() override { doc_.SetLines(before_); }
    std::string GetName() const override;

private:
    TextDoc& doc_;
    std::vector<std::string> before_;
};

// Appends a line at the end of the text.
class AddLineAction : public Kor::Action {
public:
    AddLineAction(TextDoc& doc, std::string line) : doc_(doc), line_(std::move(line)) {}
    bool Perform() override;
    void Undo() override;
    std::string GetName() const override;

private:
    TextDoc& doc_;
    std::string line_;
};

}  // namespace demo
