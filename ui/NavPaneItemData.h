#pragma once
// Base of the objects a navigation pane item can carry as its payload
// (albums, photo entries). The pane never owns them.

class CNavPaneItemData {
public:
    CNavPaneItemData() = default;
    CNavPaneItemData(const CNavPaneItemData&) = default;
    CNavPaneItemData& operator=(const CNavPaneItemData&) = default;
    virtual ~CNavPaneItemData() = default;

    int m_nItemData = 1;
};
