#include "tools/form_storage.h"

#include "rtl/ini_file.h"
#include "rtl/published.h"
#include "rtl/reg_ini_file.h"
#include "tools/prop_storage.h"
#include "tools/system_info.h"
#include "tools/window_placement.h"
#include "vcl/core/screen.h"

namespace {

// The hourglass over the program while the store is read or written.
class TBusyCursor {
public:
    TBusyCursor() { Screen->SetCursor(crHourGlass); }
    ~TBusyCursor() { Screen->SetCursor(crDefault); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

bool EnclosedInQuotes(const std::string& value) {
    return !value.empty() && (value[0] == '"' || value[0] == '\'') && value.back() == value[0];
}

} // namespace

const TClassInfo& TZWFormStorage::StaticClassInfo() {
    using S = TZWFormStorage;
    static const TLasting<TClassInfo> info =
        TClassInfo("TZWFormStorage", &TComponent::StaticClassInfo())
            .Boolean("Active", &S::Active, &S::SetActive)
            .Strings("StoredProps", &S::StoredProps)
            .String("IniFileName", &S::IniFileName, &S::SetIniFileName)
            .String("IniSection", &S::IniSection, &S::SetIniSection)
            .Boolean("UseRegistry", &S::UseRegistry, &S::SetUseRegistry)
            .Enumeration("RegistryRoot", &S::RegistryRoot, &S::SetRegistryRoot,
                         {"prCurrentUser", "prLocalMachine", "prCurrentConfig", "prClassesRoot",
                          "prUsers", "prDynData"})
            .Boolean("StoredPlacement", &S::StoredPlacement, &S::SetStoredPlacement)
            .Set("Options", &S::Options, &S::SetOptions,
                 {"fpState", "fpPosition", "fpActiveControl"})
            .Object("Host", &S::Host, &S::SetHost);
    return *info;
}

TZWFormStorage::TZWFormStorage(TComponent* AOwner)
    : TComponent(AOwner), fStoredProps(std::make_unique<TStringList>()) {
    if (dynamic_cast<TCustomForm*>(AOwner))
        FOptions = {fpState, fpPosition};
}

TZWFormStorage::~TZWFormStorage() = default;

void TZWFormStorage::Loaded() {
    const bool loading = ComponentState().Contains(csLoading);
    TComponent::Loaded();
    if (loading && !ComponentState().Contains(csDesigning))
        SetEvents();
    UpdateStoredList(Owner(), *fStoredProps, true);
}

void TZWFormStorage::BeforeDestruction() {
    if (!ComponentState().Contains(csDesigning))
        RestoreEvents();
    TComponent::BeforeDestruction();
}

void TZWFormStorage::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FHostFormStorage)
        FHostFormStorage = nullptr;
    // A component that goes leaves its items without an object, so nothing reaches it.
    for (int i = 0; i < fStoredProps->Count(); ++i)
        if (fStoredProps->Objects(i) == AComponent)
            fStoredProps->PutObject(i, nullptr);
}

void TZWFormStorage::SetStoredProps(const TStrings& value) {
    fStoredProps->Assign(value);
    for (int i = 0; i < fStoredProps->Count(); ++i) {
        std::string compName, propName;
        if (!Owner() || !ParseStoredItem((*fStoredProps)[i], compName, propName))
            continue;
        if (TComponent* component = Owner()->FindComponent(compName)) {
            fStoredProps->PutObject(i, component);
            component->FreeNotification(this);
        }
    }
}

void TZWFormStorage::SetHost(TZWFormStorage* value) {
    if (value == this || value == FHostFormStorage)
        return;
    if (FHostFormStorage)
        FHostFormStorage->RemoveFreeNotification(this);
    FHostFormStorage = value;
    if (value)
        value->FreeNotification(this);
}

void TZWFormStorage::SetEvents() {
    TCustomForm* form = Form();
    if (!form || FHooked)
        return;
    FSaveFormShow = form->OnShow;
    FSaveFormCloseQuery = form->OnCloseQuery;
    FSaveFormDestroy = form->OnDestroy;
    form->OnShow = [this](TObject* Sender) { FormShow(Sender); };
    form->OnCloseQuery = [this](TObject* Sender, bool& CanClose) {
        FormCloseQuery(Sender, CanClose);
    };
    form->OnDestroy = [this](TObject* Sender) { FormDestroy(Sender); };
    FHooked = true;
}

void TZWFormStorage::RestoreEvents() {
    TCustomForm* form = Form();
    if (!form || !FHooked)
        return;
    form->OnShow = FSaveFormShow;
    form->OnCloseQuery = FSaveFormCloseQuery;
    form->OnDestroy = FSaveFormDestroy;
    FHooked = false;
}

void TZWFormStorage::FormShow(TObject* Sender) {
    FShown = true;
    if (fActive)
        RestoreProperties();
    Fire(FSaveFormShow, Sender);
}

void TZWFormStorage::FormCloseQuery(TObject* Sender, bool& CanClose) {
    Fire(FSaveFormCloseQuery, Sender, CanClose);
    if (CanClose && fActive && FShown) {
        Form()->HandleNeeded();
        SaveQuietly();
    }
}

void TZWFormStorage::FormDestroy(TObject* Sender) {
    // A form never shown in this run has no placement of its own: what is stored stays.
    if (fActive && !FSaved && FShown)
        SaveQuietly();
    Fire(FSaveFormDestroy, Sender);
}

void TZWFormStorage::SaveQuietly() {
    try {
        SaveProperties();
    } catch (...) {
        // A placement file that cannot be written must not keep the window open or the
        // program from ending; the window only loses its placement for the next run.
    }
}

void TZWFormStorage::CheckParams() {
    const std::string program = GetCurrentProgramFullName();
    if (fIniFileName.empty())
        fIniFileName = DefaultIniFileName(program, fUseRegistry);
    if (!fUseRegistry)
        fIniFileName = IniFileInProgramFolder(fIniFileName, program);
    if (fIniSectionName.empty() && Form())
        fIniSectionName = Form()->Name();
}

void TZWFormStorage::IniNeeded(bool ReadOnly) {
    if (FIniFile)
        return;
    if (FHostFormStorage) {
        FHostFormStorage->CheckParams();
        fIniFileName = FHostFormStorage->fIniFileName;
        FRegistryRoot = FHostFormStorage->FRegistryRoot;
        fUseRegistry = FHostFormStorage->fUseRegistry;
    }
    if (fUseRegistry)
        FIniFile =
            std::make_unique<TRegIniFile>(fIniFileName, TRegistryRoot(FRegistryRoot), ReadOnly);
    else
        FIniFile = std::make_unique<TIniFile>(fIniFileName);
}

void TZWFormStorage::IniFree() {
    FIniFile.reset();
}

TCustomIniFile& TZWFormStorage::IniFor(bool ReadOnly, std::unique_ptr<TCustomIniFile>& once) {
    if (FIniFile)
        return *FIniFile;
    IniNeeded(ReadOnly);
    once = std::move(FIniFile);
    return *once;
}

std::string TZWFormStorage::DoReadString(const std::string& Section, const std::string& Ident,
                                         const std::string& Default) {
    std::unique_ptr<TCustomIniFile> once;
    return IniFor(true, once).ReadString(Section, Ident, Default);
}

void TZWFormStorage::DoWriteString(const std::string& Section, const std::string& Ident,
                                   const std::string& Value) {
    std::unique_ptr<TCustomIniFile> once;
    TCustomIniFile& ini = IniFor(false, once);
    // The INI reader strips one pair of enclosing quotes, so a quoted value gets one more.
    if (!fUseRegistry && EnclosedInQuotes(Value))
        ini.WriteString(Section, Ident, "\"" + Value + "\"");
    else
        ini.WriteString(Section, Ident, Value);
}

void TZWFormStorage::DoEraseSection(const std::string& Section) {
    std::unique_ptr<TCustomIniFile> once;
    IniFor(false, once).EraseSection(Section);
}

void TZWFormStorage::PrepareProps(TPropsStorage& storage) {
    storage.SetSection(fIniSectionName);
    storage.OnReadString = [this](const std::string& s, const std::string& i,
                                  const std::string& d) { return DoReadString(s, i, d); };
    storage.OnWriteString = [this](const std::string& s, const std::string& i,
                                   const std::string& v) { DoWriteString(s, i, v); };
    storage.OnEraseSection = [this](const std::string& s) { DoEraseSection(s); };
}

void TZWFormStorage::RestoreProperties() {
    TBusyCursor busy;
    CheckParams();
    TPropsStorage storage;
    PrepareProps(storage);
    try {
        IniNeeded(false);
        if (fStoredPlacement)
            RestorePlacement();
        storage.LoadObjectsProps(Owner(), *fStoredProps);
    } catch (...) {
        // A store that cannot be read leaves the form as it was designed.
    }
    // Each run reads the store afresh, so several windows sharing one file never write back
    // what another has replaced in the meantime.
    IniFree();
    Fire(OnRestoreProperties, this);
    FSaved = false;
}

void TZWFormStorage::SaveProperties() {
    TBusyCursor busy;
    CheckParams();
    TPropsStorage storage;
    PrepareProps(storage);
    struct TIniScope {
        TZWFormStorage* Storage;
        ~TIniScope() { Storage->IniFree(); }
    } scope{this};
    IniNeeded(false);
    if (fStoredPlacement)
        SavePlacement();
    storage.StoreObjectsProps(Owner(), *fStoredProps);
    Fire(OnSaveProperties, this);
    FSaved = true;
}
