#include "tools/localization_store.h"

#include "rtl/strings.h"
#include "tools/sorted_lists.h"

const std::string LocNotFoundMark(1, '\0');

std::unique_ptr<TFileLocalizator> FileLocalizator;

TFileLocalizator::~TFileLocalizator() {
    for (int i = 0; i < LangList.Count(); ++i)
        delete LangList.Objects(i);
}

TQZSortedParams* TFileLocalizator::GetLanguageID(const std::string& language) const {
    for (int i = 0; i < LangList.Count(); ++i)
        if (AnsiSameText(LangList[i].substr(0, language.size()), language))
            return static_cast<TQZSortedParams*>(LangList.Objects(i));
    return nullptr;
}

std::string TFileLocalizator::GetResource(const std::string& language,
                                          const std::string& id) const {
    TQZSortedParams* table = GetLanguageID(language);
    std::string text = table ? table->GetValue(id) : std::string();
    return text.empty() ? LocNotFoundMark : text;
}

std::string DefaultLanguageID() {
    return FileLocalizator ? FileLocalizator->LanguageID() : std::string();
}

std::string GetLocalResourceValue(const std::string& id, const std::string& language) {
    return FileLocalizator ? FileLocalizator->GetResource(language, id) : LocNotFoundMark;
}

bool SetLocalResourceValue(const std::string& id, const std::string& language,
                           const std::string& value) {
    return true;
}

void InitLocalizationStore() {
    FileLocalizator = std::make_unique<TFileLocalizator>();
}

void DoneLocalizationStore() {
    FileLocalizator.reset();
}
