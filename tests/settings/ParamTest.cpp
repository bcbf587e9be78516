#include "settings/Edges.h"
#include "settings/Param.h"
#include "settings/ParamRegSet.h"
#include "tests/settings/RecordingBinding.h"
#include "tests/settings/RegistryTest.h"

namespace {

using CRanged = CEdges<CParam<unsigned long>, unsigned long>;
using ULongs = std::vector<unsigned long>;

const wchar_t kSlides[] = L"Software\\Arvendal\\Lumora\\Profiles\\Default\\Slides";

class ParamStoreTest : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        store.AddReplacement(L"*prof*", L"Profiles\\Default\\");
    }
    CRegStore store{L"Arvendal", L"Lumora"};
};

// ---- ranged settings ------------------------------------------------------

TEST(ParamEdges, OutOfRangeValueIsShownThenClamped) {
    CRanged size;
    size.SetRange(100, 1000);
    size.SetValue(1000);
    RecordingBinding<unsigned long> edit(&size);
    size.SetValue(2000);
    EXPECT_EQ(1000u, size.GetValue());
    EXPECT_EQ((ULongs{2000, 1000}), edit.shown);
    size.SetValue(50);
    EXPECT_EQ(100u, size.GetValue());
    edit.shown.clear();
    size.SetValue(500);
    EXPECT_EQ((ULongs{500}), edit.shown);   // in range: one update
}

TEST(ParamEdges, SetRangeClampsAndTellsBindings) {
    CRanged percent;
    percent.SetRange(0, 10);
    percent.SetValue(5);
    RecordingBinding<unsigned long> slider(&percent);
    percent.SetRange(10, 100);
    EXPECT_EQ(10u, percent.GetValue());
    ASSERT_EQ(1u, slider.ranges.size());
    EXPECT_EQ(10, slider.ranges[0].first);
    EXPECT_EQ(100, slider.ranges[0].second);
}

TEST(ParamEdges, MinAndMaxPushEachOther) {
    CRanged value;
    value.SetMax(10);
    value.SetMin(20);
    EXPECT_EQ(20u, value.GetMin());
    EXPECT_EQ(20u, value.GetMax());
    value.SetMin(10);
    value.SetMax(5);
    EXPECT_EQ(5u, value.GetMin());
    EXPECT_EQ(5u, value.GetMax());
}

TEST(ParamEdges, ComparisonsAreUnsigned) {
    CRanged value;
    value.SetRange(1, 0x90000000u);
    value.SetValue(0x80000000u);
    EXPECT_EQ(0x80000000u, value.GetValue());
    value.SetValue(0xFFFFFFFFu);
    EXPECT_EQ(0x90000000u, value.GetValue());
}

// ---- plain settings -------------------------------------------------------

TEST(Param, CommitRevertModified) {
    CParam<int> value;
    value.SetValue(3);
    value.Commit();
    EXPECT_FALSE(value.IsModified());
    value.SetValue(4);
    EXPECT_TRUE(value.IsModified());
    value.Revert();
    EXPECT_FALSE(value.IsModified());
    EXPECT_EQ(3, value.GetValue());
}

TEST(Param, EqualValueNotifiesNobody) {
    CParam<int> value;
    int outside = -1;
    value.SetMirror(&outside);
    RecordingBinding<int> edit(&value);
    value.SetValue(0);
    EXPECT_TRUE(edit.shown.empty());
    EXPECT_EQ(-1, outside);
    value.SetValue(7);
    EXPECT_EQ(7, outside);
    EXPECT_EQ((std::vector<int>{7}), edit.shown);
    // FromString stores quietly.
    value.FromString(L"  -12x");
    EXPECT_EQ(-12, value.GetValue());
    EXPECT_EQ(7, outside);
    EXPECT_EQ(1u, edit.shown.size());
    tstr text;
    EXPECT_EQ(L"-12", value.ToString(text).Str());
}

TEST(Param, ResetToDefault) {
    CParam<int> value;
    value.SetValue(5);
    value.ResetToDefault();
    EXPECT_EQ(5, value.GetValue());
    value.SetDefault(30);
    value.ResetToDefault();
    EXPECT_EQ(30, value.GetValue());
}

// "Assign from another album" goes through SetValue: the mirror and bound
// controls follow, a ranged setting takes the other's range first.
TEST(Param, AssignGoesThroughSetValue) {
    CRanged from;
    from.SetRange(10, 20);
    from.SetValue(15);
    from.Commit();
    from.SetValue(12);
    from.SetDefault(11);

    CRanged to;
    to.SetRange(100, 1000);
    to.SetValue(100);
    unsigned long outside = 0;
    to.SetMirror(&outside);
    RecordingBinding<unsigned long> edit(&to);
    to.Assign(from);
    EXPECT_EQ(12u, to.GetValue());
    EXPECT_EQ(12u, outside);
    EXPECT_EQ((ULongs{12}), edit.shown);
    EXPECT_EQ(15u, to.GetSaved());
    EXPECT_EQ(10u, to.GetMin());
    EXPECT_EQ(20u, to.GetMax());
    EXPECT_TRUE(to.HasDefault());
    EXPECT_EQ(11u, to.GetDefault());
}

// ---- steps ----------------------------------------------------------------

TEST(ParamSteps, StopAtTheEndsWithoutWrap) {
    CParam<int> value;
    value.AddSteps({5, 10, 20, -1, 30});
    value.SetValue(12);
    value.StepNext();
    EXPECT_EQ(20, value.GetValue());
    value.StepNext();
    EXPECT_EQ(20, value.GetValue());   // 30 came after the terminator
    value.SetValue(5);
    value.StepPrev();
    EXPECT_EQ(5, value.GetValue());
}

TEST(ParamSteps, WrapToTheOtherEnd) {
    CParam<int> value;
    value.AddSteps({5, 10, 20, -1});
    value.SetStepWrap(1);
    value.SetValue(20);
    value.StepNext();
    EXPECT_EQ(5, value.GetValue());
    value.StepPrev();
    EXPECT_EQ(20, value.GetValue());
    value.ClearSteps();
    value.StepNext();
    EXPECT_EQ(20, value.GetValue());
}

TEST(ParamSteps, TerminatorFirstAddsNothingAndOrderFollowsTheType) {
    CParam<unsigned long> big;
    big.AddSteps({4294967295u});
    big.SetStepWrap(1);
    big.StepNext();
    EXPECT_EQ(0u, big.GetValue());
    big.AddSteps({1, 0x80000000u, 4294967295u});
    big.SetValue(5);
    big.StepNext();
    EXPECT_EQ(0x80000000u, big.GetValue());   // unsigned: above 5

    CParam<bool> flag;
    flag.AddSteps({false, false, true});
    flag.StepNext();
    EXPECT_FALSE(flag.GetValue());   // nothing above false: true ended the list
}

// ---- settings text --------------------------------------------------------

TEST(ParamText, LoadTextFindsNameInItsSection) {
    CParam<int> size;
    size.SetName(L"Size");
    EXPECT_TRUE(size.LoadText(L"[Opt]\r\nSize = 7\r\n", L"Opt"));
    EXPECT_EQ(7, size.GetValue());
    size.SetValue(0);
    EXPECT_FALSE(size.LoadText(L"[Opt]\r\n[Next]\r\nSize = 7\r\n", L"Opt"));
    EXPECT_FALSE(size.LoadText(L"[Other]\r\nSize = 7\r\n", L"Opt"));
    EXPECT_FALSE(size.LoadText(tstr(), L"Opt"));
    EXPECT_EQ(0, size.GetValue());
    // The name is matched as a line prefix: "SizeX=9" is found and its rest
    // "X=9" read as a number.
    size.SetValue(5);
    EXPECT_TRUE(size.LoadText(L"[Opt]\r\nSizeX=9\r\n", L"Opt"));
    EXPECT_EQ(0, size.GetValue());
    // Without a carriage return after the value it is left as it was.
    size.SetValue(5);
    EXPECT_TRUE(size.LoadText(L"[Opt]\r\nSize=8", L"Opt"));
    EXPECT_EQ(5, size.GetValue());
    EXPECT_TRUE(size.LoadText(L"[Opt]\r\nSize", L"Opt"));
}

TEST(ParamText, SaveTextAppendsOneLine) {
    CParam<int> size;
    tstr text(L"");
    EXPECT_FALSE(size.SaveText(text, L"Opt"));   // no name
    size.SetName(L"Size");
    size.SetValue(7);
    EXPECT_TRUE(size.SaveText(text, L"Opt"));
    EXPECT_EQ(L"Opt\\Size=7\n", text.Str());
    tstr none;
    EXPECT_FALSE(size.SaveText(none, L"Opt"));
}

// ---- store ----------------------------------------------------------------

TEST_F(ParamStoreTest, DefaultValueIsDeletedOthersWritten) {
    CParam<unsigned long> timeout;
    timeout.SetValue(30);
    timeout.SetDefault(30);
    timeout.SetName(L"timeout");
    store.WriteString(L"*prof*Slides", L"timeout", L"5");
    EXPECT_TRUE(timeout.Save(store, L"*prof*Slides"));
    EXPECT_FALSE(ReadRaw(kSlides, L"timeout").found);
    timeout.SetValue(31);
    EXPECT_TRUE(timeout.Save(store, L""));   // the remembered section
    EXPECT_EQ(std::wstring(L"31", 3), ReadRaw(kSlides, L"timeout").Text());
    EXPECT_EQ(L"*prof*Slides", timeout.GetSection().Str());
}

TEST_F(ParamStoreTest, UnsignedRoundTripThroughMinusOne) {
    CParam<unsigned long> placement;
    placement.SetName(L"PlacementX");
    placement.SetValue(4294967295u);
    placement.Save(store, L"*prof*Slides");
    EXPECT_EQ(std::wstring(L"-1", 3), ReadRaw(kSlides, L"PlacementX").Text());
    CParam<unsigned long> back;
    back.SetName(L"PlacementX");
    EXPECT_TRUE(back.Load(store, L"*prof*Slides"));
    EXPECT_EQ(4294967295u, back.GetValue());
}

TEST_F(ParamStoreTest, BoolAndTextValues) {
    CParam<bool> flag;
    flag.SetName(L"Maximized");
    flag.SetValue(true);
    flag.Save(store, L"*prof*Slides");
    EXPECT_EQ(std::wstring(L"1", 2), ReadRaw(kSlides, L"Maximized").Text());
    store.WriteString(L"*prof*Slides", L"Maximized", L"  -3");
    flag.SetValue(false);
    flag.Load(store, L"*prof*Slides");
    EXPECT_TRUE(flag.GetValue());

    CParam<tstr> path;
    EXPECT_EQ(L"0", path.GetValue().Str());   // never set
    path.SetName(L"pic_path");
    path.SetValue(L"c:\\Fotos\\Überall.jpg");
    path.Save(store, L"*prof*Slides");
    EXPECT_EQ(std::wstring(L"c:\\Fotos\\Überall.jpg", 21), ReadRaw(kSlides, L"pic_path").Text());
}

TEST_F(ParamStoreTest, MissingValueKeepsItAndNamelessTouchesNothing) {
    CParam<int> value;
    value.SetValue(4);
    EXPECT_FALSE(value.Load(store, L"*prof*Slides"));
    EXPECT_FALSE(value.Save(store, L"*prof*Slides"));
    EXPECT_FALSE(KeyPresent(kSlides));
    value.SetName(L"Missing");
    EXPECT_TRUE(value.Load(store, L"*prof*Slides"));
    EXPECT_EQ(4, value.GetValue());
}

TEST_F(ParamStoreTest, StoredValueOutOfRangeIsClampedOnLoad) {
    store.WriteString(L"*prof*Slides", L"SizeX", L"5000");
    CRanged size;
    size.SetRange(100, 1000);
    size.SetName(L"SizeX");
    size.Load(store, L"*prof*Slides");
    EXPECT_EQ(1000u, size.GetValue());
}

TEST_F(ParamStoreTest, SetLoadsAndSavesItsMembers) {
    CParamRegSet set(&store);
    CParam<int> a, b, unnamed;
    a.SetValue(1);
    b.SetValue(2);
    EXPECT_TRUE(set.AddNamed(&a, L"A"));
    EXPECT_TRUE(set.AddNamed(&b, L"B"));
    EXPECT_FALSE(set.Add(&a));
    EXPECT_FALSE(set.Add(&unnamed));
    set.SaveAll();   // no section yet: nothing
    EXPECT_FALSE(KeyPresent(kSlides));
    set.SetSection(L"*prof*Slides");
    set.SaveAll();
    EXPECT_EQ(std::wstring(L"2", 2), ReadRaw(kSlides, L"B").Text());

    store.WriteString(L"*prof*Slides", L"A", L"10");
    set.CommitAll();
    set.LoadAll();
    EXPECT_EQ(10, a.GetValue());
    EXPECT_TRUE(a.IsModified());
    set.RevertAll();
    EXPECT_EQ(1, a.GetValue());
    set.RemoveAll();
    EXPECT_TRUE(set.Members().empty());
}

}  // namespace
