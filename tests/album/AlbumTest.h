#pragma once
// Album tests run on the real (Wine) registry from a deleted Software\Arvendal
// tree, and on real files in a temporary folder.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "album/WppProfile.h"
#include "tests/settings/RegistryTest.h"

const std::wstring kProfiles = L"Software\\Arvendal\\Lumora\\Profiles";
const std::wstring kOptions = L"Software\\Arvendal\\Lumora\\Options";

inline std::wstring AlbumPath(const std::wstring& album, const std::wstring& below = L"")
{
    return kProfiles + L"\\" + album + (below.empty() ? L"" : L"\\" + below);
}

// The default album's photo list and settings.
const std::wstring kSlides = AlbumPath(L"Default", L"Slides");

class AlbumTest : public RegistryTest {
protected:
    void TearDown() override {
        CWppProfile::SetTaskbarRtl(false);
        RegistryTest::TearDown();
    }

    // An album object as the settings dialog builds one; an empty name reads
    // "Profile" like the application object does.
    static std::unique_ptr<CWppProfile> OpenAlbum(const wchar_t* name = L"") {
        std::unique_ptr<CWppProfile> album(CWppProfile::NewAlbumObject(name));
        album->Load();
        return album;
    }

    static void StorePhoto(const std::wstring& album, const wchar_t* key, const std::wstring& path) {
        WriteRaw(AlbumPath(album, std::wstring(L"Slides\\") + key).c_str(), L"pic_path", REG_SZ, path.c_str(),
                 static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
    }
    static void StoreText(const std::wstring& path, const wchar_t* name, const std::wstring& text) {
        WriteRaw(path.c_str(), name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    static std::wstring ReadText(const std::wstring& path, const wchar_t* name) {
        const std::wstring text = ReadRaw(path.c_str(), name).Text();
        return text.substr(0, text.find(L'\0'));
    }

    // Sorted names of the sub-keys or of the values of a key.
    static std::vector<std::wstring> SubKeys(const std::wstring& path) { return Names(path, true); }
    static std::vector<std::wstring> ValueNames(const std::wstring& path) { return Names(path, false); }

    // Every key and value under Profiles, as "key=name=value" lines, keys in
    // the letter case they are stored with.
    static std::vector<std::wstring> ProfilesSnapshot() {
        std::vector<std::wstring> lines;
        std::function<void(const std::wstring&)> walk = [&](const std::wstring& path) {
            lines.push_back(path);
            for (const std::wstring& name : ValueNames(path))
                lines.push_back(path + L"=" + name + L"=" + ReadText(path, name.c_str()));
            for (const std::wstring& key : SubKeys(path)) walk(path + L"\\" + key);
        };
        walk(kProfiles);
        return lines;
    }

    static std::vector<std::wstring> Paths(const CWppProfile& album) {
        std::vector<std::wstring> paths;
        for (const CSlide* photo : album.Photos()) paths.push_back(photo->GetPath().Str());
        return paths;
    }

private:
    static std::vector<std::wstring> Names(const std::wstring& path, bool keys) {
        std::vector<std::wstring> names;
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
        wchar_t name[1024];
        for (DWORD i = 0;; ++i) {
            DWORD length = 1024;
            const LONG result = keys ? RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr)
                                     : RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
            if (result != ERROR_SUCCESS) break;
            names.emplace_back(name, length);
        }
        RegCloseKey(key);
        std::sort(names.begin(), names.end());
        return names;
    }
};
