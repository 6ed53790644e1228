// The project's forms: opened from .frm files, shown in their designers, saved back.
#include "ide.h"
#include <commdlg.h>

namespace host {

std::shared_ptr<FormDesigner> Ide::OpenForm(const std::wstring& path) {
    FormModel model;
    if (!ReadForm(path, options_.vba, &model)) return nullptr;
    return AddForm(std::move(model));
}

std::shared_ptr<FormDesigner> Ide::AddForm(FormModel model) {
    auto form = std::make_shared<FormDesigner>(std::move(model), options_.vba, mdi_);
    form->OnActivated = [this](FormDesigner* f) {
        projectSelected_ = false;
        for (const auto& each : forms_)
            if (each.get() == f) lastForm_ = each;
    };
    forms_.push_back(form);
    lastForm_ = form;
    return form;
}

void Ide::SelectProject() {
    projectSelected_ = true;
    projectSelectedOver_ =
        mdi_ ? reinterpret_cast<HWND>(SendMessageW(mdi_, WM_MDIGETACTIVE, 0, 0)) : nullptr;
}

void Ide::SaveForm(FormDesigner& form, bool askForName) {
    std::wstring path = form.model().path;
    if (askForName || path.empty()) {
        wchar_t file[MAX_PATH];
        lstrcpynW(file, (form.model().name + L".frm").c_str(), MAX_PATH);
        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = frame_;
        ofn.lpstrFilter = L"Forms (*.frm)\0*.frm\0All files\0*.*\0";
        ofn.lpstrFile = file;
        ofn.nMaxFile = MAX_PATH;
        ofn.lpstrDefExt = L"frm";
        ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
        if (!GetSaveFileNameW(&ofn)) return;
        path = file;
    }
    if (!form.Save(path)) Report(L"The form could not be saved to " + path + L".");
}

} // namespace host
