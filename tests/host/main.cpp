// The IDE host program: plays the VB6 IDE (or the Office VBA editor) for add-ins on a
// machine without it.
//
//   idehost [/vba] [/nostandardbar] [/cmd] [/lang:de] [/elevated] [/fail:<faults>]
//           [module.bas | form.frm ...]
//
// A .frm opens in a form designer (the first one shown); the others are modules.
// /vba            play the VBA editor: its window classes, Office's command bars, the VBA
//                 editor's add-in records (Addins, or Addins64 for the 64-bit host)
// /office=excel   with /vba: the editor of Excel (word, powerpoint, access): code modules are
//                 document modules whose Properties("Application").Value.Name says which
// /nostandardbar  start without the "Standard" toolbar, so there is no command bar 2
// /cmd            load the add-ins registered for command-line starts (LoadBehavior 2)
// /lang:de        a German VB6: its command bars have German names (bar 2 is not "Standard")
// /elevated       run as administrator would: per-user COM classes are not seen
// /locked         the project is protected: code and designers refuse every change
// /running        the project runs: code and designers refuse every change
// Controls that add-ins add without Temporary stay from one session to the next, under
// HKCU\Software\IdeHost\CommandBars.
// /fail:<faults>  make object-model calls fail (see faults.h); IDEHOST_FAIL works too
#include "ide.h"
#include <shellapi.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    host::IdeOptions options;
    options.interactive = true;
    options.quitOnClose = true;
    options.showCommand = show;
    bool commandLine = false;
    wchar_t env[2048];
    if (GetEnvironmentVariableW(L"IDEHOST_FAIL", env, 2048)) options.faults = env;
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; argv && i < argc; ++i) {
        const std::wstring a = argv[i];
        if (host::SameText(a, L"/vba"))
            options.vba = true;
        else if (a.rfind(L"/office=", 0) == 0)
            options.office = a.substr(8);
        else if (host::SameText(a, L"/nostandardbar"))
            options.standardBar = false;
        else if (host::SameText(a, L"/cmd"))
            commandLine = true;
        else if (a.rfind(L"/lang:", 0) == 0)
            options.lang = a.substr(6);
        else if (host::SameText(a, L"/elevated"))
            options.elevated = true;
        else if (host::SameText(a, L"/locked"))
            options.locked = true;
        else if (host::SameText(a, L"/running"))
            options.running = true;
        else if (a.rfind(L"/fail:", 0) == 0)
            options.faults += L"," + a.substr(6);
        else
            options.files.push_back(a);
    }
    if (argv) LocalFree(argv);

    if (FAILED(OleInitialize(nullptr))) return 1;
    int code = 1;
    {
        auto ide = host::Ide::Create(options);
        if (ide) {
            ide->addins().LoadAtStartup(commandLine);
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                if (ide->mdiClient() && TranslateMDISysAccel(ide->mdiClient(), &msg)) continue;
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            code = 0;
        }
    }
    CoFreeUnusedLibraries();
    OleUninitialize();
    return code;
}
