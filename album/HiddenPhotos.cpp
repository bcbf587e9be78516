#include "album/HiddenPhotos.h"

#include <windows.h>

const wchar_t CHiddenPhotos::kValueName[] = L"HiddenPhotos";

namespace {

const wchar_t kSeparator = L'|';

std::wstring KeyOf(const std::wstring& path)
{
    std::wstring key = path;
    if (!key.empty())
        CharUpperBuffW(&key[0], static_cast<DWORD>(key.size()));
    return key;
}

std::vector<std::wstring> Split(const std::wstring& text)
{
    std::vector<std::wstring> parts;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(kSeparator, start);
        if (end == std::wstring::npos)
            end = text.size();
        if (end > start)
            parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

}  // namespace

CHiddenPhotos::CHiddenPhotos()
{
    m_setting.SetValue(tstr(L""));
    m_setting.SetDefault(tstr(L""));
}

const std::set<std::wstring>& CHiddenPhotos::Keys() const
{
    const std::wstring& text = m_setting.GetValue().Str();
    if (text != m_keysOf) {
        m_keys.clear();
        for (const std::wstring& path : Split(text))
            m_keys.insert(KeyOf(path));
        m_keysOf = text;
    }
    return m_keys;
}

bool CHiddenPhotos::Contains(const tstr& path) const
{
    return !path.IsEmpty() && Keys().count(KeyOf(path.Str())) != 0;
}

void CHiddenPhotos::Hide(const tstr& path)
{
    if (path.IsEmpty() || path.Str().find(kSeparator) != std::wstring::npos || Contains(path))
        return;
    std::wstring text = m_setting.GetValue().Str();
    if (!text.empty())
        text += kSeparator;
    m_setting.SetValue(tstr(text + path.Str()));
}

bool CHiddenPhotos::Unhide(const tstr& path)
{
    if (!Contains(path))
        return false;
    const std::wstring key = KeyOf(path.Str());
    std::wstring text;
    for (const std::wstring& hidden : Split(m_setting.GetValue().Str())) {
        if (KeyOf(hidden) == key)
            continue;
        if (!text.empty())
            text += kSeparator;
        text += hidden;
    }
    m_setting.SetValue(tstr(text));
    return true;
}

std::vector<tstr> CHiddenPhotos::Paths() const
{
    std::vector<tstr> paths;
    for (const std::wstring& path : Split(m_setting.GetValue().Str()))
        paths.push_back(tstr(path));
    return paths;
}
