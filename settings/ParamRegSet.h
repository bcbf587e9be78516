#pragma once
// Settings persisted together under one section. Members are not owned.

#include <vector>

#include "settings/IParam.h"
#include "settings/RegStore.h"

class CParamRegSet {
public:
    explicit CParamRegSet(CRegStore* store) : m_store(store) {}

    void SetSection(const tstr& section) { m_section = section; }
    const tstr& GetSection() const { return m_section; }
    // Refuses a setting without a name and one already held.
    bool Add(IParamReg* setting);
    bool AddNamed(IParamReg* setting, const tstr& name);
    void LoadAllFrom(const tstr& section);
    void LoadAll();
    // Every member is written; false when any write failed.
    bool SaveAllTo(const tstr& section);
    bool SaveAll();
    void CommitAll();
    void RevertAll();
    void RemoveAll() { m_members.clear(); }

    const std::vector<IParamReg*>& Members() const { return m_members; }

private:
    std::vector<IParamReg*> m_members;
    CRegStore* m_store;
    tstr m_section = tstr(L"");
};
