#include "settings/ParamRegSet.h"

#include <algorithm>

bool CParamRegSet::Add(IParamReg* setting) {
    if (!setting || setting->GetName().IsEmpty()) return false;
    if (std::find(m_members.begin(), m_members.end(), setting) != m_members.end()) return false;
    m_members.push_back(setting);
    return true;
}

bool CParamRegSet::AddNamed(IParamReg* setting, const tstr& name) {
    if (!setting) return false;
    setting->SetName(name);
    return Add(setting);
}

void CParamRegSet::LoadAllFrom(const tstr& section) {
    if (!m_store) return;
    for (IParamReg* setting : m_members) setting->Load(*m_store, section);
}

void CParamRegSet::LoadAll() {
    if (!m_section.IsEmpty()) LoadAllFrom(m_section);
}

bool CParamRegSet::SaveAllTo(const tstr& section) {
    if (!m_store) return false;
    bool saved = true;
    for (IParamReg* setting : m_members) saved = setting->Save(*m_store, section) && saved;
    return saved;
}

bool CParamRegSet::SaveAll() { return !m_section.IsEmpty() && SaveAllTo(m_section); }

void CParamRegSet::CommitAll() {
    for (IParamReg* setting : m_members) setting->Commit();
}

void CParamRegSet::RevertAll() {
    for (IParamReg* setting : m_members) setting->Revert();
}
