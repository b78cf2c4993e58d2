#pragma once
#include "rtl/custom_ini_file.h"
#include "rtl/string_list.h"
#include "vcl/base/component.h"
#include "vcl/base/set.h"
#include "vcl/core/forms.h"

#include <memory>
#include <string>

class TPropsStorage;

enum TPlacementOption { fpState, fpPosition, fpActiveControl };
using TPlacementOptions = TSet<TPlacementOption>;
enum TPlacementRegRoot {
    prCurrentUser,
    prLocalMachine,
    prCurrentConfig,
    prClassesRoot,
    prUsers,
    prDynData
};

// Keeps a form's window placement, and the published properties listed in StoredProps, in the
// program's ".prm" file (one section per form) or in a registry key. Placed on a form, it
// restores them when the form is shown and saves them when the form may close or goes.
//
// It takes over the form's OnShow, OnCloseQuery and OnDestroy when the form's loading ends, and
// calls the handlers it found there; so a form sets those handlers in its constructor.
class TZWFormStorage : public TComponent {
public:
    explicit TZWFormStorage(TComponent* AOwner);
    ~TZWFormStorage() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool Active() const { return fActive; }
    void SetActive(bool value) { fActive = value; }
    TStrings* StoredProps() const { return fStoredProps.get(); }
    // Takes the lines and asks each component they name to tell this storage when it goes.
    void SetStoredProps(const TStrings& value);
    std::string IniFileName() const { return fIniFileName; }
    void SetIniFileName(const std::string& value) { fIniFileName = value; }
    std::string IniSection() const { return fIniSectionName; }
    void SetIniSection(const std::string& value) { fIniSectionName = value; }
    bool UseRegistry() const { return fUseRegistry; }
    void SetUseRegistry(bool value) { fUseRegistry = value; }
    TPlacementRegRoot RegistryRoot() const { return FRegistryRoot; }
    void SetRegistryRoot(TPlacementRegRoot value) { FRegistryRoot = value; }
    bool StoredPlacement() const { return fStoredPlacement; }
    void SetStoredPlacement(bool value) { fStoredPlacement = value; }
    TPlacementOptions Options() const { return FOptions; }
    void SetOptions(TPlacementOptions value) { FOptions = value; }
    // Another storage whose store this one uses.
    TZWFormStorage* Host() const { return FHostFormStorage; }
    void SetHost(TZWFormStorage* value);

    // The store while a save or restore runs, else null.
    TCustomIniFile* IniFileObject() const { return FIniFile.get(); }
    TCustomForm* Form() const { return dynamic_cast<TCustomForm*>(Owner()); }

    // Restoring never raises: a missing or unreadable store leaves the form as designed.
    virtual void RestoreProperties();
    // Saving raises what the store raises (a file that cannot be written).
    virtual void SaveProperties();
    virtual void SavePlacement();
    virtual void RestorePlacement();

    TNotifyEvent OnSaveProperties;
    TNotifyEvent OnRestoreProperties;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void BeforeDestruction() override;

private:
    void SetEvents();
    void RestoreEvents();
    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FormDestroy(TObject* Sender);
    // Saves on the form's own way out, where no failure may keep it from closing.
    void SaveQuietly();

    void CheckParams();
    void IniNeeded(bool ReadOnly);
    void IniFree();
    // The store of the running save or restore, else one opened for a single call and handed
    // to once, which closes it.
    TCustomIniFile& IniFor(bool ReadOnly, std::unique_ptr<TCustomIniFile>& once);
    std::string DoReadString(const std::string& Section, const std::string& Ident,
                             const std::string& Default);
    void DoWriteString(const std::string& Section, const std::string& Ident,
                       const std::string& Value);
    void DoEraseSection(const std::string& Section);
    // Sets up a property storage over this store for the form's section.
    void PrepareProps(TPropsStorage& storage);

    void ReadPosition(TCustomForm* form);
    // False when the program was minimised in place of the form, and nothing more is to do.
    bool ReadState(TCustomForm* form);
    std::string ReadScreenKey(const std::string& key);

    bool fActive = false;
    std::unique_ptr<TStringList> fStoredProps;
    std::string fIniFileName;
    std::string fIniSectionName;
    bool fUseRegistry = false;
    std::unique_ptr<TCustomIniFile> FIniFile;
    TPlacementRegRoot FRegistryRoot = prCurrentUser;
    bool fStoredPlacement = true;
    TPlacementOptions FOptions;
    TZWFormStorage* FHostFormStorage = nullptr;
    TNotifyEvent FSaveFormShow;
    TCloseQueryEvent FSaveFormCloseQuery;
    TNotifyEvent FSaveFormDestroy;
    bool FHooked = false;
    bool FSaved = false;
    // The form was shown in this run: only then has it a placement worth keeping.
    bool FShown = false;
};
