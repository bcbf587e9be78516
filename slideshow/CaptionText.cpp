#include "slideshow/CaptionText.h"

#include <windows.h>

#include <cwchar>

#include "res/strings.h"
#include "ui/ResString.h"

namespace {

// The last name of `path` and the one before it.
std::wstring NamePart(const std::wstring& path, int fromEnd)
{
    size_t end = path.size();
    for (;;) {
        const size_t slash = path.find_last_of(L"\\/", end ? end - 1 : 0);
        const size_t start = slash == std::wstring::npos ? 0 : slash + 1;
        if (fromEnd == 0 || slash == std::wstring::npos)
            return fromEnd == 0 ? path.substr(start, end - start) : std::wstring();
        end = slash;
        --fromEnd;
    }
}

}  // namespace

CaptionKind CaptionKindOf(int stored)
{
    return stored >= 1 && stored <= 3 ? static_cast<CaptionKind>(stored) : CaptionKind::kNone;
}

std::wstring LongDateText(const ExifDate& taken)
{
    if (!taken.Known())
        return std::wstring();
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(taken.year);
    st.wMonth = static_cast<WORD>(taken.month);
    st.wDay = static_cast<WORD>(taken.day);
    wchar_t text[128];
    if (!GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_LONGDATE, &st, nullptr, text, 128, nullptr))
        return std::wstring();
    return text;
}

std::wstring CaptionText(CaptionKind kind, const std::wstring& path, const ExifDate& taken)
{
    switch (kind) {
    case CaptionKind::kDate:
        return LongDateText(taken);
    case CaptionKind::kDateAndFolder: {
        const std::wstring date = LongDateText(taken), folder = NamePart(path, 1);
        if (date.empty() || folder.empty())
            return date.empty() ? folder : date;
        return date + L" \x2014 " + folder;
    }
    case CaptionKind::kFileName:
        return NamePart(path, 0);
    default:
        return std::wstring();
    }
}

std::wstring WithYearsAgo(const std::wstring& caption, int years)
{
    if (years <= 0)
        return caption;
    std::wstring ago;
    if (years == 1) {
        ago = LoadResString(nullptr, IDS_YEAR_AGO_TODAY).Str();
    } else {
        wchar_t text[128] = {};
        std::swprintf(text, 128, LoadResString(nullptr, IDS_YEARS_AGO_TODAY).c_str(), years);
        ago = text;
    }
    if (ago.empty() || caption.empty())
        return ago.empty() ? caption : ago;
    return ago + L" \x2014 " + caption;
}
