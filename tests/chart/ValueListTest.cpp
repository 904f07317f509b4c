// Value lists: ordered placement, the cached statistics and what makes them
// stale, index errors, and the small list operations.
#include <gtest/gtest.h>

#include <vector>

#include "chart/ChartEngine.h"
#include "platform/Exceptions.h"

namespace drivesim {
namespace {

std::vector<double> Values(const TChartValueList& list) {
  std::vector<double> out;
  for (int i = 0; i < list.ValueCount(); ++i) out.push_back(list.ValueAt(i));
  return out;
}

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EListError& e) {
    return e.Message();
  }
  return "no error";
}

TEST(ValueList, AddInOrderPlacesByOrderAndKeepsEqualValuesInArrivalOrder) {
  TChartValueList ascending(nullptr, "X");
  ascending.SetOrder(loAscending);
  EXPECT_EQ(ascending.AddInOrder(1), 0);
  EXPECT_EQ(ascending.AddInOrder(3), 1);
  EXPECT_EQ(ascending.AddInOrder(5), 2);
  EXPECT_EQ(ascending.AddInOrder(2), 1);  // before the first larger value
  EXPECT_EQ(ascending.AddInOrder(0), 0);  // before everything
  EXPECT_EQ(ascending.AddInOrder(6), 5);  // appended
  EXPECT_EQ(Values(ascending), (std::vector<double>{0, 1, 2, 3, 5, 6}));
  // Equal values go after the existing equal ones: mark them by the index
  // that comes back.
  EXPECT_EQ(ascending.AddInOrder(3), 4);
  EXPECT_EQ(ascending.AddInOrder(3), 5);
  EXPECT_EQ(Values(ascending), (std::vector<double>{0, 1, 2, 3, 3, 3, 5, 6}));

  TChartValueList descending(nullptr, "D");
  descending.SetOrder(loDescending);
  for (double v : {5.0, 3.0, 4.0, 9.0, 3.0, 1.0}) descending.AddInOrder(v);
  EXPECT_EQ(Values(descending), (std::vector<double>{9, 5, 4, 3, 3, 1}));
  EXPECT_EQ(descending.AddInOrder(4), 3);  // after the existing 4

  TChartValueList unordered(nullptr, "Y");
  for (double v : {5.0, 3.0, 4.0}) unordered.AddInOrder(v);
  EXPECT_EQ(Values(unordered), (std::vector<double>{5, 3, 4}));

  // Ordering compares the stored values, not the multiplied ones: with a
  // negative multiplier the multiplied values run the other way.
  TChartValueList scaled(nullptr, "S");
  scaled.SetOrder(loAscending);
  scaled.SetMultiplier(-1);
  scaled.AddInOrder(2);
  EXPECT_EQ(scaled.AddInOrder(1), 0);
  EXPECT_EQ(Values(scaled), (std::vector<double>{-1, -2}));
}

TEST(ValueList, StatisticsAreCachedUntilAnyChange) {
  TChartValueList list(nullptr, "Y");
  EXPECT_TRUE(list.StatsDirty());
  EXPECT_EQ(list.MinOfValues(), 0);
  EXPECT_EQ(list.MaxOfValues(), 0);
  EXPECT_EQ(list.TotalOfValues(), 0);
  EXPECT_EQ(list.TotalAbsOfValues(), 0);
  EXPECT_FALSE(list.StatsDirty());

  list.AddInOrder(-3);
  EXPECT_TRUE(list.StatsDirty());
  list.AddInOrder(5);
  list.AddInOrder(1);
  EXPECT_EQ(list.MinOfValues(), -3);
  EXPECT_EQ(list.MaxOfValues(), 5);
  EXPECT_EQ(list.TotalOfValues(), 3);
  EXPECT_EQ(list.TotalAbsOfValues(), 9);
  EXPECT_FALSE(list.StatsDirty());

  // Each change makes the next query recompute.
  list.SetValueAt(1, 10);
  EXPECT_TRUE(list.StatsDirty());
  EXPECT_EQ(list.MaxOfValues(), 10);
  list.InsertValueAt(0, -7);
  EXPECT_TRUE(list.StatsDirty());
  EXPECT_EQ(list.MinOfValues(), -7);
  list.DeleteValueAt(0);
  EXPECT_TRUE(list.StatsDirty());
  EXPECT_EQ(list.MinOfValues(), -3);
  list.SetMultiplier(2);
  EXPECT_TRUE(list.StatsDirty());
  EXPECT_EQ(list.MinOfValues(), -6);
  EXPECT_EQ(list.MaxOfValues(), 20);
  EXPECT_EQ(list.TotalOfValues(), 16);
  EXPECT_EQ(list.TotalAbsOfValues(), 28);
  EXPECT_EQ(list.ValueAt(1), 20);
  list.SetMultiplier(2);  // the same value changes nothing
  EXPECT_FALSE(list.StatsDirty());
  list.RotateValues();  // the same values in another order
  EXPECT_FALSE(list.StatsDirty());
  EXPECT_EQ(Values(list), (std::vector<double>{20, 2, -6}));

  list.RemoveAllValues();
  EXPECT_TRUE(list.StatsDirty());
  EXPECT_EQ(list.MaxOfValues(), 0);
  EXPECT_EQ(list.TotalAbsOfValues(), 0);
  EXPECT_EQ(list.Capacity(), 0u);
}

TEST(ValueList, IndexOutsideTheListFailsWithTheListErrorAndChangesNothing) {
  TChartValueList list(nullptr, "Y");
  list.AddInOrder(1);
  list.AddInOrder(2);
  EXPECT_EQ(ErrorOf([&] { list.ValueAt(2); }), "List index out of bounds (2)");
  EXPECT_EQ(ErrorOf([&] { list.ValueAt(-1); }), "List index out of bounds (-1)");
  EXPECT_EQ(ErrorOf([&] { list.SetValueAt(5, 0); }), "List index out of bounds (5)");
  EXPECT_EQ(ErrorOf([&] { list.DeleteValueAt(2); }), "List index out of bounds (2)");
  EXPECT_EQ(ErrorOf([&] { list.InsertValueAt(3, 0); }), "List index out of bounds (3)");
  EXPECT_EQ(ErrorOf([] {
              TChartValueList empty(nullptr, "E");
              empty.LastValue();
            }),
            "List index out of bounds (-1)");
  EXPECT_EQ(Values(list), (std::vector<double>{1, 2}));
  list.InsertValueAt(2, 3);  // at the end is allowed
  EXPECT_EQ(list.LastValue(), 3);
}

TEST(ValueList, SmallOperationsAndAssignment) {
  TChartValueList list(nullptr, "Y");
  for (double v : {4.0, 7.0, 4.0}) list.AddInOrder(v);
  EXPECT_EQ(list.IndexOfValue(4), 0);
  EXPECT_EQ(list.IndexOfValue(7), 1);
  EXPECT_EQ(list.IndexOfValue(5), -1);
  list.SetMultiplier(0.5);
  EXPECT_EQ(list.IndexOfValue(3.5), 1);  // compares the multiplied value
  list.SetMultiplier(1);
  list.FillWithIndices();
  EXPECT_EQ(Values(list), (std::vector<double>{0, 1, 2}));

  TChartValueList source(nullptr, "Source");
  source.SetOrder(loDescending);
  source.SetDateTime(true);
  source.SetMultiplier(3);
  source.SetValueSource("Field");
  source.AddInOrder(42);
  list.Assign(source);
  EXPECT_EQ(list.Order(), loDescending);
  EXPECT_TRUE(list.DateTime());
  EXPECT_EQ(list.Multiplier(), 3);
  EXPECT_EQ(list.ValueSource(), "Field");
  EXPECT_EQ(list.Name(), "Y");
  EXPECT_EQ(list.ValueCount(), 3);
  EXPECT_EQ(list.ValueAt(2), 6);
}

}  // namespace
}  // namespace drivesim
