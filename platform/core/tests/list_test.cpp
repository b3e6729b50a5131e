#include "platform/core/list.h"

#include <gtest/gtest.h>

namespace {

TEST(List, KeepsPointersInOrderAndRaisesOnBadIndexes) {
  int a = 1, b = 2, c = 3;
  cl::TList<int> list;
  EXPECT_EQ(list.Add(&a), 0);
  list.Add(&c);
  list.Insert(1, &b);
  EXPECT_EQ(list[1], &b);
  EXPECT_EQ(list.IndexOf(&c), 2);
  list.Move(2, 0);
  EXPECT_EQ(list.First(), &c);
  EXPECT_EQ(list.Last(), &b);
  EXPECT_EQ(list.Remove(&a), 1);
  EXPECT_EQ(list.Remove(&a), -1);
  list.Put(0, nullptr);
  list.Pack();
  EXPECT_EQ(list.Count(), 1);
  EXPECT_THROW(list.Items(1), cl::EListError);
  EXPECT_THROW(list.Insert(3, &a), cl::EListError);
  EXPECT_THROW(cl::TList<int>().Last(), cl::EListError);
}

}  // namespace
