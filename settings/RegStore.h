#pragma once
// The program's one settings store: (section, name) pairs mapped onto string
// values under HKEY_CURRENT_USER. Sections are relative to a base path and may
// hold placeholders ("*firm*", "*app*", "*prof*") that are expanded on every
// access. Numbers are stored as decimal text. Failures are reported by the
// boolean result (a failed read leaves the output as it was); the system error
// of the latest failed write is kept for the message that reports it.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "settings/Tstr.h"

class CRegStore {
public:
    CRegStore(const tstr& firm = tstr(), const tstr& app = tstr());
    ~CRegStore();
    CRegStore(const CRegStore&) = delete;
    CRegStore& operator=(const CRegStore&) = delete;

    // Base path "Software\*firm*\*app*\" plus the two name replacements; an
    // empty firm or app changes nothing but the remembered names.
    bool SetNames(const tstr& firm, const tstr& app);
    // Appends a backslash unless the path is empty or already ends in one.
    void SetBasePath(const tstr& path);
    // Replaces an existing pair with the same `from` and moves it to the end.
    bool AddReplacement(const tstr& from, const tstr& to);
    void ClearReplacements();
    tstr BuildPath(const tstr& section) const;
    // `name` as a part of a section (or of a replacement) that is never
    // expanded: a stored key's name may hold a placeholder's text.
    static tstr Literal(const tstr& name);

    const tstr& GetBasePath() const { return m_basePath; }

    // A null value deletes the stored value (a value that is not there counts
    // as deleted). False when the key could not be created or the registry
    // refused the write.
    bool WriteString(const tstr& section, const tstr& name, const tstr& value);
    bool WriteInt(const tstr& section, const tstr& name, int value);
    // False for a missing key or value and for an empty (zero-byte) value; then
    // `out` is unchanged. Values of any type are read as text.
    bool ReadString(const tstr& section, const tstr& name, tstr& out) const;
    // ReadString of `name`, and of `other` where it is there, the key opened once.
    bool ReadStrings(const tstr& section, const tstr& name, tstr& out, const tstr& other, tstr& otherOut) const;
    // ReadString followed by decimal parsing.
    bool ReadInt(const tstr& section, const tstr& name, int& out) const;
    bool KeyExists(const tstr& section) const;
    // Deletes the key with everything below it; an empty path is refused.
    bool DeleteKey(const tstr& section);
    // DeleteKey, where a key that is not there counts as deleted.
    bool RemoveKey(const tstr& section);
    // Name of the index-th sub-key; false past the last one.
    bool EnumSubKey(const tstr& section, unsigned long index, tstr& out) const;
    // Every sub-key's name, the key opened once: an album's thousands of
    // photo keys are listed in one pass.
    std::vector<tstr> SubKeyNames(const tstr& section) const;
    // How many sub-keys, without listing them; 0 for a missing key.
    unsigned long SubKeyCount(const tstr& section) const;

    // What must be stored before anything else: runs before the next write or
    // deletion this thread makes through any store at or below the key
    // `path` (as BuildPath gives it), once (it may set itself again). A
    // result other than 0 is the system error that refuses that write. A
    // null gate clears it.
    static void SetBeforeWrite(const tstr& path, std::function<unsigned long()> gate);

    // System error code of the latest failed write or deletion; 0 after none.
    unsigned long LastError() const { return m_lastError; }
    void ClearLastError() { m_lastError = 0; }

    // Test seam: the n-th write or deletion from now (1: the next one) of any
    // store is refused with `error`, as the registry would refuse it, and
    // with `persistent` every one after it too (a full or locked registry);
    // 0 turns it off. Reads are never refused.
    static void FailNthWrite(unsigned long n, unsigned long error, bool persistent = false);
    // Writes left before the refusal; 0 when none is set or it has happened.
    static unsigned long WritesBeforeFailure();

private:
    // True for ERROR_SUCCESS; otherwise records the error.
    bool Succeeded(long result);
    // Runs the gate set by SetBeforeWrite for `path`, if any, and then the test seam.
    bool MayWrite(const tstr& path);

    tstr m_basePath;
    std::vector<std::pair<tstr, tstr>> m_replacements;
    unsigned long m_lastError = 0;
};
