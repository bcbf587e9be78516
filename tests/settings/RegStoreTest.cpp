#include "settings/RegStore.h"

#include "tests/settings/RegistryTest.h"

namespace {

const wchar_t kCommon[] = L"Software\\Arvendal\\Lumora\\Options\\Common";

class RegStoreTest : public RegistryTest {
protected:
    CRegStore store{L"Arvendal", L"Lumora"};
};

// ---- path expansion -------------------------------------------------------

TEST(RegStorePaths, NamesExpandBelowSoftware) {
    CRegStore store(L"Arvendal", L"Lumora");
    EXPECT_EQ(L"Software\\*firm*\\*app*\\", store.GetBasePath().Str());
    EXPECT_EQ(L"Software\\Arvendal\\Lumora\\Options\\Common", store.BuildPath(L"Options\\Common").Str());
    EXPECT_EQ(L"Software\\Arvendal\\Lumora\\", store.BuildPath(L"").Str());
}

TEST(RegStorePaths, ProfilePlaceholderIsReplacedNotDuplicated) {
    CRegStore store(L"Arvendal", L"Lumora");
    store.AddReplacement(L"*prof*", L"Profiles\\Default\\");
    EXPECT_EQ(L"Software\\Arvendal\\Lumora\\Profiles\\Default\\Slides", store.BuildPath(L"*prof*Slides").Str());
    store.AddReplacement(L"*prof*", L"Profiles\\Beach\\");
    EXPECT_EQ(L"Software\\Arvendal\\Lumora\\Profiles\\Beach\\Slides", store.BuildPath(L"*prof*Slides").Str());
}

TEST(RegStorePaths, ReAddedPairMovesToTheEnd) {
    CRegStore store(L"Arvendal", L"Lumora");
    // A replacement text holding a later pair's placeholder is expanded again...
    store.AddReplacement(L"*prof*", L"Profiles\\*who*\\");
    store.AddReplacement(L"*who*", L"Default");
    EXPECT_EQ(L"Software\\Arvendal\\Lumora\\Profiles\\Default\\Slides", store.BuildPath(L"*prof*Slides").Str());
    // ...but not once the pair was added again after it.
    store.AddReplacement(L"*prof*", L"Profiles\\*who*\\");
    EXPECT_EQ(L"Software\\Arvendal\\Lumora\\Profiles\\*who*\\Slides", store.BuildPath(L"*prof*Slides").Str());
}

TEST(RegStorePaths, InsertedTextIsNotScannedAgainBySamePair) {
    CRegStore store(L"Arvendal", L"Lumora");
    store.AddReplacement(L"*x*", L"a*x*b");
    EXPECT_EQ(L"Software\\Arvendal\\Lumora\\a*x*b-a*x*b", store.BuildPath(L"*x*-*x*").Str());
}

TEST(RegStorePaths, LiteralPartsAreNeverExpanded) {
    CRegStore store(L"Arvendal", L"Lumora");
    store.AddReplacement(L"*prof*", tstr(L"Profiles\\") + CRegStore::Literal(L"a*prof*") + L"\\");
    EXPECT_EQ(L"Software\\Arvendal\\Lumora\\Profiles\\a*prof*\\Slides", store.BuildPath(L"*prof*Slides").Str());
    EXPECT_EQ(L"Software\\Arvendal\\Lumora\\Profiles\\x*app*\\*firm*",
              store.BuildPath(tstr(L"Profiles\\") + CRegStore::Literal(L"x*app*") + L"\\" + CRegStore::Literal(L"*firm*"))
                  .Str());
}

TEST(RegStorePaths, BasePathEndsInOneBackslash) {
    CRegStore store;
    store.SetBasePath(L"Software\\Test");
    EXPECT_EQ(L"Software\\Test\\", store.GetBasePath().Str());
    store.SetBasePath(L"Software\\Test\\");
    EXPECT_EQ(L"Software\\Test\\", store.GetBasePath().Str());
    store.SetBasePath(L"");
    EXPECT_TRUE(store.GetBasePath().IsEmpty());
}

TEST(RegStorePaths, EmptyNameKeepsPreviousPath) {
    CRegStore store(L"Arvendal", L"Lumora");
    EXPECT_FALSE(store.SetNames(L"", L"Other"));
    EXPECT_FALSE(store.SetNames(L"Other", tstr()));
    EXPECT_EQ(L"Software\\Arvendal\\Lumora\\Options", store.BuildPath(L"Options").Str());
    // Setting the same names again is harmless.
    EXPECT_TRUE(store.SetNames(L"Arvendal", L"Lumora"));
    EXPECT_EQ(L"Software\\Arvendal\\Lumora\\Options", store.BuildPath(L"Options").Str());
}

// ---- values ---------------------------------------------------------------

TEST_F(RegStoreTest, IntegersAreDecimalStrings) {
    EXPECT_TRUE(store.WriteInt(L"Options\\Common", L"Neg", -5));
    EXPECT_TRUE(store.WriteInt(L"Options\\Common", L"All", static_cast<int>(4294967295u)));
    RawValue neg = ReadRaw(kCommon, L"Neg");
    ASSERT_TRUE(neg.found);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), neg.type);
    EXPECT_EQ(std::wstring(L"-5", 3), neg.Text());   // the terminator is stored
    EXPECT_EQ(std::wstring(L"-1", 3), ReadRaw(kCommon, L"All").Text());
    int back = 0;
    EXPECT_TRUE(store.ReadInt(L"Options\\Common", L"Neg", back));
    EXPECT_EQ(-5, back);
}

TEST_F(RegStoreTest, NullDeletesEmptyWritesTerminator) {
    store.WriteString(L"Options\\Common", L"Text", L"abc");
    EXPECT_TRUE(store.WriteString(L"Options\\Common", L"Text", tstr(L"")));
    RawValue empty = ReadRaw(kCommon, L"Text");
    ASSERT_TRUE(empty.found);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), empty.type);
    EXPECT_EQ(2u, empty.bytes.size());
    EXPECT_TRUE(store.WriteString(L"Options\\Common", L"Text", tstr()));
    EXPECT_FALSE(ReadRaw(kCommon, L"Text").found);
    // A value that is not there counts as deleted.
    EXPECT_TRUE(store.WriteString(L"Options\\Common", L"Text", tstr()));
}

// Fault: the result of the registry's own write was ignored, so a refused
// write was reported as done.
TEST_F(RegStoreTest, WritesTheRegistryRefusesReportTheirError) {
    // A value name longer than the registry takes: a real refusal.
    EXPECT_FALSE(store.WriteString(L"Options\\Common", std::wstring(20000, L'n'), L"1"));
    EXPECT_NE(0ul, store.LastError());

    store.ClearLastError();
    CRegStore::FailNthWrite(2, ERROR_ACCESS_DENIED);
    EXPECT_TRUE(store.WriteString(L"Options\\Common", L"A", L"1"));
    EXPECT_FALSE(store.WriteString(L"Options\\Common", L"B", L"2"));
    EXPECT_EQ(static_cast<unsigned long>(ERROR_ACCESS_DENIED), store.LastError());
    EXPECT_FALSE(ReadRaw(kCommon, L"B").found);
    EXPECT_TRUE(store.WriteString(L"Options\\Common", L"B", L"2"));   // only the n-th is refused
    CRegStore::FailNthWrite(1, ERROR_ACCESS_DENIED);
    EXPECT_FALSE(store.DeleteKey(L"Options"));
    EXPECT_TRUE(KeyPresent(kCommon));
    EXPECT_EQ(0ul, CRegStore::WritesBeforeFailure());
    // Persistent: the n-th and every later one, until turned off.
    CRegStore::FailNthWrite(2, ERROR_ACCESS_DENIED, true);
    EXPECT_TRUE(store.WriteString(L"Options\\Common", L"C", L"3"));
    EXPECT_FALSE(store.WriteString(L"Options\\Common", L"D", L"4"));
    EXPECT_FALSE(store.DeleteKey(L"Options"));
    EXPECT_FALSE(store.WriteString(L"Options\\Common", L"D", L"4"));
    CRegStore::FailNthWrite(0, 0);
    EXPECT_TRUE(store.WriteString(L"Options\\Common", L"D", L"4"));
    // What is not there counts as deleted.
    EXPECT_TRUE(store.RemoveKey(L"Options\\Nothing"));
}

TEST_F(RegStoreTest, ReadOfMissingValueLeavesOutput) {
    tstr out(L"kept");
    EXPECT_FALSE(store.ReadString(L"Options\\Common", L"Nothing", out));
    EXPECT_EQ(L"kept", out.Str());
    store.WriteString(L"Options\\Common", L"Other", L"x");
    EXPECT_FALSE(store.ReadString(L"Options\\Common", L"Nothing", out));
    EXPECT_EQ(L"kept", out.Str());
}

TEST_F(RegStoreTest, ReadOfEmptyString) {
    store.WriteString(L"Options\\Common", L"Empty", tstr(L""));
    tstr out(L"kept");
    EXPECT_TRUE(store.ReadString(L"Options\\Common", L"Empty", out));
    EXPECT_TRUE(out.IsEmpty());
    EXPECT_FALSE(out.IsNull());
    // A zero-byte value counts as missing.
    WriteRaw(kCommon, L"Zero", REG_BINARY, "", 0);
    out = L"kept";
    EXPECT_FALSE(store.ReadString(L"Options\\Common", L"Zero", out));
    EXPECT_EQ(L"kept", out.Str());
}

// Fault: a buffer of "size + 2" bytes let unterminated or odd-sized values be
// read past its end.
TEST_F(RegStoreTest, OddSizedAndForeignValuesStayInsideTheBuffer) {
    const BYTE odd[] = {'A', 0, 'B'};
    WriteRaw(kCommon, L"Odd", REG_BINARY, odd, sizeof odd);
    tstr out;
    EXPECT_TRUE(store.ReadString(L"Options\\Common", L"Odd", out));
    EXPECT_EQ(L"AB", out.Str());

    std::vector<BYTE> wide(4097, 'A');   // no zero anywhere, odd length
    WriteRaw(kCommon, L"Wide", REG_BINARY, wide.data(), static_cast<DWORD>(wide.size()));
    EXPECT_TRUE(store.ReadString(L"Options\\Common", L"Wide", out));
    EXPECT_EQ(2049u, out.Length());

    WriteRaw(kCommon, L"Bare", REG_SZ, L"xyz", 6);   // REG_SZ without its terminator
    EXPECT_TRUE(store.ReadString(L"Options\\Common", L"Bare", out));
    EXPECT_EQ(L"xyz", out.Str());

    const DWORD number = 0x00000037;   // '7' as a DWORD reads as raw bytes
    WriteRaw(kCommon, L"Dword", REG_DWORD, &number, sizeof number);
    EXPECT_TRUE(store.ReadString(L"Options\\Common", L"Dword", out));
    EXPECT_EQ(L"7", out.Str());
}

// ---- keys -----------------------------------------------------------------

TEST_F(RegStoreTest, EnumSubKeyStopsAfterTheLast) {
    store.WriteString(L"Profiles\\Alpha", L"v", L"1");
    store.WriteString(L"Profiles\\Beta", L"v", L"1");
    std::vector<std::wstring> names;
    tstr name;
    for (unsigned long i = 0; store.EnumSubKey(L"Profiles", i, name); ++i) names.push_back(name.Str());
    ASSERT_EQ(2u, names.size());
    EXPECT_EQ(L"Alpha", names[0]);
    EXPECT_EQ(L"Beta", names[1]);
    EXPECT_FALSE(store.EnumSubKey(L"Profiles", 2, name));
    EXPECT_FALSE(store.EnumSubKey(L"Missing", 0, name));

    const std::vector<tstr> listed = store.SubKeyNames(L"Profiles");
    ASSERT_EQ(2u, listed.size());
    EXPECT_EQ(L"Alpha", listed[0].Str());
    EXPECT_EQ(L"Beta", listed[1].Str());
    EXPECT_TRUE(store.SubKeyNames(L"Missing").empty());
}

TEST_F(RegStoreTest, DeleteKeyRemovesTheTree) {
    store.AddReplacement(L"*prof*", L"Profiles\\Default\\");
    store.WriteString(L"*prof*Slides", L"SizeX", L"300");
    store.WriteString(L"*prof*0000", L"pic_path", L"c:\\a.jpg");
    store.WriteString(L"Profiles", L"Profile", L"Default");
    EXPECT_TRUE(store.KeyExists(L"*prof*Slides"));
    EXPECT_TRUE(store.DeleteKey(L"Profiles\\Default"));
    EXPECT_FALSE(store.KeyExists(L"*prof*Slides"));
    EXPECT_FALSE(KeyPresent(L"Software\\Arvendal\\Lumora\\Profiles\\Default"));
    EXPECT_TRUE(KeyPresent(L"Software\\Arvendal\\Lumora\\Profiles"));
    EXPECT_FALSE(store.DeleteKey(L"Profiles\\Default"));
}

TEST_F(RegStoreTest, EmptyPathIsNeverDeleted) {
    CRegStore unnamed;
    EXPECT_FALSE(unnamed.DeleteKey(L""));
    // The whole program tree goes with the empty section once names are set.
    store.WriteString(L"Options", L"v", L"1");
    EXPECT_TRUE(store.DeleteKey(L""));
    EXPECT_FALSE(KeyPresent(L"Software\\Arvendal\\Lumora"));
    EXPECT_TRUE(KeyPresent(L"Software"));
}

// Before the names are set paths are not expanded: nothing is written at the
// root of the user's hive.
TEST_F(RegStoreTest, UnnamedStoreRefusesAccess) {
    CRegStore unnamed;
    EXPECT_FALSE(unnamed.WriteString(L"Software\\Arvendal\\Stray", L"v", L"1"));
    EXPECT_FALSE(KeyPresent(L"Software\\Arvendal\\Stray"));
    tstr out;
    EXPECT_FALSE(unnamed.ReadString(L"Software\\Arvendal", L"v", out));
}

}  // namespace
