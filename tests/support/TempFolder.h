#pragma once
// A folder under the temporary directory that exists while its object does,
// removed with everything in it. Paths are created and removed in the "\\?\"
// form so that they may exceed MAX_PATH.

#include <windows.h>

#include <string>

class TempFolder {
public:
    // A new folder under the temporary directory, or under `base` (with a
    // trailing backslash). Its name is new on this machine: runs of other
    // prefixes may share the base folder.
    explicit TempFolder(const std::wstring& base = TempPath(), const std::wstring& prefix = L"lumora_test_") {
        LARGE_INTEGER now{};
        QueryPerformanceCounter(&now);
        unsigned long long tag = static_cast<unsigned long long>(now.QuadPart) ^
                                 (static_cast<unsigned long long>(GetCurrentProcessId()) << 40);
        do {
            m_path = base + prefix + std::to_wstring(++tag);
        } while (!CreateDirectoryW(Long(m_path).c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        // A folder cannot be removed while it is the current one (a test or
        // the open-file dialog may have made it so).
        wchar_t current[MAX_PATH] = L"";
        GetCurrentDirectoryW(MAX_PATH, current);
        if (_wcsnicmp(current, m_path.c_str(), m_path.size()) == 0) SetCurrentDirectoryW(TempPath().c_str());
        RemoveTree(m_path);
    }

    const std::wstring& Path() const { return m_path; }

    // A sub-folder (relative path, created level by level); returns its path.
    std::wstring Folder(const std::wstring& relative) const {
        std::wstring path = m_path;
        size_t from = 0;
        while (from <= relative.size()) {
            size_t to = relative.find(L'\\', from);
            if (to == std::wstring::npos) to = relative.size();
            path += L"\\" + relative.substr(from, to - from);
            CreateDirectoryW(Long(path).c_str(), nullptr);
            from = to + 1;
        }
        return path;
    }

    // Writes a file (full path); returns the path.
    static std::wstring File(const std::wstring& path, const std::string& bytes = "x") {
        HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
            CloseHandle(file);
        }
        return path;
    }

    static std::wstring Long(const std::wstring& path) { return L"\\\\?\\" + path; }

    static std::wstring TempPath() {
        wchar_t temp[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temp);
        return temp;
    }

private:
    static void RemoveTree(const std::wstring& path) {
        WIN32_FIND_DATAW entry;
        HANDLE find = FindFirstFileW(Long(path + L"\\*").c_str(), &entry);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = entry.cFileName;
                if (name == L"." || name == L"..") continue;
                const std::wstring child = path + L"\\" + name;
                // A link is removed, never followed.
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
                    DeleteFileW(Long(child).c_str()) || RemoveDirectoryW(Long(child).c_str());
                else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(child);
                else
                    DeleteFileW(Long(child).c_str());
            } while (FindNextFileW(find, &entry));
            FindClose(find);
        }
        RemoveDirectoryW(Long(path).c_str());
    }

    std::wstring m_path;
};
