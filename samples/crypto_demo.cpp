// A window with the path choosers and the crypto-parameters editor over the stand-in crypto
// library, to try them by hand (see the README).
#include "rtl/file_io.h"
#include "rtl/file_names.h"
#include "tools/file_path_choser.h"
#include "tools/system_info.h"
#include "vcl/base/windows_clean.h"
#include "vcl/core/application.h"
#include "vcl/core/forms.h"
#include "viewer/crypto_params_editor/crypto_params_editor.h"

namespace {

const char* const DemoEngines = "[Types]\r\n1=GOST\r\n2=RSA\r\n"
                                "[GOST]\r\nKeyFile=default.key\r\nPassword=\r\nContainer=main\r\n"
                                "[RSA]\r\nModulus=2048\r\nExponent=65537\r\n"
                                "[Sign]\r\nResult=0\r\n"
                                "[Errors]\r\n5=Key container not found\r\n";

TQZFilePathChoser* AddChooser(TForm* form, int top, const char* caption, bool file) {
    auto* choser = new TQZFilePathChoser(form);
    choser->SetParent(form);
    choser->SetBounds(8, top, 450, 44);
    choser->SetCaption(caption);
    choser->SetChooseFile(file);
    choser->SetOpenButtonVisible(true);
    return choser;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::string settings = ExtractFilePath(GetCurrentProgramFullName()) + "Sigmakit.ini";
    if (!FileExists(settings))
        WriteWholeFile(settings, DemoEngines);
    Application->Initialize();
    TForm* form = nullptr;
    Application->CreateForm(form);
    form->SetCaption("Crypto settings");
    form->SetBounds(100, 100, 480, 480);
    AddChooser(form, 8, "Templates folder", false);
    AddChooser(form, 56, "Crypto-parameters file", true);
    auto* editor = new TCryptoParamsEditor(form);
    editor->SetName("edCrypto");
    editor->SetParent(form);
    editor->SetBounds(8, 108, 450, 300);
    editor->SetCryptoEngineType("GOST");
    editor->SetInitCryptoControlsOnCreate(true);
    Application->Run();
    return 0;
}
