#pragma once
#include "rtl/string_list.h"

#include <memory>
#include <string>

class TQZSortedParams;

// What every look-up gives for a missing language, a missing key or an empty text.
extern const std::string LocNotFoundMark;

// The texts of the program per language: each line of LangList is a language identifier whose
// object is its key -> text table (a TQZSortedParams, owned). The program fills no table, so
// every look-up misses.
class TFileLocalizator : public TObject {
public:
    TFileLocalizator() = default;
    ~TFileLocalizator() override;

    // The table of the first language whose identifier starts with language, without regard
    // to case; nullptr when none does.
    TQZSortedParams* GetLanguageID(const std::string& language) const;
    // The text of id in the language, or LocNotFoundMark.
    std::string GetResource(const std::string& language, const std::string& id) const;

    const std::string& LanguageID() const { return FLanguageID; }
    void SetLanguageID(const std::string& value) { FLanguageID = value; }

    TStringList LangList;
    TStringList ShortLanguages;

private:
    std::string FLanguageID = "RUSSIAN";
};

extern std::unique_ptr<TFileLocalizator> FileLocalizator;

std::string DefaultLanguageID();
std::string GetLocalResourceValue(const std::string& id, const std::string& language);
// Texts are never stored; the answer is always True.
bool SetLocalResourceValue(const std::string& id, const std::string& language,
                           const std::string& value);

void InitLocalizationStore();
void DoneLocalizationStore();
