// The IDE host: a main window with a menu bar, the "Standard" toolbar and code panes
// holding code modules, the VB6 (or VBA) extensibility object model over them, and the
// add-ins it loads. One Ide per program; tests make their own.
#pragma once
#include "addins.h"
#include "code_pane.h"
#include "com.h"
#include "command_bar.h"
#include "designer.h"
#include "faults.h"
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace host {

class CommandBarEventsObject;

struct IdeOptions {
    bool standardBar = true; // without it there is no "Standard" toolbar
    // Plays the Office VBA editor instead of the VB6 IDE: its window classes and title,
    // Office's command bars (buttons with Picture and Mask, command bar 2 is not "Standard"),
    // VBE.Version 7, and the VBA editor's add-in records.
    bool vba = false;
    // With vba: the Office application hosting the editor ("excel", "word", "powerpoint",
    // "access"); its code modules are then the documents' modules. Empty: none.
    std::wstring office;
    std::vector<std::wstring> files; // .bas modules and .frm forms to open; none gives an empty module
    std::wstring faults;             // see faults.h
    bool eventsAsUnknown = false;    // Events.CommandBarEvents gives VT_UNKNOWN
    bool interactive = false;        // report load failures in message boxes
    // The IDE's language: "de" gives the VB6 IDE's command bars their German names, so that
    // bar 2 is not called "Standard". Empty is English.
    std::wstring lang;
    // Run as administrator: Windows then reads COM classes of the machine only, not the
    // current user's (HKCU\Software\Classes).
    bool elevated = false;
    // The project is protected (locked for viewing in the VBA editor), or runs: the editors
    // then refuse every change to code and every property put on a designer (EditRefusal).
    bool locked = false;
    bool running = false;
    // Where, below HKCU, the controls added to command bars without Temporary are kept from
    // one session to the next (one subkey for each IDE played); empty keeps nothing.
    std::wstring barsKey = L"Software\\IdeHost\\CommandBars";
    bool quitOnClose = false;        // closing the window ends the message loop
    int showCommand = SW_SHOWNOACTIVATE;
};

class Ide : public std::enable_shared_from_this<Ide> {
  public:
    static std::shared_ptr<Ide> Create(const IdeOptions& options);
    ~Ide();
    Ide(const Ide&) = delete;
    Ide& operator=(const Ide&) = delete;

    // Unloads the add-ins and closes the window (also what closing the window does).
    void Close();
    // Ends as a crashed or killed IDE does: the add-ins never hear of it.
    void Crash();
    bool open() const { return frame_ != nullptr; }

    HWND hwnd() const { return frame_; }
    HWND toolbar() const { return toolbar_; }
    HWND mdiClient() const { return mdi_; }
    const IdeOptions& options() const { return options_; }
    FaultPlan& faults() { return *faults_; }
    std::shared_ptr<const FaultPlan> faultPlan() const { return faults_; }
    AddinManager& addins() { return addins_; }

    // The root object of the object model (a new reference).
    ComPtr<IDispatch> Vbe();

    // Command bars: by index (1-based, the menu bar and toolbars) or by name (all bars).
    size_t BarCount() const;
    CommandBar* BarAt(long index);
    CommandBar* BarNamed(const std::wstring& name);
    CommandBar* BarOf(const BarControl& control);
    std::shared_ptr<BarControl> AddControl(CommandBar& bar, long type, long before,
                                           bool temporary = false);
    // The first control of any bar that matches (-1 and an empty tag match all), or null.
    std::shared_ptr<BarControl> FindControl(long type, long id, const std::wstring* tag,
                                            bool visibleOnly);
    std::shared_ptr<BarControl> BuiltInById(long id);
    void DeleteControl(const BarControl& control);
    // Shows a changed control or bar again.
    void Refresh(CommandBar& bar);
    // Takes the clipboard's picture as the control's face.
    bool PasteFace(BarControl& control);
    // Office's way: the face from a picture, and a mask whose white pixels are transparent.
    bool SetFacePicture(BarControl& control, IUnknown* picture, bool isMask);
    // Where a toolbar button is, in the toolbar's client coordinates.
    bool ButtonRect(const BarControl& control, RECT* rect) const;

    // What a click on a control does: its Click events, then its own action unless an
    // event handler cancelled it.
    void Click(int commandId);
    void AddEventSource(CommandBarEventsObject* events);
    void RemoveEventSource(CommandBarEventsObject* events);

    // The code pane active in the MDI client (what the IDE's own commands act on), or null.
    std::shared_ptr<CodePane> ActivePane();
    // VBE.ActiveCodePane: the active or last active code pane, also while a designer is in
    // front of it; null when no pane is open.
    std::shared_ptr<CodePane> LastActivePane();
    // VBE.ActiveWindow: the MDI client's active code window or designer, else Nothing.
    ComPtr<IDispatch> ActiveWindow();
    const std::vector<std::shared_ptr<CodePane>>& panes() const { return panes_; }
    std::shared_ptr<CodePane> OpenModule(const std::wstring& path);
    std::shared_ptr<CodePane> NewModule();

    // Forms of the project, each with its designer (open, hidden or closed).
    const std::vector<std::shared_ptr<FormDesigner>>& forms() const { return forms_; }
    std::shared_ptr<FormDesigner> OpenForm(const std::wstring& path);
    std::shared_ptr<FormDesigner> AddForm(FormModel model);
    // VBE.SelectedVBComponent: the active window's component, else the last form selected;
    // null when there is none.
    ComPtr<IDispatch> SelectedComponent();
    // A click on the project in the Project window: no component is selected until a window
    // is activated.
    void SelectProject();

    // A failure the user should hear of (a message box when interactive).
    void Report(const std::wstring& text);
    const std::vector<std::wstring>& reports() const { return reports_; }

  private:
    explicit Ide(const IdeOptions& options);
    bool CreateWindows();
    void BuildBars();
    std::shared_ptr<BarControl> BuiltIn(CommandBar& bar, const std::wstring& caption, long type,
                                        std::function<void()> action);
    void RenderToolbar(CommandBar& bar);
    std::wstring BarsKey() const;
    // Customised controls written to, or read back from, the registry (bar_state.cpp).
    void SaveBars();
    void RestoreBars();
    void RenderMenu(CommandBar& bar);
    void SetFace(BarControl& control, std::vector<std::uint32_t> pixels, int width, int height);
    void Layout();
    const wchar_t* CodeClass() const;
    void OnPaneClosed(CodePane* pane);
    std::shared_ptr<CodePane> KeepPane(std::shared_ptr<CodePane> pane);
    void FillAddinManagerMenu(HMENU menu);
    void SaveActive(bool askForName);
    void SaveForm(FormDesigner& form, bool askForName);
    void OpenWithDialog();
    void EditCommand(UINT message);
    static LRESULT CALLBACK FrameProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleFrame(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void AddCommand(HMENU menu, const wchar_t* caption, std::function<void()> action);

    IdeOptions options_;
    std::shared_ptr<FaultPlan> faults_;
    HWND frame_ = nullptr, toolbar_ = nullptr, mdi_ = nullptr;
    HMENU windowMenu_ = nullptr, managerMenu_ = nullptr;
    std::vector<std::unique_ptr<CommandBar>> bars_;
    int nextCommand_ = 1000;
    std::map<int, std::function<void()>> commands_; // menu items that are no controls
    std::vector<AddinRecord> managerRecords_;       // as the Add-In Manager menu lists them
    std::vector<HBITMAP> faceBitmaps_;              // the toolbar's copies of pasted faces
    std::vector<std::shared_ptr<CodePane>> panes_;
    std::weak_ptr<CodePane> lastPane_;
    int untitled_ = 0;
    std::vector<CommandBarEventsObject*> eventSources_;
    AddinManager addins_;
    std::vector<std::wstring> reports_;
    std::vector<std::shared_ptr<FormDesigner>> forms_;
    std::weak_ptr<FormDesigner> lastForm_;
    bool projectSelected_ = false;
    HWND projectSelectedOver_ = nullptr; // the window active when the project was selected
    bool closing_ = false;
    bool restoring_ = false;
};

} // namespace host
