#include "ui/AppBase.h"

#include "ui/Shortcut.h"

const wchar_t CAppBase::kCommonSection[] = L"Options\\Common";
const wchar_t CAppBase::kMainSection[] = L"Options\\Windows\\Main";
const wchar_t CAppBase::kHandleValue[] = L"Handle";

namespace {
// One for the process: the question box pumps messages, so a second request
// can arrive while the first is still open.
bool g_exitInProgress = false;
}  // namespace

CAppBase::CAppBase() : m_instance(GetModuleHandleW(nullptr)), m_appSettings(&m_store) {
    m_confirmExit.SetValue(true);
    m_confirmExit.SetDefault(true);
    m_autostart.SetValue(false);
    m_autostart.SetDefault(false);
}

CAppBase::~CAppBase() = default;

bool CAppBase::Init() {
    if (m_title.IsEmpty()) return false;
    m_firstRun = !m_store.KeyExists(kMainSection);
    if (m_firstRun) ApplyAutostart();
    ReadAutostart();
    m_appSettings.AddNamed(&m_confirmExit, L"ConfirmExit");
    return true;
}

bool CAppBase::Quit() {
    // Emptied so that the exit save leaves "Options\Common" as it is: values
    // changed there by hand take effect at the next start.
    m_appSettings.RemoveAll();
    PostQuitMessage(0);
    return Save();
}

bool CAppBase::Load() {
    m_appSettings.LoadAllFrom(kCommonSection);
    return true;
}

bool CAppBase::Save() { return m_appSettings.SaveAllTo(kCommonSection); }

void CAppBase::Uninstall(bool wipe) {
    if (wipe) {
        m_store.DeleteKey(L"");
        m_autostart.SetValue(false);
        ApplyAutostart();
    }
    PostQuitMessage(0);
}

bool CAppBase::OnClose() {
    return RequestExit();
}

bool CAppBase::RequestExit() {
    if (g_exitInProgress) return false;
    g_exitInProgress = true;
    HWND main = GetMainWindow();
    bool exit = !m_confirmExit.GetValue() ||
                MessageBoxW(main, L"Quit program?", m_title.c_str(),
                            MB_OKCANCEL | MB_ICONQUESTION | MB_SYSTEMMODAL) == IDOK;
    if (exit) Close();
    g_exitInProgress = false;
    return exit;
}

void CAppBase::Close() {
    HWND main = GetMainWindow();
    Quit();
    if (main) DestroyWindow(main);
}

HWND CAppBase::GetMainWindow() {
    return nullptr;
}

void CAppBase::ApplyAutostart() {
    const tstr link = StartupShortcutPath(m_title);
    if (link.IsEmpty()) return;
    if (m_autostart.GetValue())
        CreateShortcut(ModulePath(m_instance), link, m_title, 0, tstr());
    else
        DeleteFileW(link.c_str());
}

void CAppBase::ReadAutostart() {
    const tstr link = StartupShortcutPath(m_title);
    m_autostart.SetValue(!link.IsEmpty() && PathExists(link));
}
