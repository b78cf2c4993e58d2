#include "tools/form_localization.h"

#include "rtl/published.h"
#include "rtl/strings.h"
#include "tools/property_readers.h"
#include "vcl/core/forms.h"

std::unique_ptr<TStringList> LocalizatorLanguagesIDs;

namespace {

TPropertyReader* ReaderFor(const TPropInfo& p) {
    if (!PropertyReadersList)
        return nullptr;
    if (p.Kind == TPropKind::String)
        return PropertyReadersList->FindReader(StringPropertyClass().Name());
    if ((p.Kind == TPropKind::Strings || p.Kind == TPropKind::Object) && p.ClassType)
        return PropertyReadersList->FindReader(p.ClassType().Name());
    return nullptr;
}

} // namespace

TQZLocFormsResources::TQZLocFormsResources() {
    ExcludedPropertiesList.Add("OwnerDrawMask");
}

void TQZLocFormsResources::SetForm(TCustomForm* value) {
    FForm = value;
    Resources.clear();
    if (value)
        ReadComponent(*value, FLocalizatorPrefix + "_");
}

void TQZLocFormsResources::ReadComponent(TComponent& component, const std::string& prefix) {
    const std::string own = prefix + component.Name() + "_";
    ReadObjectProperties(component, own);
    for (int i = 0; i < component.ComponentCount(); ++i)
        ReadComponent(*component.Components(i), own);
}

void TQZLocFormsResources::ReadObjectProperties(TObject& object, const std::string& prefix) {
    auto* component = dynamic_cast<TComponent*>(&object);
    if (component && component->Name().empty())
        return;
    for (const TPropInfo* p : object.ClassInfo().Properties()) {
        if (SameText(p->Name, "Name") || ExcludedPropertiesList.IndexOf(p->Name) >= 0)
            continue;
        TPropertyReader* reader = ReaderFor(*p);
        if (!reader)
            continue;
        if (LocalizeFormNow)
            reader->LocalizeObjectProperty(object, *p, prefix);
        else
            reader->ReadObjectProperty(*this, object, *p, prefix);
    }
}

void LocalizeForm(TCustomForm* Form, const std::string& Prefix) {
    if (!LocalizeFormNow || !Form)
        return;
    TQZLocFormsResources resources;
    resources.SetLocalizatorPrefix(Prefix);
    resources.SetForm(Form);
    // A form lays its controls out again for texts of other lengths; one without the method
    // needs nothing.
    CallPublishedMethod(*Form, "CorrectControlsPosition");
}

void InitFormLocalization() {
    InitPropertyReaders();
    LocalizatorLanguagesIDs = std::make_unique<TStringList>();
}

void DoneFormLocalization() {
    LocalizatorLanguagesIDs.reset();
    DonePropertyReaders();
}
