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

bool AcceptAlbumName(HWND owner, const tstr& name, const std::vector<tstr>& others, const tstr& keptName) {
    // Registry keys ignore case, take "\" as a separator and are at most 255
    // characters; an empty name would stand for every album at once; the
    // store's placeholders in a name would be taken for the store's own.
    UINT why = 0;
    switch (CWppProfile::CheckAlbumName(name, others, keptName)) {
    case CWppProfile::NameProblem::None:
        return true;
    case CWppProfile::NameProblem::Taken:
        why = IDS_ALBUM_NAME_USED;
        break;
    case CWppProfile::NameProblem::Empty:
        why = IDS_ALBUM_NAME_EMPTY;
        break;
    case CWppProfile::NameProblem::Separator:
        why = IDS_ALBUM_NAME_SEPARATOR;
        break;
    case CWppProfile::NameProblem::TooLong:
        why = IDS_ALBUM_NAME_TOO_LONG;
        break;
    case CWppProfile::NameProblem::Placeholder:
        why = IDS_ALBUM_NAME_PLACEHOLDER;
        break;
    }
    ShowMessage(owner, why, kCaptionWarning, MB_OK | MB_ICONWARNING);
    return false;
}
