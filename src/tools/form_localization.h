#pragma once
#include "rtl/string_list.h"
#include "tools/loc_resources.h"

#include <memory>
#include <string>

class TComponent;
class TCustomForm;

// The localisable values of a form: setting the form walks it and its components and, since
// LocalizeFormNow holds, puts the store's texts into their string and string-list properties.
class TQZLocFormsResources : public TQZLocResources {
public:
    TQZLocFormsResources();

    TCustomForm* Form() const { return FForm; }
    void SetForm(TCustomForm* value);

    // Properties never localised, by name.
    TStringList ExcludedPropertiesList;

private:
    void ReadComponent(TComponent& component, const std::string& prefix);
    void ReadObjectProperties(TObject& object, const std::string& prefix);

    TCustomForm* FForm = nullptr;
};

// Localising, not collecting, is what the program does.
constexpr bool LocalizeFormNow = true;

// Puts the texts of the store into the form's components under keys made of the prefix, the
// form's and the component's names and the property's name; then calls the form's published
// method "CorrectControlsPosition" when it has one.
void LocalizeForm(TCustomForm* Form, const std::string& Prefix);

extern std::unique_ptr<TStringList> LocalizatorLanguagesIDs;

// Start-up and end of the globals of form localisation: the property readers and the list of
// language identifiers.
void InitFormLocalization();
void DoneFormLocalization();
