#include "album/AlbumBackup.h"

#include <cstdint>

#include "album/FieldText.h"
#include "album/WppProfile.h"

const wchar_t CAlbumBackup::kRecordValue[] = L"UnfinishedSave";

namespace {
const wchar_t kRecordTag[] = L"Lumora save 1";

// The open backup that keeps the record; saves run on the UI thread only.
CAlbumBackup* s_outermost = nullptr;

TextField Field(const tstr& text) { return text.IsNull() ? TextField() : TextField(text.Str()); }

TextField Field(size_t number) { return TextField(std::to_wstring(number)); }

// Reads a record's fields in turn; any field missing or malformed spoils it.
class CFieldReader {
public:
    explicit CFieldReader(std::vector<TextField> fields) : m_fields(std::move(fields)) {}
    bool Ok() const { return m_ok; }
    bool AtEnd() const { return m_at == m_fields.size(); }
    tstr Text() {
        if (m_at >= m_fields.size()) return Fail();
        const TextField& field = m_fields[m_at++];
        return field ? tstr(*field) : tstr();
    }
    tstr PresentText() {
        const tstr text = Text();
        return text.IsNull() ? Fail() : text;
    }
    // A count of things each at least `fieldsEach` fields long, or (0) an index.
    size_t Number(size_t fieldsEach) {
        const tstr text = PresentText();
        uint64_t number = 0;
        for (wchar_t c : text.Str()) {
            if (c < L'0' || c > L'9' || number > 0x7FFFFFFFu) {
                Fail();
                return 0;
            }
            number = number * 10 + static_cast<uint64_t>(c - L'0');
        }
        if (text.IsEmpty() || number > 0x7FFFFFFFu || number * fieldsEach > m_fields.size() - m_at) {
            Fail();
            return 0;
        }
        return static_cast<size_t>(number);
    }
    bool Flag() {
        const tstr text = PresentText();
        if (!(text == L"0") && !(text == L"1")) Fail();
        return text == L"1";
    }

private:
    tstr Fail() {
        m_ok = false;
        m_at = m_fields.size();
        return tstr();
    }
    std::vector<TextField> m_fields;
    size_t m_at = 0;
    bool m_ok = true;
};
}  // namespace

CAlbumBackup::CAlbumBackup(CRegStore& store) : m_store(store) {}

CAlbumBackup::CAlbumBackup(CRegStore& store, const CParamRegSet& settings) : m_store(store)
{
    for (const IParamReg* setting : settings.Members()) m_settingNames.push_back(setting->GetName());
    if (s_outermost) {
        m_outer = s_outermost;
    } else {
        s_outermost = this;
        m_recording = true;
        // What this save keeps must be the store as it was before the unfinished one.
        if (!RestoreUnfinished(m_store)) {
            m_blocked = true;
            m_blockedError = m_store.LastError() ? m_store.LastError() : static_cast<unsigned long>(ERROR_WRITE_FAULT);
        }
        KeepRecordAhead();
    }
    m_store.ReadString(CWppProfile::kProfilesSection, CWppProfile::kProfileValue, m_profile);
}

CAlbumBackup::~CAlbumBackup()
{
    if (s_outermost != this) return;
    s_outermost = nullptr;
    CRegStore::SetBeforeWrite(tstr(), nullptr);
}

void CAlbumBackup::KeepRecordAhead()
{
    if (m_recording)
        CRegStore::SetBeforeWrite(m_store.BuildPath(CWppProfile::kProfilesSection), [this] { return StoreRecord(); });
}

unsigned long CAlbumBackup::StoreRecord()
{
    if (m_blocked) return m_blockedError;
    if (!m_store.WriteString(CWppProfile::kProfilesSection, kRecordValue, Record()))
        return m_store.LastError() ? m_store.LastError() : static_cast<unsigned long>(ERROR_WRITE_FAULT);
    m_recordStored = true;
    return 0;
}

bool CAlbumBackup::RemoveRecord()
{
    // No record is to come any more.
    CRegStore::SetBeforeWrite(tstr(), nullptr);
    // Nothing was written: there is none to take back.
    if (!m_recordStored) return true;
    m_recordStored = !m_store.WriteString(CWppProfile::kProfilesSection, kRecordValue, tstr());
    return !m_recordStored;
}

bool CAlbumBackup::Commit() { return !m_recording || RemoveRecord(); }

tstr CAlbumBackup::StoredAs(const tstr& name) const
{
    tstr key;
    for (unsigned long i = 0; m_store.EnumSubKey(CWppProfile::kProfilesSection, i, key); ++i)
        if (CWppProfile::SameName(key, name)) return key;
    return tstr();
}

CAlbumBackup::Album* CAlbumBackup::Find(const tstr& name) const
{
    for (const auto& kept : m_albums)
        if (CWppProfile::SameName(kept->name, name)) return kept.get();
    return nullptr;
}

void CAlbumBackup::Keep(const tstr& name) { Keep(name, true); }

void CAlbumBackup::KeepSettings(const tstr& name) { Keep(name, false); }

void CAlbumBackup::Keep(const tstr& name, bool wholeList)
{
    if (m_outer) m_outer->Keep(name, wholeList);
    if (Find(name)) return;
    auto album = std::make_unique<Album>();
    album->name = name;
    album->storedAs = StoredAs(name);
    album->wholeList = wholeList;
    if (!album->storedAs.IsNull()) {
        const tstr slides = CWppProfile::SlidesKey(album->storedAs);
        for (const tstr& setting : m_settingNames) {
            tstr value;
            album->values.push_back(m_store.ReadString(slides, setting, value) ? value : tstr());
        }
        album->photos.SetKeys(slides, CWppProfile::kSlideKeyPattern);
        if (wholeList) album->photos.LoadStoredItems(m_store);
    }
    m_albums.push_back(std::move(album));
    if (m_recordStored) KeepRecordAhead();
}

void CAlbumBackup::KeepPhoto(const tstr& name, int index)
{
    if (m_outer) m_outer->KeepPhoto(name, index);
    Album* album = Find(name);
    // Not stored before: the whole key goes again should the save fail.
    if (!album || album->wholeList || album->storedAs.IsNull()) return;
    for (const auto& touched : album->touched)
        if (touched.index == index) return;
    tstr path, favourite;
    const tstr key = album->photos.ItemKey(index);
    const bool stored = m_store.ReadStrings(key, CSlide::kPathValue, path, CSlide::kFavouriteValue, favourite);
    album->touched.push_back({index, stored ? path : tstr(), CSlide::FavouriteText(favourite)});
    if (m_recordStored) KeepRecordAhead();
}

const CColReg<CSlide*>* CAlbumBackup::KeptPhotos(const tstr& name) const
{
    const Album* kept = Find(name);
    return kept && kept->wholeList && !kept->storedAs.IsNull() ? &kept->photos : nullptr;
}

bool CAlbumBackup::Restore()
{
    // What is put back needs no record first.
    if (m_recording) CRegStore::SetBeforeWrite(tstr(), nullptr);
    bool restored = true;
    for (const auto& album : m_albums) restored = Restore(*album) && restored;
    restored = m_store.WriteString(CWppProfile::kProfilesSection, CWppProfile::kProfileValue, m_profile) && restored;
    // Unless all is back, the record is what can still put it back.
    return restored && (!m_recording || RemoveRecord());
}

bool CAlbumBackup::Restore(Album& album)
{
    const tstr now = StoredAs(album.name);
    // A key that was not there, or whose letter case changed, goes; the
    // latter is then made again under its old name.
    if (!now.IsNull() && !(album.storedAs == now) && !m_store.RemoveKey(CWppProfile::AlbumKey(now))) return false;
    if (album.storedAs.IsNull()) return true;
    const tstr slides = CWppProfile::SlidesKey(album.storedAs);
    bool restored = true;
    for (size_t i = 0; i < m_settingNames.size() && i < album.values.size(); ++i)
        restored = m_store.WriteString(slides, m_settingNames[i], album.values[i]) && restored;
    if (album.wholeList) return album.photos.SaveItems(&m_store) && restored;
    for (const auto& touched : album.touched) {
        const tstr key = album.photos.ItemKey(touched.index);
        CSlide photo(touched.path);
        photo.SetFavourite(touched.favourite);
        restored = (touched.path.IsNull() ? m_store.RemoveKey(key) : photo.SavePath(m_store, key)) && restored;
    }
    return restored;
}

tstr CAlbumBackup::Record() const
{
    std::vector<TextField> fields{TextField(kRecordTag), Field(m_profile), Field(m_settingNames.size())};
    for (const tstr& name : m_settingNames) fields.push_back(Field(name));
    fields.push_back(Field(m_albums.size()));
    for (const auto& album : m_albums) {
        fields.push_back(Field(album->name));
        fields.push_back(Field(album->storedAs));
        fields.push_back(Field(tstr(album->wholeList ? L"1" : L"0")));
        if (album->storedAs.IsNull()) continue;
        for (const tstr& value : album->values) fields.push_back(Field(value));
        if (album->wholeList) {
            fields.push_back(Field(album->photos.size()));
            for (const CSlide* photo : album->photos) {
                fields.push_back(Field(photo->GetPath()));
                fields.push_back(Field(tstr(photo->IsFavourite() ? L"1" : L"0")));
            }
        } else {
            fields.push_back(Field(album->touched.size()));
            for (const auto& touched : album->touched) {
                fields.push_back(Field(static_cast<size_t>(touched.index)));
                fields.push_back(Field(touched.path));
                fields.push_back(Field(tstr(touched.favourite ? L"1" : L"0")));
            }
        }
    }
    return tstr(JoinFields(fields));
}

bool CAlbumBackup::ReadRecord(const tstr& text)
{
    std::vector<TextField> fields;
    if (!SplitFields(text.Str(), fields)) return false;
    CFieldReader read(std::move(fields));
    if (!(read.PresentText() == kRecordTag)) return false;
    m_profile = read.Text();
    const size_t settings = read.Number(1);
    for (size_t i = 0; i < settings && read.Ok(); ++i) m_settingNames.push_back(read.PresentText());
    const size_t albums = read.Number(3);
    for (size_t a = 0; a < albums && read.Ok(); ++a) {
        auto album = std::make_unique<Album>();
        album->name = read.PresentText();
        album->storedAs = read.Text();
        album->wholeList = read.Flag();
        if (!album->storedAs.IsNull()) {
            for (size_t i = 0; i < settings && read.Ok(); ++i) album->values.push_back(read.Text());
            const tstr slides = CWppProfile::SlidesKey(album->storedAs);
            album->photos.SetKeys(slides, CWppProfile::kSlideKeyPattern);
            if (album->wholeList) {
                const size_t photos = read.Number(2);
                for (size_t i = 0; i < photos && read.Ok(); ++i) {
                    auto photo = std::make_unique<CSlide>(read.PresentText());
                    photo->SetFavourite(read.Flag());
                    album->photos.Items().push_back(photo.release());
                }
            } else {
                const size_t touched = read.Number(3);
                for (size_t i = 0; i < touched && read.Ok(); ++i) {
                    const size_t index = read.Number(0);
                    const tstr path = read.Text();
                    const bool favourite = read.Flag();
                    album->touched.push_back({static_cast<int>(index), path, favourite});
                }
            }
        }
        m_albums.push_back(std::move(album));
    }
    return read.Ok() && read.AtEnd();
}

bool CAlbumBackup::RestoreUnfinished(CRegStore& store, bool* found)
{
    tstr text;
    const bool there = store.ReadString(CWppProfile::kProfilesSection, kRecordValue, text);
    if (found) *found = there;
    if (!there) return true;
    CAlbumBackup record(store);
    // A record that cannot be read cannot put anything back: it only goes.
    if (record.ReadRecord(text) && !record.Restore()) return false;
    return store.WriteString(CWppProfile::kProfilesSection, kRecordValue, tstr());
}
