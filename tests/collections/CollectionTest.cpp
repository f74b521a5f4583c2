#include "Collection.h"
#include "ErrorReport.h"
#include "TrackedItem.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

namespace {

// The ids of the items in use, in index order: "0 1 2".
std::string IdsOf(const Collection& collection) {
    std::string ids;
    for (std::int32_t index = 0; index < collection.Count; ++index) {
        if (!ids.empty()) ids += ' ';
        ids += std::to_string(static_cast<TrackedItem*>(collection.Items[index])->Id);
    }
    return ids;
}

// A collection of tracked items with the ids 0 ... count - 1.
class TrackedItems : public ::testing::Test {
protected:
    void Fill(Collection& collection, int count) {
        for (int id = 0; id < count; ++id) collection.Insert(new TrackedItem(id, Destroyed));
    }

    std::string Destroyed;  // the destruction log of every item made by Fill
};

// Columns: initial limit, delta, number of inserts, Limit expected after them.
struct GrowthCase {
    std::int32_t InitialLimit;
    std::int32_t Delta;
    int Inserts;
    std::int32_t ExpectedLimit;
};

std::ostream& operator<<(std::ostream& out, const GrowthCase& c) {
    return out << "limit " << c.InitialLimit << " delta " << c.Delta << " inserts " << c.Inserts;
}

class CollectionGrowth : public TrackedItems, public ::testing::WithParamInterface<GrowthCase> {};

TEST_P(CollectionGrowth, GrowsByDeltaWhenFullAndKeepsTheItems) {
    const GrowthCase& c = GetParam();
    Collection collection(c.InitialLimit, c.Delta);
    Fill(collection, c.Inserts);
    EXPECT_EQ(c.ExpectedLimit, collection.Limit)
        << "limit " << c.InitialLimit << ", delta " << c.Delta << ", " << c.Inserts << " inserts";
    EXPECT_EQ(c.Inserts, collection.Count);
    std::string expected;
    for (int id = 0; id < c.Inserts; ++id) expected += (id ? " " : "") + std::to_string(id);
    EXPECT_EQ(expected, IdsOf(collection));
}

INSTANTIATE_TEST_SUITE_P(Table, CollectionGrowth, ::testing::Values(
    GrowthCase{10, 5, 0, 10},
    GrowthCase{10, 5, 10, 10},
    GrowthCase{10, 5, 11, 15},
    GrowthCase{10, 5, 15, 15},
    GrowthCase{10, 5, 16, 20},
    GrowthCase{0, 5, 1, 5},
    GrowthCase{0, 1, 3, 3},
    GrowthCase{20000, 5, 0, 16380},    // the initial capacity is clamped too
    GrowthCase{-4, 2, 0, 0},
    GrowthCase{10, INT32_MAX, 11, 16380}));  // a huge step stops at the bound

TEST(Collection, StartsWithoutAnArrayWhenItsCapacityIsZero) {
    Collection collection(0, 5);
    EXPECT_EQ(nullptr, collection.Items);
    EXPECT_EQ(0, collection.Limit);
    EXPECT_EQ(5, collection.Delta);
}

// Columns: wanted capacity, Limit expected, for a collection of 3 items with capacity 10.
struct LimitCase {
    std::int32_t Wanted;
    std::int32_t ExpectedLimit;
};

std::ostream& operator<<(std::ostream& out, const LimitCase& c) {
    return out << "SetLimit " << c.Wanted;
}

class CollectionSetLimit : public TrackedItems, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(CollectionSetLimit, ClampsToTheItemsInUseAndTheBound) {
    Collection collection(10, 5);
    Fill(collection, 3);
    collection.SetLimit(GetParam().Wanted);
    EXPECT_EQ(GetParam().ExpectedLimit, collection.Limit) << "SetLimit(" << GetParam().Wanted << ")";
    EXPECT_EQ("0 1 2", IdsOf(collection));
}

INSTANTIATE_TEST_SUITE_P(Table, CollectionSetLimit, ::testing::Values(
    LimitCase{10, 10},
    LimitCase{20, 20},
    LimitCase{4, 4},
    LimitCase{3, 3},
    LimitCase{2, 3},
    LimitCase{0, 3},
    LimitCase{-1, 3},
    LimitCase{16380, 16380},
    LimitCase{20000, 16380}));

TEST(Collection, SetLimitZeroOnAnEmptyCollectionReleasesTheArray) {
    Collection collection(10, 5);
    collection.SetLimit(0);
    EXPECT_EQ(nullptr, collection.Items);
    EXPECT_EQ(0, collection.Limit);
}

// Columns: index of the insert into the items 0 1 2, ids expected afterwards.
struct AtInsertCase {
    std::int32_t Index;
    const char* ExpectedIds;
};

std::ostream& operator<<(std::ostream& out, const AtInsertCase& c) {
    return out << "AtInsert " << c.Index;
}

class CollectionAtInsert : public TrackedItems, public ::testing::WithParamInterface<AtInsertCase> {};

TEST_P(CollectionAtInsert, MovesTheFollowingItemsUp) {
    Collection collection(3, 2);
    Fill(collection, 3);
    collection.AtInsert(GetParam().Index, new TrackedItem(9, Destroyed));
    EXPECT_EQ(GetParam().ExpectedIds, IdsOf(collection)) << "AtInsert(" << GetParam().Index << ")";
}

INSTANTIATE_TEST_SUITE_P(Table, CollectionAtInsert, ::testing::Values(
    AtInsertCase{0, "9 0 1 2"},
    AtInsertCase{1, "0 9 1 2"},
    AtInsertCase{2, "0 1 9 2"},
    AtInsertCase{3, "0 1 2 9"}));  // at Count: appended

TEST_F(TrackedItems, FreeAllDestroysEveryItemInOrderAndKeepsTheCapacity) {
    Collection collection(10, 5);
    Fill(collection, 3);
    collection.Insert(nullptr);  // a null item is skipped
    collection.FreeAll();
    EXPECT_EQ("0;1;2;", Destroyed);
    EXPECT_EQ(0, collection.Count);
    EXPECT_EQ(10, collection.Limit);
    EXPECT_NE(nullptr, collection.Items);
}

TEST_F(TrackedItems, DestroyingTheCollectionDestroysItsItems) {
    auto* collection = new Collection(2, 2);
    Fill(*collection, 3);
    delete static_cast<BaseObject*>(collection);
    EXPECT_EQ("0;1;2;", Destroyed);
}

TEST_F(TrackedItems, IndexOfFindsThePointerNotAnEqualItem) {
    Collection collection(10, 5);
    Fill(collection, 3);
    collection.Insert(nullptr);
    collection.Insert(nullptr);
    TrackedItem twin(1, Destroyed);  // same contents as the item at index 1
    EXPECT_EQ(-1, collection.IndexOf(&twin));
    EXPECT_EQ(1, collection.IndexOf(collection.Items[1]));
    EXPECT_EQ(3, collection.IndexOf(nullptr)) << "the first index holding the pointer";
}

struct Visit {
    void* Item;
    void* Context;
};

TEST_F(TrackedItems, ForEachCallsTheActionForEachItemInOrderWithTheCallersContext) {
    Collection collection(10, 5);
    Fill(collection, 3);
    std::vector<Visit> visits;
    collection.ForEach(
        [](void* item, void* context) {
            static_cast<std::vector<Visit>*>(context)->push_back({item, context});
        },
        &visits);
    ASSERT_EQ(3u, visits.size());
    for (std::int32_t index = 0; index < 3; ++index) {
        EXPECT_EQ(collection.Items[index], visits[index].Item) << "visit " << index;
        EXPECT_EQ(&visits, visits[index].Context) << "visit " << index;
    }
}

TEST(Collection, ForEachOnAnEmptyCollectionCallsNothing) {
    Collection collection(0, 0);
    int calls = 0;
    collection.ForEach([](void*, void* context) { ++*static_cast<int*>(context); }, &calls);
    EXPECT_EQ(0, calls);
}

// Columns: index of an insert into a collection of 3 items.
class CollectionBadIndex : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(CollectionBadIndex, EndsTheProgramWithRunTimeError213) {
    Collection collection(10, 5);
    for (int n = 0; n < 3; ++n) collection.Insert(nullptr);
    EXPECT_EXIT((AnswerErrorBox(), collection.AtInsert(GetParam(), nullptr)),
                ::testing::ExitedWithCode(213),
                ErrorReportPattern("Runtime error 213 at \\$\\w+"))
        << "AtInsert(" << GetParam() << ")";
}

INSTANTIATE_TEST_SUITE_P(Table, CollectionBadIndex, ::testing::Values(-1, 4, INT32_MIN));

// Columns: initial limit, delta, number of items before the insert that cannot find a place.
struct OverflowCase {
    std::int32_t InitialLimit;
    std::int32_t Delta;
    int Items;
};

std::ostream& operator<<(std::ostream& out, const OverflowCase& c) {
    return out << "limit " << c.InitialLimit << " delta " << c.Delta << " items " << c.Items;
}

class CollectionOverflow : public ::testing::TestWithParam<OverflowCase> {};

TEST_P(CollectionOverflow, EndsTheProgramWithRunTimeError214) {
    const OverflowCase& c = GetParam();
    Collection collection(c.InitialLimit, c.Delta);
    // Filled in the dying process only. The overflow must come from the last insert: an
    // earlier failure would end the process with 214 too, so the count is checked before it.
    const auto fillAndOverflow = [&] {
        AnswerErrorBox();
        for (int n = 0; n < c.Items; ++n) collection.Insert(nullptr);
        if (collection.Count != c.Items) std::_Exit(1);
        collection.Insert(nullptr);
    };
    EXPECT_EXIT(fillAndOverflow(), ::testing::ExitedWithCode(214),
                ErrorReportPattern("Runtime error 214 at \\$\\w+"))
        << "limit " << c.InitialLimit << ", delta " << c.Delta << ", " << c.Items << " items";
}

INSTANTIATE_TEST_SUITE_P(Table, CollectionOverflow, ::testing::Values(
    OverflowCase{2, 0, 2},           // a collection that never grows
    OverflowCase{16380, 0, 16380},
    OverflowCase{10, 5, 16380},      // the 16381st insert, whatever the step
    OverflowCase{16380, 1000, 16380},
    OverflowCase{0, INT32_MAX, 16380}));

}  // namespace
