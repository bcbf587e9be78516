#pragma once
// The photos page of the album and settings dialogs: one row per photo of an
// album, and the operations of its tool bar.

#include <windows.h>

#include <vector>

#include "picture/ThumbJob.h"
#include "settings/Tstr.h"

class CNavPaneWnd;
class CPaneThumbnails;
class CSlide;
class CWppProfile;

// The string id of what a photo's row says when it cannot show; 0 for None.
UINT PhotoProblemText(ThumbProblem problem);

// "Photos (N)".
tstr PhotosPageText(const CWppProfile& album);

// Appends a row for the photo; its thumbnail comes from `thumbnails` when
// the row is drawn. False, and no row, without a photo.
bool AddPhotoItem(CNavPaneWnd& pane, CPaneThumbnails& thumbnails, CSlide* photo, bool makeCurrent, bool select);

// Empties the pane and lists the album's photos.
void ListPhotos(CNavPaneWnd& pane, CPaneThumbnails& thumbnails, CWppProfile& album);

// Appends each path as a photo of the album with a selected row and has the
// workers check it: what cannot be shown is reported to the dialog (see
// CPaneThumbnails) and dropped there. Returns the number added.
int AddPhotoFiles(CNavPaneWnd& pane, CPaneThumbnails& thumbnails, CWppProfile& album,
                  const std::vector<tstr>& paths);

// Removes the photos added here that the workers found unusable, and their
// rows; true when there were any.
bool DropUnusablePhotoRows(CNavPaneWnd& pane, CPaneThumbnails& thumbnails, CWppProfile& album);

// Runs the open-file dialog owned by `owner` and adds what was chosen.
int AddChosenPhotos(CNavPaneWnd& pane, CPaneThumbnails& thumbnails, CWppProfile& album, HWND owner);

// Asks first (owned by `owner`); false when the user declines.
bool DeleteSelectedPhotos(CNavPaneWnd& pane, CWppProfile& album, HWND owner);

// Moves every selected row, in selection order, one place up or down unless
// its neighbour there is missing or selected itself; the album's photo list
// follows.
void MoveSelectedPhotos(CNavPaneWnd& pane, CWppProfile& album, bool up);

// Lists the photos hidden from the album in a menu at the pointer, owned by
// `owner`; the one chosen is shown again (and listed, unless a followed
// folder brings it). True when one was.
bool UnhideChosenPhoto(CNavPaneWnd& pane, CPaneThumbnails& thumbnails, CWppProfile& album, HWND owner);

// The photo tool bar's commands (add, delete, move up, move down, show
// hidden photos) on the album; true when the command may have changed its
// photo list, false when it did not or `id` is no photo command. A followed
// folder decides the list: only its hidden photos can be shown again.
bool RunPhotoCommand(int id, CNavPaneWnd& pane, CPaneThumbnails& thumbnails, CWppProfile& album, HWND owner);
