#pragma once
// Album tests run on the real (Wine) registry from a deleted Software\Arvendal
// tree, and on real files in a temporary folder.

#include <windows.h>

#include <gtest/gtest.h>

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
        StoreText(AlbumPath(album, std::wstring(L"Slides\\") + key), L"pic_path", path);
    }
    static void StoreText(const std::wstring& path, const wchar_t* name, const std::wstring& text) {
        ASSERT_TRUE(hkcu::WriteText(path, name, text)) << "could not store the text";
    }
    static std::wstring ReadText(const std::wstring& path, const wchar_t* name) {
        std::wstring text;
        hkcu::ReadText(path, name, text);
        return text;
    }

    static std::vector<std::wstring> SubKeys(const std::wstring& path) { return hkcu::SubKeys(path); }
    static std::vector<std::wstring> ValueNames(const std::wstring& path) { return hkcu::ValueNames(path); }
    static std::vector<std::wstring> ProfilesSnapshot() { return hkcu::Snapshot(kProfiles); }

    static std::vector<std::wstring> Paths(const CWppProfile& album) {
        std::vector<std::wstring> paths;
        for (const CSlide* photo : album.Photos()) paths.push_back(photo->GetPath().Str());
        return paths;
    }
};
