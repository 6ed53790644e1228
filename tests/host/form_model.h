// A form of the project as the form designer holds it: the form's own properties and its
// controls, each with the colour properties its class has, read from and written to a .frm
// file the way VB6 writes one. Controls may sit in containers (a Frame, a MultiPage's page):
// a contained control's position is relative to its container.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace host {

enum class ControlKind {
    Label,
    CommandButton,
    Shape,
    Line,
    Image,
    PictureBox,
    TextBox,
    Frame,
    MultiPage, // MSForms: its pages are controls of kind Page inside it
    Page
};

struct ColourProperty {
    const wchar_t* name;
    long value;
    long initial; // the class's default, which a .frm leaves out
};

struct FormControl {
    ControlKind kind = ControlKind::Label;
    unsigned id = 0;     // the form's own number for it, kept while it lives (0: none yet)
    unsigned parent = 0; // the container's id; 0 is the form
    long value = 0;      // a MultiPage's selected page, counted from 0
    std::wstring className; // as written after Begin, e.g. VB.CommandButton
    std::wstring name, caption;
    long left = 0, top = 0, width = 0, height = 0; // twips; a line's X1, Y1, X2 - X1, Y2 - Y1
    std::vector<ColourProperty> colours;           // only those its class has
    // Other lines of its block, kept as read: "Name", "value as written".
    std::vector<std::pair<std::wstring, std::wstring>> others;
    bool refusesWrites = false; // a test's way to make setting its properties fail

    ColourProperty* Colour(const std::wstring& property);
    bool IsContainer() const {
        return kind == ControlKind::Frame || kind == ControlKind::MultiPage ||
               kind == ControlKind::Page;
    }
};

struct FormModel {
    std::wstring name = L"Form1", className = L"VB.Form", caption = L"Form1", path;
    long backColor = static_cast<long>(0x8000000F);
    long clientWidth = 4680, clientHeight = 3090;
    std::vector<std::pair<std::wstring, std::wstring>> others;
    std::vector<FormControl> controls;
    std::wstring trailer; // the attributes and code after the form's block, as read
    bool changed = false;
    unsigned lastId = 0;

    // The control with this id, or controls.size() when it is gone.
    size_t IndexOf(unsigned id) const;
    // Gives every control without an id one.
    void Number();
    // Whether `id` is `container` or inside it, at any depth.
    bool Within(unsigned id, unsigned container) const;
    // Whether the designer shows it: not on a MultiPage's page that is not the selected one.
    bool Shown(size_t index) const;
};

// The component type an editor gives a form of this class: a VB6 form, MDI form, property
// page, user control or user document, or (`msForms`) a UserForm.
long ComponentType(const FormModel& form, bool msForms);

// A new control of the kind with its class's colour properties at their defaults; MSForms
// controls (`msForms`) have the colours of that library.
FormControl NewControl(ControlKind kind, const std::wstring& name, bool msForms);
// Reads a .frm (or .pag, .ctl, .dob): the controls it knows (Label, CommandButton, Shape, Line,
// Image, PictureBox, TextBox, Frame, of VB or MSForms; MultiPage and Page of MSForms), nested
// as written; false when the file is missing or is no form.
bool ReadForm(const std::wstring& path, bool msForms, FormModel* form);
// The .frm text VB6 writes for the form.
std::wstring FormText(const FormModel& form);
bool WriteForm(const std::wstring& path, const FormModel& form);

// A form, property page, user control or user document, by its extension.
bool IsFormFile(const std::wstring& path);

// A system colour is &H800000xx&; anything else must be an RGB value &H00BBGGRR&.
bool ValidColour(long value);

} // namespace host
