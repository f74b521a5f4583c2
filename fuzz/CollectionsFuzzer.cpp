// The three collection types under fuzzer-chosen operations, each step held against a model in a
// std::vector: contents and order, capacity and growth, the bound of 16380 items, searching, and
// the error codes. Error is turned into an exception here, so that the error paths can be tried
// too; every item destroyed is counted, so that none is lost or destroyed twice.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "StrCollection.h"

namespace {

struct CollectionError {
  std::int32_t Code;
};

constexpr std::int32_t MaxLimit = 16380;

// An object item with a key; counts the items alive.
class Item : public BaseObject {
 public:
  explicit Item(int key) : Key(key) { ++Alive; }
  ~Item() override { --Alive; }
  const int Key;
  static int Alive;
};
int Item::Alive = 0;

class PlainUnderTest : public Collection {
 public:
  using Collection::Collection;
  [[noreturn]] void Error(std::int32_t code) override { throw CollectionError{code}; }
};

class SortedUnderTest : public SortedCollection {
 public:
  using SortedCollection::SortedCollection;
  [[noreturn]] void Error(std::int32_t code) override { throw CollectionError{code}; }
  std::int32_t Compare(void* key1, void* key2) override {
    return static_cast<Item*>(key1)->Key - static_cast<Item*>(key2)->Key;
  }
};

class StringsUnderTest : public StrCollection {
 public:
  using StrCollection::StrCollection;
  [[noreturn]] void Error(std::int32_t code) override { throw CollectionError{code}; }
};

enum class Kind { Plain, Sorted, Strings };

// What the collection must hold, and its order: keys of the items for the sorted kinds.
struct Model {
  Kind Type;
  std::vector<void*> Items;
  std::int32_t Limit = 0;
  std::int32_t Delta = 0;
  bool Duplicates = false;
  int NextBulkKey = 100000;  // above the fuzzer's keys, and never repeated

  void SetLimit(std::int64_t wanted) {
    Limit = static_cast<std::int32_t>(std::clamp<std::int64_t>(wanted, Items.size(), MaxLimit));
  }
  // The error code AtInsert(index) must raise, or 0; grows the capacity as AtInsert does.
  std::int32_t AtInsert(std::int64_t index, void* item) {
    if (index < 0 || index > static_cast<std::int64_t>(Items.size())) return -1;
    if (static_cast<std::int32_t>(Items.size()) == Limit) SetLimit(std::int64_t{Limit} + Delta);
    if (static_cast<std::int32_t>(Items.size()) == Limit) return -2;
    Items.insert(Items.begin() + index, item);
    return 0;
  }
  bool Less(void* a, void* b) const {
    if (Type == Kind::Strings) return std::strcmp(static_cast<char*>(a), static_cast<char*>(b)) < 0;
    return static_cast<Item*>(a)->Key < static_cast<Item*>(b)->Key;
  }
  // Whether the key is present, and the index of its first item or where it would go.
  bool Search(void* key, std::int32_t& index) const {
    const auto at = std::lower_bound(Items.begin(), Items.end(), key, [this](void* a, void* b) { return Less(a, b); });
    index = static_cast<std::int32_t>(at - Items.begin());
    return at != Items.end() && !Less(key, *at);
  }
  std::int32_t IndexOf(void* item) const {
    if (Type == Kind::Plain) {
      const auto at = std::find(Items.begin(), Items.end(), item);
      return at == Items.end() ? -1 : static_cast<std::int32_t>(at - Items.begin());
    }
    std::int32_t index;
    if (!Search(item, index)) return -1;
    if (Duplicates) {
      while (index < static_cast<std::int32_t>(Items.size()) && Items[index] != item) ++index;
    }
    return index < static_cast<std::int32_t>(Items.size()) ? index : -1;
  }
};

void* NewItem(FuzzedDataProvider& script, Kind type) {
  if (type != Kind::Strings) return new Item(script.ConsumeIntegralInRange(0, 15));
  const std::string text = script.ConsumeRandomLengthString(8);
  char* item = new char[text.size() + 1];
  std::strncpy(item, text.c_str(), text.size() + 1);  // up to the first zero byte of the text
  return item;
}

void DeleteItem(void* item, Kind type) {
  if (type == Kind::Strings) {
    delete[] static_cast<char*>(item);
  } else {
    delete static_cast<Item*>(item);
  }
}

void Collected(void* item, void* seen) { static_cast<std::vector<void*>*>(seen)->push_back(item); }

void CheckSame(Collection& actual, const Model& model) {
  FUZZ_CHECK_EQ(static_cast<std::int32_t>(model.Items.size()), actual.Count, "Count");
  FUZZ_CHECK_EQ(model.Limit, actual.Limit, "Limit");
  FUZZ_CHECK_EQ(model.Limit == 0, actual.Items == nullptr, "no array without capacity");
  for (std::int32_t i = 0; i < actual.Count; ++i) {
    FUZZ_CHECK_EQ(model.Items[i], actual.Items[i], "item " << i);
  }
}

// Inserts through Insert, or for the plain kind through AtInsert when `index` is given; returns
// the error code raised, or 0.
std::int32_t InsertItem(Collection& actual, Model& model, void* item, const std::int32_t* index) {
  std::int32_t at = index ? *index : static_cast<std::int32_t>(model.Items.size());
  bool taken = true;
  if (!index && model.Type != Kind::Plain) taken = !model.Search(item, at) || model.Duplicates;
  const std::int32_t expectedError = taken ? model.AtInsert(at, item) : 0;
  std::int32_t error = 0;
  try {
    if (index) {
      actual.AtInsert(*index, item);
    } else {
      actual.Insert(item);
    }
  } catch (const CollectionError& e) {
    error = e.Code;
  }
  FUZZ_CHECK_EQ(expectedError, error, "error code of inserting at " << at);
  if (!taken || error != 0) DeleteItem(item, model.Type);  // the collection did not take it over
  return error;
}

void InsertOne(FuzzedDataProvider& script, Collection& actual, Model& model) {
  void* item = NewItem(script, model.Type);
  if (model.Type == Kind::Plain && script.ConsumeBool()) {
    const auto index = script.ConsumeIntegralInRange<std::int32_t>(-1, static_cast<std::int32_t>(model.Items.size()) + 1);
    InsertItem(actual, model, item, &index);
  } else {
    InsertItem(actual, model, item, nullptr);
  }
}

// Many insertions of made-up items, enough to reach the bound; in ascending order, which keeps
// the sorted kinds appending. Growth in small steps copies the array at every step, so a full
// collection with a small Delta takes one more item only: the runs stay fast, and SetLimit
// followed by many insertions still reaches the bound.
void InsertMany(FuzzedDataProvider& script, Collection& actual, Model& model) {
  const int count = script.ConsumeIntegralInRange(0, MaxLimit + 10);
  for (int n = 0; n < count; ++n) {
    const bool lastOne = actual.Count == actual.Limit && model.Delta < 64;
    const int key = model.NextBulkKey++;
    void* item;
    if (model.Type == Kind::Strings) {
      const std::string text = "COM" + std::to_string(key);
      item = std::strcpy(new char[text.size() + 1], text.c_str());
    } else {
      item = new Item(key);
    }
    if (InsertItem(actual, model, item, nullptr) != 0 || lastOne) return;
  }
}

void Step(FuzzedDataProvider& script, Collection& actual, Model& model) {
  switch (script.ConsumeIntegralInRange(0, 6)) {
    case 0:
      InsertOne(script, actual, model);
      break;
    case 1:
      InsertMany(script, actual, model);
      break;
    case 2: {
      const auto wanted = script.ConsumeIntegralInRange<std::int32_t>(-5, MaxLimit + 100);
      actual.SetLimit(wanted);
      model.SetLimit(wanted);
      break;
    }
    case 3:
      actual.FreeAll();  // destroys the items, which the model only points to
      model.Items.clear();
      FUZZ_CHECK_EQ(0, Item::Alive, "items alive after FreeAll");
      break;
    case 4: {  // an item held, or one that is not
      void* item = nullptr;
      if (!model.Items.empty() && script.ConsumeBool()) {
        item = model.Items[script.ConsumeIntegralInRange<std::size_t>(0, model.Items.size() - 1)];
      }
      void* foreign = item == nullptr ? NewItem(script, model.Type) : nullptr;
      FUZZ_CHECK_EQ(model.IndexOf(item ? item : foreign), actual.IndexOf(item ? item : foreign), "IndexOf");
      if (foreign) DeleteItem(foreign, model.Type);
      break;
    }
    case 5: {
      if (model.Type == Kind::Plain) break;
      void* key = NewItem(script, model.Type);
      std::int32_t expectedIndex, index = -7;
      const bool expected = model.Search(key, expectedIndex);
      FUZZ_CHECK_EQ(expected, static_cast<SortedCollection&>(actual).Search(key, index), "Search found");
      FUZZ_CHECK_EQ(expectedIndex, index, "Search index");
      DeleteItem(key, model.Type);
      break;
    }
    default: {
      std::vector<void*> seen;
      actual.ForEach(&Collected, &seen);
      FUZZ_CHECK_EQ(true, seen == model.Items, "ForEach visits every item in order");
      break;
    }
  }
  CheckSame(actual, model);
}

Collection* Make(Model& model, std::int32_t limit) {
  switch (model.Type) {
    case Kind::Plain: return new PlainUnderTest(limit, model.Delta);
    case Kind::Sorted: return new SortedUnderTest(limit, model.Delta);
    default: return new StringsUnderTest(limit, model.Delta);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider script(data, size);
  Model model;
  model.Type = static_cast<Kind>(script.ConsumeIntegralInRange(0, 2));
  model.Delta = script.ConsumeIntegralInRange<std::int32_t>(-2, 64);
  const auto limit = script.ConsumeIntegralInRange<std::int32_t>(-2, MaxLimit + 2);
  model.SetLimit(limit);
  Collection* actual = Make(model, limit);
  if (model.Type != Kind::Plain) {
    model.Duplicates = script.ConsumeBool();
    static_cast<SortedCollection*>(actual)->Duplicates = model.Duplicates;
  }
  CheckSame(*actual, model);
  while (script.remaining_bytes() > 0) Step(script, *actual, model);
  delete actual;  // destroys the items
  FUZZ_CHECK_EQ(0, Item::Alive, "items alive after the collection is gone");
  return 0;
}
