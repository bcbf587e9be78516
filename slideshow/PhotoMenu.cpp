#include "slideshow/PhotoMenu.h"

#include "res/dialogs.h"
#include "res/strings.h"
#include "ui/Menu.h"
#include "ui/ResString.h"

namespace {

struct PhotoCommand {
    UINT id;
    UINT text;
};

const PhotoCommand kCommands[] = {
    {IDC_PHOTO_OPEN, IDS_MENU_PHOTO_OPEN},
    {IDC_PHOTO_OPEN_LOCATION, IDS_MENU_PHOTO_OPEN_LOCATION},
    {IDC_PHOTO_COPY, IDS_MENU_PHOTO_COPY},
    {IDC_PHOTO_FAVOURITE, IDS_MENU_PHOTO_FAVOURITE},
    {IDC_PHOTO_HIDE, IDS_MENU_PHOTO_HIDE},
    {IDC_PHOTO_DELETE, IDS_MENU_PHOTO_DELETE},
};

}  // namespace

UINT AddPhotoCommands(CMenu& menu, UINT position, bool favourite, const CBmp* star)
{
    for (const PhotoCommand& command : kCommands) {
        const bool isFavourite = command.id == IDC_PHOTO_FAVOURITE;
        const UINT flags = MF_OWNERDRAW | (isFavourite && favourite ? MF_CHECKED : 0);
        menu.AddItem(LoadResString(nullptr, command.text).c_str(), command.id, position++, flags, false,
                     isFavourite ? star : nullptr);
    }
    return position;
}

bool IsPhotoCommand(UINT id)
{
    for (const PhotoCommand& command : kCommands)
        if (command.id == id)
            return true;
    return false;
}
