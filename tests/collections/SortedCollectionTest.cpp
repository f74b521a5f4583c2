#include "ErrorReport.h"
#include "SortedCollection.h"
#include "TrackedItem.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <vector>
#include <string>

namespace {

// Items are tracked items, ordered by their ids.
class IdCollection : public SortedCollection {
public:
    IdCollection() : SortedCollection(4, 4) {}
    std::int32_t Compare(void* key1, void* key2) override {
        return static_cast<TrackedItem*>(key1)->Id - static_cast<TrackedItem*>(key2)->Id;
    }
};

class SortedCollectionTest : public ::testing::Test {
protected:
    TrackedItem* Item(int id) { return new TrackedItem(id, Destroyed); }

    // Appends items with these ids, in this order, bypassing the sorted insert.
    void Append(const std::vector<int>& ids) {
        for (int id : ids) Ids.AtInsert(Ids.Count, Item(id));
    }

    // The ids in index order, "10 20 30".
    std::string IdsInOrder() {
        std::string ids;
        for (std::int32_t index = 0; index < Ids.Count; ++index) {
            if (!ids.empty()) ids += ' ';
            ids += std::to_string(static_cast<TrackedItem*>(Ids.Items[index])->Id);
        }
        return ids;
    }

    std::string Destroyed;
    IdCollection Ids;
};

// Columns: Duplicates, the ids in the collection, the id searched for, whether it is found,
// the index expected.
struct SearchCase {
    bool Duplicates;
    std::vector<int> Contents;
    int Key;
    bool ExpectedFound;
    std::int32_t ExpectedIndex;
};

std::ostream& operator<<(std::ostream& out, const SearchCase& c) {
    out << (c.Duplicates ? "duplicates [" : "unique [");
    for (int id : c.Contents) out << ' ' << id;
    return out << " ] key " << c.Key;
}

class SortedCollectionSearch : public SortedCollectionTest,
                               public ::testing::WithParamInterface<SearchCase> {};

TEST_P(SortedCollectionSearch, FindsTheEqualKeyOrWhereItWouldGo) {
    const SearchCase& c = GetParam();
    Ids.Duplicates = c.Duplicates;
    Append(c.Contents);
    TrackedItem key(c.Key, Destroyed);
    std::int32_t index = -7;
    const bool found = Ids.Search(&key, index);
    EXPECT_EQ(c.ExpectedFound, found) << "key " << c.Key << " in " << IdsInOrder();
    EXPECT_EQ(c.ExpectedIndex, index) << "key " << c.Key << " in " << IdsInOrder();
}

INSTANTIATE_TEST_SUITE_P(Table, SortedCollectionSearch, ::testing::Values(
    SearchCase{false, {}, 5, false, 0},
    SearchCase{true, {}, 5, false, 0},
    SearchCase{false, {10, 20, 30, 40}, 5, false, 0},
    SearchCase{false, {10, 20, 30, 40}, 10, true, 0},
    SearchCase{false, {10, 20, 30, 40}, 25, false, 2},
    SearchCase{false, {10, 20, 30, 40}, 40, true, 3},
    SearchCase{false, {10, 20, 30, 40}, 45, false, 4},
    // With duplicates: the first of the equal keys, wherever the halving first meets one.
    SearchCase{true, {10, 20, 20, 20, 30}, 20, true, 1},
    SearchCase{true, {20, 20, 20, 20, 20, 20, 20}, 20, true, 0},
    SearchCase{true, {10, 10, 10, 10, 10, 20}, 20, true, 5},
    SearchCase{true, {10, 20, 20, 20, 30}, 25, false, 4},
    SearchCase{true, {10, 20, 20, 20, 30}, 35, false, 5}));

TEST_F(SortedCollectionTest, InsertKeepsTheKeysInOrder) {
    for (int id : {30, 10, 40, 20}) Ids.Insert(Item(id));
    EXPECT_EQ("10 20 30 40", IdsInOrder());
}

TEST_F(SortedCollectionTest, InsertWithoutDuplicatesRefusesAnEqualKeySilently) {
    Append({10, 20, 30});
    TrackedItem* const first = static_cast<TrackedItem*>(Ids.Items[1]);
    TrackedItem twin(20, Destroyed);
    Ids.Insert(&twin);
    EXPECT_EQ(3, Ids.Count);
    EXPECT_EQ(first, Ids.Items[1]) << "the item already present stays";
    EXPECT_EQ("", Destroyed) << "a refused item is not taken over";
}

TEST_F(SortedCollectionTest, InsertWithDuplicatesPutsANewEqualKeyBeforeTheOthers) {
    Ids.Duplicates = true;
    Append({10, 20, 20, 30});
    TrackedItem* const third = Item(20);
    Ids.Insert(third);
    EXPECT_EQ("10 20 20 20 30", IdsInOrder());
    EXPECT_EQ(third, Ids.Items[1]);
}

TEST_F(SortedCollectionTest, IndexOfWithDuplicatesFindsTheItemItself) {
    Ids.Duplicates = true;
    Append({10, 20, 20, 20, 30});
    TrackedItem absent(20, Destroyed);
    for (std::int32_t index = 0; index < Ids.Count; ++index) {
        EXPECT_EQ(index, Ids.IndexOf(Ids.Items[index]));
    }
    EXPECT_EQ(-1, Ids.IndexOf(&absent)) << "an equal key of another item is not this item";
}

TEST_F(SortedCollectionTest, IndexOfWithoutDuplicatesGivesThePlaceOfTheEqualKey) {
    Append({10, 20, 30});
    TrackedItem equal(20, Destroyed);
    TrackedItem missing(25, Destroyed);
    EXPECT_EQ(1, Ids.IndexOf(&equal)) << "found by key, whichever item holds it";
    EXPECT_EQ(-1, Ids.IndexOf(&missing));
    EXPECT_EQ(2, Ids.IndexOf(Ids.Items[2]));
}

TEST_F(SortedCollectionTest, KeyOfIsTheItemItself) {
    TrackedItem item(1, Destroyed);
    EXPECT_EQ(&item, Ids.KeyOf(&item));
}

TEST(SortedCollection, ItsAbstractCompareEndsTheProgramWithRunTimeError211) {
    SortedCollection sorted(4, 4);
    sorted.Insert(nullptr);  // the first insert into an empty collection compares nothing
    EXPECT_EQ(1, sorted.Count);
    EXPECT_EXIT((AnswerErrorBox(), sorted.Insert(nullptr)), ::testing::ExitedWithCode(211),
                ErrorReportPattern("Runtime error 211 at \\$\\w+"));
}

}  // namespace
