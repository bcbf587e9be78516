#include "settings/ParamDlgSet.h"

#include <algorithm>
#include <new>

#include "settings/ParamDlg.h"

CParamDlgSet::~CParamDlgSet() { DetachAll(); }

bool CParamDlgSet::Add(IParam* setting, IParamDlg* binding) {
    if (!binding) return true;
    if (std::find(m_members.begin(), m_members.end(), binding) != m_members.end()) return false;
    m_members.push_back(binding);
    binding->SetOwner(this);
    binding->SetParam(setting);
    if (setting) setting->Attach(binding);
    return true;
}

void CParamDlgSet::DetachAll() {
    while (!m_members.empty()) {
        IParamDlg* binding = m_members.front();
        m_members.erase(m_members.begin());
        if (IParam* setting = binding->GetParam()) setting->Detach(binding);
        binding->SetParam(nullptr);
        binding->SetOwner(nullptr);
        delete binding;
    }
}

void CParamDlgSet::Forget(IParamDlg* binding) {
    auto at = std::find(m_members.begin(), m_members.end(), binding);
    if (at != m_members.end()) m_members.erase(at);
}

// Indexes rather than iterators throughout: a binding's work can send
// messages that come back here and change the list.
void CParamDlgSet::OnInit(HWND dialog) {
    for (size_t i = 0; i < m_members.size(); ++i) {
        IParamDlg* binding = m_members[i];
        IParam* setting = binding->GetParam();
        if (setting) setting->Commit();
        binding->Attach(dialog);
        if (setting) setting->Refresh(dialog);
    }
}

INT_PTR CParamDlgSet::OnCommand(HWND dialog, WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case IDCANCEL:
        for (size_t i = 0; i < m_members.size(); ++i) {
            if (IParam* setting = m_members[i]->GetParam()) setting->Revert();
        }
        DetachAll();
        break;
    case IDOK:
        SetFocus(GetDlgItem(dialog, IDOK));
        DetachAll();
        break;
    default:
        for (size_t i = 0; i < m_members.size(); ++i) m_members[i]->OnCommand(dialog, wParam, lParam);
        break;
    }
    return 0;
}

INT_PTR CParamDlgSet::OnNotify(HWND dialog, WPARAM wParam, LPARAM lParam) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    for (size_t i = 0; i < m_members.size(); ++i) m_members[i]->OnNotify(dialog, wParam, header);
    return 0;
}

namespace {

template <class T>
bool Bind(CParamDlgSet* set, CParam<T>* setting, int kind, int controlId) {
    if (!set || !setting) return false;
    CParamDlg<T>* binding = new (std::nothrow) CParamDlg<T>;
    if (!binding) return false;
    binding->Init(kind, controlId);
    if (set->Add(setting, binding)) return true;
    delete binding;
    return false;
}

}  // namespace

bool BindParam(CParamDlgSet* set, CParam<tstr>* setting, int kind, int controlId) {
    return Bind(set, setting, kind, controlId);
}
bool BindParam(CParamDlgSet* set, CParam<bool>* setting, int kind, int controlId) {
    return Bind(set, setting, kind, controlId);
}
bool BindParam(CParamDlgSet* set, CParam<int>* setting, int kind, int controlId) {
    return Bind(set, setting, kind, controlId);
}
bool BindParam(CParamDlgSet* set, CParam<unsigned long>* setting, int kind, int controlId) {
    return Bind(set, setting, kind, controlId);
}
