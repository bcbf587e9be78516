#include "dialogs/AlbumName.h"

#include "album/WppProfile.h"
#include "res/strings.h"
#include "ui/ResString.h"

std::vector<tstr> OtherAlbumNames(const CCollector<CWppProfile*>& albums, const CWppProfile* except) {
    std::vector<tstr> names;
    for (const CWppProfile* album : albums)
        if (album != except) names.push_back(album->GetAlbumName());
    return names;
}

bool AcceptAlbumName(HWND owner, const tstr& name, const std::vector<tstr>& others) {
    // Registry keys ignore case, take "\" as a separator and are at most 255
    // characters; an empty name would stand for every album at once.
    switch (CWppProfile::CheckAlbumName(name, others)) {
    case CWppProfile::NameProblem::None:
        return true;
    case CWppProfile::NameProblem::Taken:
        ShowMessage(owner, IDS_ALBUM_NAME_USED, kCaptionWarning, MB_OK | MB_ICONWARNING);
        return false;
    case CWppProfile::NameProblem::Empty:
        ShowMessage(owner, L"Album name can't be empty", kCaptionWarning, MB_OK | MB_ICONWARNING);
        return false;
    case CWppProfile::NameProblem::Separator:
        ShowMessage(owner, L"Album name can't contain \"\\\"", kCaptionWarning, MB_OK | MB_ICONWARNING);
        return false;
    case CWppProfile::NameProblem::TooLong:
        ShowMessage(owner, L"Album name is too long (255 characters at most)", kCaptionWarning,
                    MB_OK | MB_ICONWARNING);
        return false;
    }
    return false;
}
