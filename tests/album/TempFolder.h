#pragma once
// A folder under the temporary directory that exists for one test. Paths are
// created and removed in the "\\?\" form so that they may exceed MAX_PATH.

#include <windows.h>

#include <string>

class TempFolder {
public:
    // Under the temporary directory, or under `base` (with a trailing backslash).
    explicit TempFolder(const std::wstring& base = TempPath()) {
        static int serial = 0;
        m_path = base + L"lumora_album_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                 std::to_wstring(++serial);
        CreateDirectoryW(Long(m_path).c_str(), nullptr);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() { RemoveTree(m_path); }

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

    // A 24-bit BMP of w x h in one colour.
    static std::string BmpBytes(int w, int h) {
        const int stride = (w * 3 + 3) & ~3;
        std::string bytes = "BM";
        Put32(bytes, 54 + stride * h);
        Put32(bytes, 0);
        Put32(bytes, 54);
        Put32(bytes, 40);
        Put32(bytes, static_cast<unsigned>(w));
        Put32(bytes, static_cast<unsigned>(h));
        Put16(bytes, 1);
        Put16(bytes, 24);
        for (int i = 0; i < 6; ++i) Put32(bytes, 0);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) bytes += std::string("\x30\x90\xE0", 3);
            bytes.append(static_cast<size_t>(stride - w * 3), '\0');
        }
        return bytes;
    }

private:
    static void Put16(std::string& out, unsigned value) {
        out += static_cast<char>(value & 0xFF);
        out += static_cast<char>((value >> 8) & 0xFF);
    }
    static void Put32(std::string& out, unsigned value) {
        Put16(out, value & 0xFFFF);
        Put16(out, value >> 16);
    }
    static std::wstring TempPath() {
        wchar_t temp[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temp);
        return temp;
    }
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
