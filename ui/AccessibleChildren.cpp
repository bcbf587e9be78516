#include "ui/AccessibleChildren.h"

#include <oleacc.h>

namespace {

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

void SetChildId(VARIANT* out, long id) {
    VariantInit(out);
    out->vt = VT_I4;
    out->lVal = id;
}

}  // namespace

class CAccessibleObject final : public IAccessible {
public:
    CAccessibleObject(HWND hwnd, IAccessibleSource& source) : m_hwnd(hwnd), m_source(&source) {
        CreateStdAccessibleObject(hwnd, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&m_standard));
    }

    void Disconnect() {
        m_source = nullptr;
        if (m_standard) m_standard->Release();
        m_standard = nullptr;
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&m_refs); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG refs = InterlockedDecrement(&m_refs);
        if (refs == 0) {
            Disconnect();
            delete this;
        }
        return static_cast<ULONG>(refs);
    }

    // IDispatch: not offered; clients use the IAccessible methods.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        if (!m_source) return RPC_E_DISCONNECTED;
        return m_standard ? m_standard->get_accParent(parent) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        if (!m_source) return RPC_E_DISCONNECTED;
        *count = m_source->AccessibleChildCount();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        AccessibleChild item;
        const HRESULT found = Find(child, item);
        // Children are simple elements of this object.
        return FAILED(found) ? found : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!name) return E_POINTER;
        *name = nullptr;
        if (IsSelf(child)) return Standard() ? m_standard->get_accName(child, name) : RPC_E_DISCONNECTED;
        AccessibleChild item;
        if (HRESULT found = Find(child, item); FAILED(found)) return found;
        *name = SysAllocString(item.name.c_str());
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!value) return E_POINTER;
        *value = nullptr;
        if (IsSelf(child)) return Standard() ? m_standard->get_accValue(child, value) : RPC_E_DISCONNECTED;
        AccessibleChild item;
        const HRESULT found = Find(child, item);
        return FAILED(found) ? found : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return NoText(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!role) return E_POINTER;
        VariantInit(role);
        AccessibleChild item;
        if (IsSelf(child)) {
            if (!m_source) return RPC_E_DISCONNECTED;
            item.role = m_source->AccessibleRole();
        } else if (HRESULT found = Find(child, item); FAILED(found)) {
            return found;
        }
        SetChildId(role, item.role);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!state) return E_POINTER;
        VariantInit(state);
        if (IsSelf(child)) return Standard() ? m_standard->get_accState(child, state) : RPC_E_DISCONNECTED;
        AccessibleChild item;
        if (HRESULT found = Find(child, item); FAILED(found)) return found;
        SetChildId(state, item.state);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override { return NoText(child, text); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
        return NoText(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!focus) return E_POINTER;
        VariantInit(focus);
        if (!m_source) return RPC_E_DISCONNECTED;
        if (GetFocus() != m_hwnd) return S_FALSE;
        SetChildId(focus, FirstWith(STATE_SYSTEM_FOCUSED));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (!selection) return E_POINTER;
        VariantInit(selection);
        if (!m_source) return RPC_E_DISCONNECTED;
        // The first selected child stands for the selection.
        const long id = FirstWith(STATE_SYSTEM_SELECTED);
        if (id == CHILDID_SELF) return S_FALSE;
        SetChildId(selection, id);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return NoText(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        *left = *top = *width = *height = 0;
        RECT rect = {};
        if (IsSelf(child)) {
            if (!m_source) return RPC_E_DISCONNECTED;
            GetClientRect(m_hwnd, &rect);
        } else {
            AccessibleChild item;
            if (HRESULT found = Find(child, item); FAILED(found)) return found;
            rect = item.rect;
        }
        MapWindowPoints(m_hwnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        *left = rect.left;
        *top = rect.top;
        *width = rect.right - rect.left;
        *height = rect.bottom - rect.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        if (!end) return E_POINTER;
        VariantInit(end);
        if (!m_source) return RPC_E_DISCONNECTED;
        const long count = m_source->AccessibleChildCount();
        long to = 0;
        if (IsSelf(start)) {
            if (direction == NAVDIR_FIRSTCHILD) to = 1;
            else if (direction == NAVDIR_LASTCHILD) to = count;
            else return m_standard ? m_standard->accNavigate(direction, start, end) : S_FALSE;
        } else {
            AccessibleChild item;
            if (HRESULT found = Find(start, item); FAILED(found)) return found;
            if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) to = start.lVal + 1;
            else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) to = start.lVal - 1;
        }
        if (to < 1 || to > count) return S_FALSE;
        SetChildId(end, to);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
        if (!hit) return E_POINTER;
        VariantInit(hit);
        if (!m_source) return RPC_E_DISCONNECTED;
        POINT point = {x, y};
        ScreenToClient(m_hwnd, &point);
        RECT client = {};
        GetClientRect(m_hwnd, &client);
        if (!PtInRect(&client, point)) return S_FALSE;
        long id = CHILDID_SELF;
        AccessibleChild item;
        for (int i = 0; id == CHILDID_SELF && m_source->AccessibleChildAt(i, item); ++i)
            if (PtInRect(&item.rect, point)) id = i + 1;
        SetChildId(hit, id);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~CAccessibleObject() = default;

    bool Standard() const { return m_source && m_standard; }

    // The child a VARIANT names (ids count from 1).
    HRESULT Find(const VARIANT& child, AccessibleChild& item) const {
        if (!m_source) return RPC_E_DISCONNECTED;
        if (child.vt != VT_I4 || child.lVal < 1 || !m_source->AccessibleChildAt(child.lVal - 1, item))
            return E_INVALIDARG;
        return S_OK;
    }
    HRESULT NoText(const VARIANT& child, BSTR* text) const {
        if (!text) return E_POINTER;
        *text = nullptr;
        AccessibleChild item;
        if (!IsSelf(child))
            if (HRESULT found = Find(child, item); FAILED(found)) return found;
        return m_source ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
    }
    // The id of the first child in `state`; CHILDID_SELF when none is.
    long FirstWith(long state) const {
        AccessibleChild item;
        for (int i = 0; m_source->AccessibleChildAt(i, item); ++i)
            if (item.state & state) return i + 1;
        return CHILDID_SELF;
    }

    LONG m_refs = 1;
    HWND m_hwnd;
    IAccessibleSource* m_source;
    IAccessible* m_standard = nullptr;
};

LRESULT CAccessibleHost::Answer(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (static_cast<long>(lParam) != OBJID_CLIENT) return 0;
    IAccessible* object = Object(hwnd);
    if (!object) return 0;
    const LRESULT answer = LresultFromObject(__uuidof(IAccessible), wParam, object);
    object->Release();
    return answer;
}

IAccessible* CAccessibleHost::Object(HWND hwnd) {
    if (!m_object) m_object = new CAccessibleObject(hwnd, m_source);
    m_object->AddRef();
    return m_object;
}

void CAccessibleHost::Disconnect() {
    if (!m_object) return;
    m_object->Disconnect();
    m_object->Release();
    m_object = nullptr;
}

void CAccessibleHost::AnnounceFocus(HWND hwnd, int index) {
    if (index >= 0 && GetFocus() == hwnd) NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd, OBJID_CLIENT, index + 1);
}
