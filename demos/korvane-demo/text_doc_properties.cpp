// The properties of korvane-demo's document: the view's settings as one
// structure, "View", whose fields are edited through it (each edit reads the
// settings, changes one field and writes them back with SetView), and the
// number of lines, which has no write and so is read-only.
//
//   View                 the settings
//     Background Shade   Percent<0>
//     Layout             a group: Indent (int), Line Spacing (unsigned),
//                        Zoom (float), read-only while Lock Layout is on
//     Letter Case        an enumeration
//     Line Numbers       a check box heading First Number (int), which is
//                        shown only while the lines are numbered
//     Lock Layout        bool
//     Shown Lines        a Span: First, Last
//     Text Colour        a colour
//     Title              a string
//   Lines                the number of lines
#include "demos/korvane-demo/demo_strings.h"
#include "demos/korvane-demo/text_doc.h"
#include "framework/properties/bool_access.h"
#include "framework/properties/group_property.h"
#include "framework/properties/object_access.h"
#include "framework/properties/property_group.h"
#include "framework/properties/span_property.h"
#include "framework/properties/struct_property.h"

template <>
struct Kor::EnumChoices<demo::LetterCase> {
    static std::vector<Kor::EnumChoice<demo::LetterCase>> Get() {
        return {{demo::LetterCase::AsTyped, Kor::ResourceString(demo::IDS_CASE_AS_TYPED)},
                {demo::LetterCase::Upper, Kor::ResourceString(demo::IDS_CASE_UPPER)},
                {demo::LetterCase::Lower, Kor::ResourceString(demo::IDS_CASE_LOWER)}};
    }
};

template <>
class Kor::Property<demo::ViewSettings> : public Kor::StructProperty<demo::ViewSettings> {
public:
    using StructProperty::StructProperty;
    Kor::GroupProperty<bool>* numbers = nullptr;

protected:
    void Init() override;
};

namespace demo {

using Kor::ResourceString;

namespace {

Kor::Property<ViewSettings>& ViewProperty() {
    static Kor::Property<ViewSettings> view(true);
    return view;
}

boost::shared_ptr<Kor::ReadAccess<bool>> Setting(bool ViewSettings::*member) {
    return boost::shared_ptr<Kor::ReadAccess<bool>>(new Kor::PropertyValue<ViewSettings, bool>(ViewProperty(), member));
}

}  // namespace

void TextDoc::DeclareProperties(Kor::PropertyMapClassBase& map) {
    Kor::Property<ViewSettings>& view = ViewProperty();
    view.Hint(ResourceString(IDS_VIEW_HINT))
        .Read(boost::shared_ptr<Kor::ReadAccess<ViewSettings>>(
            new Kor::GetObjectRefFunction<TextDoc, ViewSettings>(&TextDoc::GetView)))
        .Write(boost::shared_ptr<Kor::WriteAccess<ViewSettings>>(
            new Kor::SetObjectRefFunction<TextDoc, ViewSettings>(&TextDoc::SetView)));
    static Kor::Property<unsigned> lines;
    lines.Hint(ResourceString(IDS_LINE_COUNT_HINT))
        .Read(boost::shared_ptr<Kor::ReadAccess<unsigned>>(
            new Kor::GetObjectValueFunction<TextDoc, unsigned>(&TextDoc::GetLineCount)));
    map.Add(ResourceString(IDS_VIEW), view);
    map.Add(ResourceString(IDS_LINE_COUNT), lines);
}

Kor::BasicProperty<bool>& TextDoc::NumbersProperty() {
    ClassProperties();
    ViewProperty().GetSubProperties();
    return *ViewProperty().numbers;
}

}  // namespace demo

void Kor::Property<demo::ViewSettings>::Init() {
    using demo::ViewSettings;
    auto locked = demo::Setting(&ViewSettings::locked);
    AddField(ResourceString(demo::IDS_SHADE), &ViewSettings::shade).Hint(ResourceString(demo::IDS_SHADE_HINT));

    static Kor::PropertyGroup layout(ResourceString(demo::IDS_LAYOUT_HINT), true);
    layout.Add(ResourceString(demo::IDS_INDENT),
               MakeField(&ViewSettings::indent).Hint(ResourceString(demo::IDS_INDENT_HINT)).ReadOnlyWhen(locked));
    layout.Add(ResourceString(demo::IDS_SPACING),
               MakeField(&ViewSettings::spacing).Hint(ResourceString(demo::IDS_SPACING_HINT)).ReadOnlyWhen(locked));
    layout.Add(ResourceString(demo::IDS_ZOOM),
               MakeField(&ViewSettings::zoom).Hint(ResourceString(demo::IDS_ZOOM_HINT)).ReadOnlyWhen(locked));
    Add(ResourceString(demo::IDS_LAYOUT), layout);

    AddField(ResourceString(demo::IDS_LETTER_CASE), &ViewSettings::letterCase)
        .Hint(ResourceString(demo::IDS_LETTER_CASE_HINT));
    numbers = &AddField<bool, Kor::GroupProperty<bool>>(ResourceString(demo::IDS_NUMBERS), &ViewSettings::numbers);
    numbers->Hint(ResourceString(demo::IDS_NUMBERS_HINT));
    numbers->DefaultExpanded(true);
    numbers->Add(ResourceString(demo::IDS_FIRST_NUMBER), MakeField(&ViewSettings::firstNumber)
                                                             .Hint(ResourceString(demo::IDS_FIRST_NUMBER_HINT))
                                                             .VisibleWhen(demo::Setting(&ViewSettings::numbers)));
    AddField(ResourceString(demo::IDS_LOCK_LAYOUT), &ViewSettings::locked)
        .Hint(ResourceString(demo::IDS_LOCK_LAYOUT_HINT));
    AddField<Kor::Span, Kor::Property<Kor::Span>>(ResourceString(demo::IDS_SHOWN_LINES), &ViewSettings::lines)
        .Hint(ResourceString(demo::IDS_SHOWN_LINES_HINT));
    AddField(ResourceString(demo::IDS_TEXT_COLOUR), &ViewSettings::colour)
        .Hint(ResourceString(demo::IDS_TEXT_COLOUR_HINT));
    AddField(ResourceString(demo::IDS_TITLE), &ViewSettings::title).Hint(ResourceString(demo::IDS_TITLE_HINT));
}
