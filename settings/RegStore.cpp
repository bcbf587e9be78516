#include "settings/RegStore.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <new>
#include <vector>

namespace {

// Owns an open registry key for the length of one operation.
class CRegKey {
public:
    CRegKey() = default;
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;
    ~CRegKey() {
        if (m_key) RegCloseKey(m_key);
    }
    bool Open(const tstr& path, REGSAM access) {
        return RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, access, &m_key) == ERROR_SUCCESS;
    }
    LONG Create(const tstr& path) {
        return RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &m_key, nullptr);
    }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

// Encloses a literal part of a section; no key name can hold it.
const wchar_t kLiteralMark = L'\0';

// Replaces `from` in `path` except inside its literal parts.
void ReplaceOutsideLiterals(std::wstring& path, const tstr& from, const tstr& to) {
    std::wstring out;
    size_t at = 0;
    while (at < path.size()) {
        const size_t open = path.find(kLiteralMark, at);
        tstr plain(path.substr(at, open == std::wstring::npos ? std::wstring::npos : open - at));
        plain.ReplaceAll(from, to);
        out += plain.Str();
        if (open == std::wstring::npos) break;
        const size_t close = path.find(kLiteralMark, open + 1);
        at = close == std::wstring::npos ? path.size() : close + 1;
        out.append(path, open, at - open);
    }
    path.swap(out);
}

unsigned long g_writesBeforeFailure = 0;
unsigned long g_injectedError = 0;
bool g_persistent = false;
bool g_refusing = false;

// What the test seam answers for the write about to be made.
LONG InjectedResult() {
    if (g_writesBeforeFailure == 0) return g_refusing ? static_cast<LONG>(g_injectedError) : ERROR_SUCCESS;
    if (--g_writesBeforeFailure != 0) return ERROR_SUCCESS;
    g_refusing = g_persistent;
    return static_cast<LONG>(g_injectedError);
}

std::function<unsigned long()> g_beforeWrite;
std::wstring g_beforeWriteUnder;
DWORD g_beforeWriteThread = 0;

bool AtOrBelow(const tstr& path, const std::wstring& key) {
    const std::wstring& text = path.Str();
    return text.size() >= key.size() &&
           CompareStringOrdinal(text.c_str(), static_cast<int>(key.size()), key.c_str(), static_cast<int>(key.size()),
                                TRUE) == CSTR_EQUAL &&
           (text.size() == key.size() || text[key.size()] == L'\\');
}

}  // namespace

void CRegStore::SetBeforeWrite(const tstr& path, std::function<unsigned long()> gate) {
    g_beforeWrite = std::move(gate);
    g_beforeWriteUnder = path.Str();
    g_beforeWriteThread = GetCurrentThreadId();
}

bool CRegStore::MayWrite(const tstr& path) {
    if (g_beforeWrite && g_beforeWriteThread == GetCurrentThreadId() && AtOrBelow(path, g_beforeWriteUnder)) {
        // Cleared first: the gate's own writes pass.
        const std::function<unsigned long()> gate = std::move(g_beforeWrite);
        g_beforeWrite = nullptr;
        if (!Succeeded(static_cast<long>(gate()))) return false;
    }
    return Succeeded(InjectedResult());
}

void CRegStore::FailNthWrite(unsigned long n, unsigned long error, bool persistent) {
    g_writesBeforeFailure = n;
    g_injectedError = error;
    g_persistent = persistent;
    g_refusing = false;
}

unsigned long CRegStore::WritesBeforeFailure() { return g_writesBeforeFailure; }

bool CRegStore::Succeeded(long result) {
    if (result == ERROR_SUCCESS) return true;
    m_lastError = static_cast<unsigned long>(result);
    return false;
}

CRegStore::CRegStore(const tstr& firm, const tstr& app) {
    ClearReplacements();
    SetNames(firm, app);
}

CRegStore::~CRegStore() { ClearReplacements(); }

bool CRegStore::SetNames(const tstr& firm, const tstr& app) {
    if (firm.IsEmpty() || app.IsEmpty()) return false;
    SetBasePath(tstr(L"Software\\*firm*\\*app*\\"));
    AddReplacement(tstr(L"*firm*"), firm);
    AddReplacement(tstr(L"*app*"), app);
    return true;
}

void CRegStore::SetBasePath(const tstr& path) {
    m_basePath = path;
    if (!path.IsEmpty() && path.Last() != L'\\') m_basePath += L'\\';
}

bool CRegStore::AddReplacement(const tstr& from, const tstr& to) {
    if (from.IsEmpty()) return false;
    for (auto at = m_replacements.begin(); at != m_replacements.end(); ++at) {
        if (at->first.Equals(from)) {
            m_replacements.erase(at);
            break;
        }
    }
    m_replacements.emplace_back(from, to);
    return true;
}

void CRegStore::ClearReplacements() { m_replacements.clear(); }

tstr CRegStore::BuildPath(const tstr& section) const {
    std::wstring path = (m_basePath + section).Str();
    for (const auto& pair : m_replacements) ReplaceOutsideLiterals(path, pair.first, pair.second);
    path.erase(std::remove(path.begin(), path.end(), kLiteralMark), path.end());
    return tstr(path);
}

tstr CRegStore::Literal(const tstr& name) {
    std::wstring text(1, kLiteralMark);
    text += name.Str();
    text += kLiteralMark;
    return tstr(text);
}

bool CRegStore::WriteString(const tstr& section, const tstr& name, const tstr& value) {
    if (m_basePath.IsEmpty()) return false;   // names not set yet: never write below the hive root
    const tstr path = BuildPath(section);
    if (!MayWrite(path)) return false;
    CRegKey key;
    if (!Succeeded(key.Create(path))) return false;
    if (value.IsNull()) {
        const LONG result = RegDeleteValueW(key.Get(), name.c_str());
        return Succeeded(result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result);
    }
    const DWORD bytes = static_cast<DWORD>((value.Length() + 1) * sizeof(wchar_t));
    return Succeeded(RegSetValueExW(key.Get(), name.c_str(), 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(value.c_str()), bytes));
}

bool CRegStore::WriteInt(const tstr& section, const tstr& name, int value) {
    return WriteString(section, name, tstr::FromInt(value));
}

namespace {

// One value of an open key as text; false, `out` unchanged, when missing or empty.
bool ReadValue(HKEY key, const tstr& name, tstr& out) {
    // Most values are short: one query reads them (long photo lists are read
    // value by value at start-up).
    wchar_t shortText[MAX_PATH + 2] = {};
    DWORD bytes = sizeof(shortText) - 2 * sizeof(wchar_t);
    const LONG quick =
        RegQueryValueExW(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(shortText), &bytes);
    if (quick == ERROR_SUCCESS) {
        if (bytes == 0) return false;
        out = shortText;
        return true;
    }
    if (quick != ERROR_MORE_DATA) return false;
    // Any type, any byte count: round up to whole characters and keep two zero
    // characters after the data, so the text always ends inside the buffer.
    std::vector<wchar_t> buffer;
    try {
        buffer.assign(bytes / sizeof(wchar_t) + 2, L'\0');
    } catch (const std::bad_alloc&) {
        return false;
    }
    DWORD read = bytes;
    if (RegQueryValueExW(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &read) !=
        ERROR_SUCCESS) {
        out = L"";
        return false;
    }
    out = buffer.data();
    return true;
}

}  // namespace

bool CRegStore::ReadString(const tstr& section, const tstr& name, tstr& out) const {
    if (m_basePath.IsEmpty()) return false;
    CRegKey key;
    return key.Open(BuildPath(section), KEY_READ) && ReadValue(key.Get(), name, out);
}

bool CRegStore::ReadStrings(const tstr& section, const tstr& name, tstr& out, const tstr& other,
                            tstr& otherOut) const {
    if (m_basePath.IsEmpty()) return false;
    CRegKey key;
    if (!key.Open(BuildPath(section), KEY_READ)) return false;
    ReadValue(key.Get(), other, otherOut);
    return ReadValue(key.Get(), name, out);
}

bool CRegStore::ReadInt(const tstr& section, const tstr& name, int& out) const {
    tstr text;
    if (!ReadString(section, name, text)) return false;
    out = static_cast<int>(text.ToInt());
    return true;
}

bool CRegStore::KeyExists(const tstr& section) const {
    if (m_basePath.IsEmpty()) return false;
    CRegKey key;
    return key.Open(BuildPath(section), KEY_READ);
}

bool CRegStore::DeleteKey(const tstr& section) {
    const tstr path = BuildPath(section);
    if (m_basePath.IsEmpty() || path.IsEmpty()) return false;
    if (!MayWrite(path)) return false;
    const LONG result = SHDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
    // A key that is not there is no failure to report.
    return result == ERROR_FILE_NOT_FOUND ? false : Succeeded(result);
}

bool CRegStore::RemoveKey(const tstr& section) { return !KeyExists(section) || DeleteKey(section); }

std::vector<tstr> CRegStore::SubKeyNames(const tstr& section) const {
    std::vector<tstr> names;
    CRegKey key;
    if (m_basePath.IsEmpty() || !key.Open(BuildPath(section), KEY_READ)) return names;
    for (DWORD index = 0;; ++index) {
        wchar_t name[1024] = {};
        DWORD length = 1024;
        if (RegEnumKeyExW(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return names;
        names.emplace_back(name);
    }
}

unsigned long CRegStore::SubKeyCount(const tstr& section) const {
    CRegKey key;
    DWORD count = 0;
    if (m_basePath.IsEmpty() || !key.Open(BuildPath(section), KEY_READ) ||
        RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return 0;
    return count;
}

bool CRegStore::EnumSubKey(const tstr& section, unsigned long index, tstr& out) const {
    if (m_basePath.IsEmpty()) return false;
    CRegKey key;
    if (!key.Open(BuildPath(section), KEY_READ)) return false;
    wchar_t name[1024] = {};
    DWORD length = 1024;
    if (RegEnumKeyExW(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    out = name;
    return true;
}
