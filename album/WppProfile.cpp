#include "album/WppProfile.h"

#include <shlobj.h>

#include <algorithm>
#include <cwchar>

#include "album/AlbumBackup.h"
#include "album/FolderScan.h"
#include "album/PhotoLocation.h"

const wchar_t CWppProfile::kSlidesSection[] = L"*prof*Slides";
const wchar_t CWppProfile::kSlideKeyPattern[] = L"%04d";
const wchar_t CWppProfile::kOptionsSection[] = L"Options";
const wchar_t CWppProfile::kInstallPathValue[] = L"InstallPath";

bool CWppProfile::s_taskbarRtl = false;

namespace {
const wchar_t kProfPlaceholder[] = L"*prof*";
const wchar_t kSlidesKey[] = L"Slides";

// A new round order for every album object and every start.
uint32_t FreshSeed(const void* owner)
{
    const uint64_t mixed = GetTickCount64() * 0x9E3779B97F4A7C15ull ^ GetCurrentProcessId() ^
                           static_cast<uint64_t>(reinterpret_cast<uintptr_t>(owner));
    return static_cast<uint32_t>(mixed ^ (mixed >> 32));
}

bool ParseUnsigned(const tstr& text, unsigned long& out)
{
    if (text.IsEmpty()) return false;
    wchar_t* end = nullptr;
    out = std::wcstoul(text.c_str(), &end, 10);
    return end && *end == L'\0' && end != text.c_str();
}

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return 0;
}
}  // namespace

tstr CWppProfile::AlbumKey(const tstr& name) { return tstr(kProfilesSection) + L"\\" + CRegStore::Literal(name); }

tstr CWppProfile::SlidesKey(const tstr& name) { return AlbumPrefix(name) + kSlidesKey; }

CWppProfile::CWppProfile() : m_round(FreshSeed(this)), m_albumSettings(&GetStore())
{
    m_thumbSize.SetRange(16, 150);
    m_thumbSize.SetValue(64);
    m_placementX.SetValue(kUnplaced);
    m_placementY.SetValue(kUnplaced);
    m_sizeX.SetRange(kMinPhotoSize, kMaxPhotoSize);
    m_sizeX.SetValue(PhotoSizeFor(GetSystemMetrics(SM_CXSCREEN)));
    m_sizeY.SetRange(kMinPhotoSize, kMaxPhotoSize);
    m_sizeY.SetValue(PhotoSizeFor(GetSystemMetrics(SM_CYSCREEN)));
    m_marginX.SetValue(30);
    m_marginX.SetDefault(30);
    m_marginY.SetValue(20);
    m_marginY.SetDefault(20);
    m_maximized.SetValue(0);
    m_maximized.SetDefault(0);
    m_timeout.SetRange(0, 60);
    m_timeout.SetValue(5);
    m_sliderVis.SetRange(10, 100);
    m_sliderVis.SetValue(80);
    m_sliderVisIn.SetRange(10, 100);
    m_sliderVisIn.SetValue(50);
    // Both at their defaults are not stored: an ordinary album looks as before.
    m_folder.SetValue(tstr(L""));
    m_folder.SetDefault(tstr(L""));
    m_subfolders.SetValue(0);
    m_subfolders.SetDefault(0);
    // Empty is the default, so albums never dropped store no "Monitor".
    m_monitor.SetValue(tstr(L""));
    m_monitor.SetDefault(tstr(L""));
    // Albums stored before this setting load with it on and store nothing.
    m_hideFromCapture.SetValue(1);
    m_hideFromCapture.SetDefault(1);
    // Off, neither is stored: albums stored before them load as they were.
    m_caption.SetValue(0);
    m_caption.SetDefault(0);
    m_onThisDay.SetValue(0);
    m_onThisDay.SetDefault(0);
    // Not shuffled, an album stores none of these, as before there was shuffling.
    m_shuffle.SetValue(0);
    m_shuffle.SetDefault(0);
    for (CParam<tstr>* round : {&m_shuffleSeed, &m_shufflePos, &m_shuffleShown}) {
        round->SetValue(tstr(L""));
        round->SetDefault(tstr(L""));
    }

    // The current photo index is never stored: every start shows the first
    // photo (a shuffled album, the one its stored round left on screen).
    m_albumSettings.SetSection(kSlidesSection);
    m_albumSettings.AddNamed(&m_thumbSize, L"ThumbSize");
    m_albumSettings.AddNamed(&m_placementX, L"PlacementX");
    m_albumSettings.AddNamed(&m_placementY, L"PlacementY");
    m_albumSettings.AddNamed(&m_sizeX, L"SizeX");
    m_albumSettings.AddNamed(&m_sizeY, L"SizeY");
    m_albumSettings.AddNamed(&m_marginX, L"MarginX");
    m_albumSettings.AddNamed(&m_marginY, L"MarginY");
    m_albumSettings.AddNamed(&m_maximized, L"Maximized");
    m_albumSettings.AddNamed(&m_sliderVis, L"SliderVis");
    m_albumSettings.AddNamed(&m_sliderVisIn, L"SliderVisIn");
    m_albumSettings.AddNamed(&m_timeout, L"timeout");
    m_albumSettings.AddNamed(&m_folder, L"Folder");
    m_albumSettings.AddNamed(&m_subfolders, L"Subfolders");
    m_albumSettings.AddNamed(&m_monitor, L"Monitor");
    m_albumSettings.AddNamed(&m_hideFromCapture, L"HideFromCapture");
    m_albumSettings.AddNamed(&m_caption, L"Caption");
    m_albumSettings.AddNamed(&m_onThisDay, L"OnThisDay");
    m_albumSettings.AddNamed(&m_shuffle, L"Shuffle");
    m_albumSettings.AddNamed(&m_hidden.Setting(), CHiddenPhotos::kValueName);
    // Kept by settings so that a failed save puts them back with the others.
    m_albumSettings.AddNamed(&m_shuffleSeed, L"ShuffleSeed");
    m_albumSettings.AddNamed(&m_shufflePos, L"ShufflePos");
    m_albumSettings.AddNamed(&m_shuffleShown, L"ShuffleShown");

    GetStore().SetNames(L"Arvendal", L"Lumora");
    SetTitle(L"Lumora Photo Frame");
}

unsigned long CWppProfile::PhotoSizeFor(int screenPixels)
{
    const unsigned long quarter = screenPixels > 0 ? static_cast<unsigned long>(screenPixels / 4) : 0;
    return std::min(std::max(quarter, kMinPhotoSize), kMaxPhotoSize);
}

CWppProfile* CWppProfile::NewAlbumObject(const tstr& name)
{
    CWppProfile* album = new CWppProfile;
    album->SetSingleInstance(false);
    album->SetAlbumName(name);
    album->Init();
    return album;
}

CWppProfile* CWppProfile::NewAlbumObjectWithPhotosOf(const tstr& name, const CWppProfile& live)
{
    CWppProfile* album = new CWppProfile;
    album->SetSingleInstance(false);
    album->SetAlbumName(name);
    album->CApp::Init();
    album->m_photos.SetKeys(kSlidesSection, kSlideKeyPattern);
    album->LoadSettings();
    if (live.m_listPending) {
        // Only the entry read ahead is there yet: the store has the list.
        album->RebuildPhotoList();
    } else {
        album->CopyPhotosOf(live);
        if (live.m_stored.KnowsPhotosOf(name)) {
            album->m_stored.photosKnown = true;
            album->m_stored.paths = live.m_stored.paths;
            album->m_stored.favourites = live.m_stored.favourites;
        }
    }
    album->RoundFromSettings();
    return album;
}

bool CWppProfile::Init()
{
    // Chosen here so that the layers below never see an unusable name.
    if (GetAlbumName().IsEmpty()) SetAlbumName(StoredCurrentAlbumName());
    return CApp::Init() && RebuildPhotoList();
}

bool CWppProfile::InitWithoutPhotos()
{
    if (GetAlbumName().IsEmpty()) SetAlbumName(StoredCurrentAlbumName());
    if (!CApp::Init()) return false;
    m_photos.ClearItems();
    m_photos.SetKeys(kSlidesSection, kSlideKeyPattern);
    m_listPending = true;
    return true;
}

bool CWppProfile::ReadPhotoListAhead(HWND target, UINT message)
{
    return m_listReader.Start(GetStore().BuildPath(kSlidesSection), kSlideKeyPattern, target, message);
}

bool CWppProfile::TakePhotoList(WPARAM serial)
{
    std::vector<tstr> paths;
    std::vector<bool> favourites;
    bool tidy = false;
    if (!m_listPending || !m_listReader.Take(serial, paths, favourites, tidy)) return false;
    m_listPending = false;
    CSlide* ahead = m_photos.size() == 1 ? m_photos[0] : nullptr;
    std::vector<CSlide*>& items = m_photos.Items();
    if (!ahead) m_photos.ClearItems();
    items.clear();
    items.reserve(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        const bool isAhead = ahead && static_cast<int>(i) == m_aheadAt && ahead->GetPath() == paths[i];
        items.push_back(isAhead ? ahead : new CSlide(paths[i]));
        items.back()->SetFavourite(favourites[i]);
        if (isAhead) ahead = nullptr;
    }
    // The store changed under it: the list as stored now wins.
    if (ahead) {
        ahead->OnRelease();
        delete ahead;
    }
    m_index.SetValue(m_aheadAt);
    KnowStoredPhotos(GetAlbumName());
    m_stored.photosKnown = tidy;
    m_stored.paths = std::move(paths);
    m_stored.favourites = std::move(favourites);
    RoundFromSettings();
    return true;
}

bool CWppProfile::ReinitAlbum()
{
    PointAt(StoredCurrentAlbumName());
    return RebuildPhotoList();
}

bool CWppProfile::RebuildPhotoList()
{
    m_renamedFrom = tstr();
    m_listReader.Cancel();
    m_listPending = false;
    m_photos.ClearItems();
    m_photos.SetKeys(kSlidesSection, kSlideKeyPattern);
    // Paths are read with the list: a stored list of thousands is read once.
    const bool loaded = m_photos.LoadStoredItems(GetStore());
    KnowStoredPhotos(GetAlbumName());
    KnowStoredPaths(GetStore().SubKeyCount(kSlidesSection) == m_photos.size());
    return loaded;
}

bool CWppProfile::Load()
{
    const bool loaded = LoadSettings();
    if (m_listPending && m_photos.empty()) {
        // The photo the show begins with; the rest comes from the worker.
        unsigned long pos = 0;
        m_aheadAt = Shuffled() && ParseUnsigned(m_shufflePos.GetValue(), pos) && pos <= 0x7FFFFFFFul
                        ? static_cast<int>(pos) : 0;
        CSlide* ahead = new CSlide;
        if (!ahead->LoadIfStored(GetStore(), m_photos.ItemKey(m_aheadAt)) &&
            (m_aheadAt == 0 || !ahead->LoadIfStored(GetStore(), m_photos.ItemKey(m_aheadAt = 0)))) {
            // No first photo: the stored list is empty, and complete.
            delete ahead;
            m_listPending = false;
            KnowStoredPhotos(GetAlbumName());
            m_stored.photosKnown = GetStore().SubKeyCount(kSlidesSection) == 0;
            m_stored.paths.clear();
            m_stored.favourites.clear();
        } else {
            m_photos.Items().push_back(ahead);
        }
    }
    // The round keys every photo: it waits for the whole list.
    if (!m_listPending) RoundFromSettings();
    return loaded;
}

void CWppProfile::KnowStoredPhotos(const tstr& name)
{
    if (m_stored.name.IsNull() || !SameName(m_stored.name, name)) m_stored.Forget();
    m_stored.name = name;
}

void CWppProfile::KnowStoredPaths(bool tidy)
{
    m_stored.photosKnown = tidy;
    m_stored.paths.clear();
    m_stored.paths.reserve(m_photos.size());
    m_stored.favourites.clear();
    for (const CSlide* photo : m_photos) {
        m_stored.paths.push_back(photo->GetPath());
        m_stored.favourites.push_back(photo->IsFavourite());
    }
}

tstr CWppProfile::SettingsText() const
{
    tstr text(L"");
    for (const IParamReg* setting : m_albumSettings.Members()) setting->SaveText(text, tstr(L""));
    return text;
}

bool CWppProfile::LoadSettings()
{
    const bool loaded = CApp::Load();
    m_albumSettings.LoadAll();
    KnowStoredPhotos(GetAlbumName());
    m_stored.settings = SettingsText();
    ResolvePlacementDefaults();
    return loaded;
}

void CWppProfile::ResolvePlacementDefaults()
{
    if (m_placementX.GetValue() == kUnplaced) m_placementX.SetValue(s_taskbarRtl ? 0 : 2);
    if (m_placementY.GetValue() == kUnplaced) m_placementY.SetValue(2);
}

bool CWppProfile::Save() { return SaveAlbum(true); }

bool CWppProfile::SaveKeepingOldKey() { return SaveAlbum(false); }

bool CWppProfile::SaveAlbum(bool dropOldKey)
{
    const tstr name = GetAlbumName();
    // Not even "Profile": it would name an album that cannot be read back.
    if (!IsStorableName(name)) return false;
    CRegStore& store = GetStore();
    store.ClearLastError();
    CAlbumBackup backup(store, m_albumSettings);
    // A rename writes the whole album anew.
    if (!m_renamedFrom.IsEmpty()) m_stored.Forget();
    // A list still being read is not written: only the settings can change.
    if (m_stored.KnowsPhotosOf(name) || (m_listPending && m_renamedFrom.IsEmpty()))
        backup.KeepSettings(name);
    else
        backup.Keep(name);
    const bool caseOnly = !m_renamedFrom.IsEmpty() && SameName(m_renamedFrom, name);
    bool saved;
    if (caseOnly) {
        // The old and the new spelling are one key: the album stays complete
        // under an interim name while the old key goes and the new one is made.
        const tstr interim = InterimName(name);
        backup.Keep(interim);
        saved = !interim.IsEmpty() && WriteAlbumAt(interim, backup) && DeleteStoredAlbum(m_renamedFrom) &&
                WriteAlbumAt(name, backup) && DeleteStoredAlbum(interim);
    } else {
        if (dropOldKey && !m_renamedFrom.IsEmpty()) backup.Keep(m_renamedFrom);
        saved = WriteAlbumAt(name, backup);
    }
    // "Profile" names the album only once it is complete.
    saved = saved && CApp::Save();
    // Only now that the album is complete under its new name.
    if (saved && dropOldKey && !caseOnly && !m_renamedFrom.IsEmpty()) saved = DeleteStoredAlbum(m_renamedFrom);
    saved = saved && backup.Commit();
    PointAt(name);
    if (!saved) {
        m_saveError = store.LastError() ? store.LastError() : static_cast<unsigned long>(ERROR_WRITE_FAULT);
        // The store as it was is what is known of it, once put back.
        if (!backup.Restore()) m_stored.Forget();
        return false;
    }
    if (dropOldKey) m_renamedFrom = tstr();
    KnowStoredPhotos(name);
    m_stored.settings = SettingsText();
    if (!m_listPending) KnowStoredPaths(true);
    return true;
}

bool CWppProfile::WriteAlbumAt(const tstr& name, CAlbumBackup& backup)
{
    GetStore().AddReplacement(kProfPlaceholder, AlbumPrefix(name));
    // The round keys every photo: while the list is pending its stored values stay.
    if (!m_listPending) RoundToSettings();
    const bool known = !m_stored.name.IsNull() && SameName(m_stored.name, name);
    const bool listKnown = !m_listPending && m_stored.KnowsPhotosOf(name);
    // Kept before the first write: the backup's record then holds them all.
    const std::vector<int> changed = listKnown ? ChangedPhotos() : std::vector<int>();
    if (listKnown) {
        for (int i : changed) backup.KeepPhoto(name, i);
        for (size_t i = m_photos.size(); i < m_stored.paths.size(); ++i) backup.KeepPhoto(name, static_cast<int>(i));
    }
    bool written = false;
    if (!known || m_stored.settings.IsNull() || !(m_stored.settings == SettingsText())) {
        if (!m_albumSettings.SaveAll()) return false;
        written = true;
    }
    if (listKnown) {
        if (!WriteChangedPhotos(changed, written)) return false;
    } else if (!m_listPending) {
        // Every exit saves: an unchanged album of thousands of photos keeps its keys as they are.
        const CColReg<CSlide*>* stored = backup.KeptPhotos(name);
        if (!(stored && m_photos.SameAsStored(GetStore(), *stored)) && !m_photos.SaveItems(&GetStore()))
            return false;
        written = true;
    }
    // An album saved as it was is not even read back.
    return !written || DeleteStaleAlbumKeys(name);
}

std::vector<int> CWppProfile::ChangedPhotos() const
{
    const std::vector<tstr>& stored = m_stored.paths;
    const std::vector<bool>& favourites = m_stored.favourites;
    std::vector<int> changed;
    for (size_t i = 0; i < m_photos.size(); ++i)
        if (i >= stored.size() || !(stored[i] == m_photos[i]->GetPath()) || i >= favourites.size() ||
            favourites[i] != m_photos[i]->IsFavourite())
            changed.push_back(static_cast<int>(i));
    return changed;
}

bool CWppProfile::WriteChangedPhotos(const std::vector<int>& changed, bool& written)
{
    CRegStore& store = GetStore();
    for (int i : changed)
        if (!m_photos[i]->SavePath(store, m_photos.ItemKey(i))) return false;
    for (int i : changed)
        if (!m_photos[i]->IsSavedAt(store, m_photos.ItemKey(i))) return false;
    // Keys past the end go once the list before them is complete.
    const size_t stored = m_stored.paths.size();
    for (size_t i = m_photos.size(); i < stored; ++i)
        if (!store.RemoveKey(m_photos.ItemKey(static_cast<int>(i)))) return false;
    written = written || !changed.empty() || stored > m_photos.size();
    return true;
}

// Nothing but the settings key lives below the album's own key.
bool CWppProfile::DeleteStaleAlbumKeys(const tstr& albumName)
{
    CRegStore& store = GetStore();
    const tstr album = AlbumKey(albumName);
    std::vector<tstr> stale;
    tstr name;
    for (unsigned long i = 0; store.EnumSubKey(album, i, name); ++i)
        if (!SameName(name, kSlidesKey)) stale.push_back(album + L"\\" + CRegStore::Literal(name));
    for (const tstr& key : stale)
        if (!store.RemoveKey(key)) return false;
    return true;
}

tstr CWppProfile::InterimName(const tstr& name)
{
    for (int n = 1; n < 100; ++n) {
        const tstr suffix = tstr(L" ~") + tstr::FromInt(n);
        const tstr interim = tstr(name.Str().substr(0, kMaxNameLength - suffix.Length())) + suffix;
        if (!GetStore().KeyExists(AlbumKey(interim))) return interim;
    }
    return tstr();
}

void CWppProfile::MakeThumbnails(IThumbnailListener* listener)
{
    for (CSlide* photo : m_photos) m_thumbnails->Request(photo->GetPath(), false, listener);
}

void CWppProfile::CommitAlbumSettings() { m_albumSettings.CommitAll(); }

void CWppProfile::RevertAlbumSettings() { m_albumSettings.RevertAll(); }

void CWppProfile::Assign(const CWppProfile& other)
{
    if (&other == this) return;
    CopyPhotosOf(other);
    m_index.Assign(other.m_index);
    m_thumbSize.Assign(other.m_thumbSize);
    m_placementX.Assign(other.m_placementX);
    m_placementY.Assign(other.m_placementY);
    m_sizeX.Assign(other.m_sizeX);
    m_sizeY.Assign(other.m_sizeY);
    m_marginX.Assign(other.m_marginX);
    m_marginY.Assign(other.m_marginY);
    m_maximized.Assign(other.m_maximized);
    m_timeout.Assign(other.m_timeout);
    m_sliderVis.Assign(other.m_sliderVis);
    m_sliderVisIn.Assign(other.m_sliderVisIn);
    m_folder.Assign(other.m_folder);
    m_subfolders.Assign(other.m_subfolders);
    m_monitor.Assign(other.m_monitor);
    m_hideFromCapture.Assign(other.m_hideFromCapture);
    m_caption.Assign(other.m_caption);
    m_onThisDay.Assign(other.m_onThisDay);
    m_shuffle.Assign(other.m_shuffle);
    m_shuffleSeed.Assign(other.m_shuffleSeed);
    m_shufflePos.Assign(other.m_shufflePos);
    m_shuffleShown.Assign(other.m_shuffleShown);
    m_hidden.Setting().Assign(other.m_hidden.Setting());
    m_round = other.m_round;
    m_stored = other.m_stored;
}

void CWppProfile::CopyPhotosOf(const CWppProfile& other)
{
    // A whole list replaces one still being read.
    m_listReader.Cancel();
    m_listPending = other.m_listPending;
    m_aheadAt = other.m_aheadAt;
    m_photos.ClearItems();
    // Fresh entries: appended without searching the list for each.
    std::vector<CSlide*>& copies = m_photos.Items();
    copies.reserve(other.m_photos.size());
    for (const CSlide* photo : other.m_photos) {
        CSlide* copy = new CSlide;
        copy->CopyFrom(photo);
        copies.push_back(copy);
    }
}

CSlide* CWppProfile::AddPhoto(const tstr& path)
{
    CSlide* photo = new CSlide(path);
    m_photos.Add(photo);
    return photo;
}

void CWppProfile::ScanFolder(const tstr& folder)
{
    for (const tstr& path : ListPictureFiles(folder)) AddPhoto(path);
}

bool CWppProfile::GetShellFolder(int csidl, tstr& path)
{
    wchar_t folder[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder))) return false;
    path = folder;
    return true;
}

void CWppProfile::FillEmptyAlbum()
{
    // Its folder fills it, and may well be empty for now.
    if (FollowsFolder() || m_listPending) return;
    for (int csidl : {CSIDL_MYPICTURES, CSIDL_COMMON_PICTURES}) {
        if (!m_photos.empty()) return;
        tstr folder;
        if (GetShellFolder(csidl, folder)) ScanFolder(folder);
        Save();
    }
    tstr folder;
    if (m_photos.empty() && GetStore().ReadString(kOptionsSection, kInstallPathValue, folder))
        ScanFolder(folder);
}

void CWppProfile::DropUnusablePhotos()
{
    const int current = m_index.GetValue();
    int index = 0;
    int droppedBefore = 0;
    for (auto at = m_photos.begin(); at != m_photos.end(); ++index) {
        if (m_thumbnails->KnownState((*at)->GetPath()) != CThumbnails::Known::Unusable) {
            ++at;
            continue;
        }
        if (index < current) ++droppedBefore;
        at = m_photos.EraseAt(at);
    }
    m_index.SetValue(current - droppedBefore);
}

int CWppProfile::IndexOfPhoto(const tstr& path) const
{
    for (size_t i = 0; i < m_photos.size(); ++i)
        if (m_photos[i]->GetPath() == path) return static_cast<int>(i);
    return -1;
}

bool CWppProfile::RemovePhoto(const tstr& path)
{
    const int index = IndexOfPhoto(path);
    if (index < 0) return false;
    const int current = m_index.GetValue();
    m_photos.EraseAt(m_photos.begin() + index);
    if (index < current) m_index.SetValue(current - 1);
    return true;
}

void CWppProfile::HidePhoto(const tstr& path)
{
    m_hidden.Hide(path);
    RemovePhoto(path);
}

void CWppProfile::UnhidePhoto(const tstr& path)
{
    if (!m_hidden.Unhide(path) || FollowsFolder() || IndexOfPhoto(path) >= 0) return;
    AddPhoto(path);
}

void CWppProfile::Unlink()
{
    m_folder.SetValue(tstr(L""));
    m_subfolders.SetValue(0);
}

bool CWppProfile::RoundKey(int index, uint64_t& key) const
{
    const CSlide* photo = index >= 0 ? m_photos.GetAt(static_cast<size_t>(index)) : nullptr;
    if (!photo) return false;
    key = CShuffleRound::KeyOf(photo->GetPath().Str());
    return true;
}

bool CWppProfile::TakenOnThisDay(int index, const CalendarDay& today) const
{
    const CSlide* photo = index >= 0 ? m_photos.GetAt(static_cast<size_t>(index)) : nullptr;
    return photo && YearsAgoOnThisDay(m_thumbnails->Taken(photo->GetPath()), today) > 0;
}

int CWppProfile::NextOnThisDay(int index)
{
    const CalendarDay today = Today();
    return NextPreferringFirst(index, static_cast<int>(m_photos.size()),
                               [&](int i) { return TakenOnThisDay(i, today); });
}

void CWppProfile::PreferPhotosOfThisDay()
{
    const DayLook look = {m_thumbnails->DatesLearned(), Today(), m_photos.size(), m_onThisDay.GetValue() != 0};
    if (look.dates == m_dayLook.dates && look.photos == m_dayLook.photos && look.on == m_dayLook.on &&
        look.day.year == m_dayLook.day.year && look.day.month == m_dayLook.day.month &&
        look.day.day == m_dayLook.day.day)
        return;
    m_dayLook = look;
    std::unordered_set<uint64_t> first;
    for (int i = 0; look.on && i < static_cast<int>(m_photos.size()); ++i)
        if (TakenOnThisDay(i, look.day))
            first.insert(CShuffleRound::KeyOf(m_photos[static_cast<size_t>(i)]->GetPath().Str()));
    m_round.PreferFirst(std::move(first));
}

int CWppProfile::NextInRound()
{
    PreferPhotosOfThisDay();
    return m_round.Next(
        static_cast<int>(m_photos.size()),
        [this](int index) {
            uint64_t key = 0;
            RoundKey(index, key);
            return key;
        },
        [this](int index) { return m_photos[static_cast<size_t>(index)]->IsFavourite(); });
}

bool CWppProfile::SetFavourite(const tstr& path, bool on)
{
    const int index = IndexOfPhoto(path);
    if (index < 0) return false;
    m_photos[static_cast<size_t>(index)]->SetFavourite(on);
    m_round.FavouritesChanged();
    return true;
}

void CWppProfile::PhotoShown(int index)
{
    uint64_t key;
    if (Shuffled() && RoundKey(index, key)) m_round.Shown(key);
}

void CWppProfile::PhotoPassed(int index)
{
    uint64_t key;
    if (Shuffled() && RoundKey(index, key)) m_round.Passed(key);
}

// "ShuffleShown" holds one bit per photo in stored order, four to a hex
// digit, lowest bit first; "ShufflePos" is the photo on screen.
void CWppProfile::RoundToSettings()
{
    if (!Shuffled()) {
        for (CParam<tstr>* round : {&m_shuffleSeed, &m_shufflePos, &m_shuffleShown}) round->SetValue(tstr(L""));
        return;
    }
    std::wstring shown((m_photos.size() + 3) / 4, L'0');
    for (size_t i = 0; i < m_photos.size(); ++i) {
        uint64_t key;
        if (!RoundKey(static_cast<int>(i), key) || !m_round.HadTurn(key)) continue;
        const int digit = HexDigit(shown[i / 4]) | (1 << (i % 4));
        shown[i / 4] = L"0123456789abcdef"[digit];
    }
    m_shuffleSeed.SetValue(tstr(std::to_wstring(m_round.Seed())));
    m_shufflePos.SetValue(tstr::FromInt(CurrentIndex()));
    m_shuffleShown.SetValue(tstr(shown));
}

void CWppProfile::RoundFromSettings()
{
    if (!Shuffled()) return;
    unsigned long seed = 0;
    if (!ParseUnsigned(m_shuffleSeed.GetValue(), seed)) {
        // No round yet: it begins with its own first photo, not the list's.
        if (!m_photos.empty()) m_index.SetValue(NextInRound());
        return;
    }
    std::vector<uint64_t> done;
    const std::wstring& shown = m_shuffleShown.GetValue().Str();
    for (size_t i = 0; i < m_photos.size() && i / 4 < shown.size(); ++i) {
        uint64_t key;
        if (((HexDigit(shown[i / 4]) >> (i % 4)) & 1) && RoundKey(static_cast<int>(i), key)) done.push_back(key);
    }
    unsigned long pos = 0;
    uint64_t onScreen = 0;
    const bool hasPos = ParseUnsigned(m_shufflePos.GetValue(), pos) && pos <= 0x7FFFFFFFul &&
                        RoundKey(static_cast<int>(pos), onScreen);
    if (hasPos) m_index.SetValue(static_cast<int>(pos));
    m_round.Restore(static_cast<uint32_t>(seed), done, hasPos ? &onScreen : nullptr);
}

int CWppProfile::CurrentIndex()
{
    const int index = m_index.GetValue();
    if (index >= 0 && index < static_cast<int>(m_photos.size())) return index;
    m_index.SetValue(0);
    return 0;
}

CSlide* CWppProfile::CurrentPhoto() { return m_photos.GetAt(static_cast<size_t>(CurrentIndex())); }

bool CWppProfile::SameName(const tstr& a, const tstr& b)
{
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.Length()), b.c_str(),
                                static_cast<int>(b.Length()), TRUE) == CSTR_EQUAL;
}

CWppProfile::NameProblem CWppProfile::CheckAlbumName(const tstr& name, const std::vector<tstr>& otherNames,
                                                     const tstr& keptName)
{
    if (name.IsEmpty()) return NameProblem::Empty;
    if (name.Str().find(L'\\') != std::wstring::npos) return NameProblem::Separator;
    if (name.Length() > static_cast<size_t>(kMaxNameLength)) return NameProblem::TooLong;
    if (!(name == keptName))
        for (const wchar_t* placeholder : {L"*firm*", L"*app*", kProfPlaceholder})
            if (name.Str().find(placeholder) != std::wstring::npos) return NameProblem::Placeholder;
    for (const tstr& other : otherNames)
        if (SameName(name, other)) return NameProblem::Taken;
    return NameProblem::None;
}

void CWppProfile::PointAt(const tstr& name)
{
    SetAlbumName(name);
    GetStore().AddReplacement(kProfPlaceholder, AlbumPrefix(name));
}

void CWppProfile::RenameAlbum(const tstr& name)
{
    const tstr stored = m_renamedFrom.IsEmpty() ? GetAlbumName() : m_renamedFrom;
    m_renamedFrom = stored == name ? tstr() : stored;
    PointAt(name);
}

tstr CWppProfile::TakeRenamedFrom()
{
    const tstr from = m_renamedFrom;
    m_renamedFrom = tstr();
    return from;
}

tstr CWppProfile::StoredCurrentAlbumName()
{
    tstr name;
    GetStore().ReadString(kProfilesSection, kProfileValue, name);
    return IsStorableName(name) ? name : tstr(L"Default");
}

bool CWppProfile::IsStorableName(const tstr& name) { return CheckAlbumName(name, {}, name) == NameProblem::None; }

bool CWppProfile::DeleteStoredAlbum(const tstr& name)
{
    if (!IsStorableName(name)) return false;
    if (!m_stored.name.IsNull() && SameName(m_stored.name, name)) m_stored.Forget();
    return GetStore().RemoveKey(AlbumKey(name));
}
