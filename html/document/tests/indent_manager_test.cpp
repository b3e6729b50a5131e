#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <vector>

#include "html/document/attributes.h"
#include "html/document/image_obj.h"
#include "html/document/indent_manager.h"

namespace html {

namespace {

TEST(IndentManager, WithoutRecordsTheEdgesAreTheCellEdges) {
  IndentManager m;
  m.Reset(10, 500);
  EXPECT_EQ(m.LeftAt(0), 10);
  EXPECT_EQ(m.RightAt(12345), 500);
  EXPECT_EQ(m.FloatBottom(), 0);
  EXPECT_EQ(m.FloatBottoms().Left, 0);
  EXPECT_EQ(m.FloatBottoms().Right, 0);
  EXPECT_EQ(m.BelowDeeperLeft(), 1);
}

TEST(IndentManager, FloatsCoverTheirTopButNotTheirBottomAndStack) {
  IndentManager m;
  m.Reset(0, 400);
  m.AddFloat(10, 50, 1, 30);   // left, 10..40
  m.AddFloat(10, 20, 1, 10);   // beside the first: offset 70
  m.AddFloat(10, 40, 3, 100);  // right
  m.AddFloat(10, 40, 2, 100);  // centred: nothing
  EXPECT_EQ(m.LeftAt(9), 0);
  EXPECT_EQ(m.LeftAt(10), 70);
  EXPECT_EQ(m.LeftAt(20), 50);
  EXPECT_EQ(m.LeftAt(39), 50);
  EXPECT_EQ(m.LeftAt(40), 0);
  EXPECT_EQ(m.RightAt(10), 360);
  EXPECT_EQ(m.RightAt(110), 400);
  EXPECT_EQ(m.FloatBottom(), 110);
  EXPECT_EQ(m.FloatBottoms().Left, 41);
  EXPECT_EQ(m.FloatBottoms().Right, 111);
  EXPECT_EQ(m.LeftFloats().size(), 2u);
  EXPECT_EQ(m.RightFloats().size(), 1u);
  // Drawing moves the edges; the records stay.
  m.Reset(100, 500);
  EXPECT_EQ(m.LeftAt(10), 170);
  EXPECT_EQ(m.RightAt(10), 460);
  m.Clear();
  EXPECT_EQ(m.LeftAt(10), 100);
  EXPECT_EQ(m.FloatBottom(), 0);
}

TEST(IndentManager, ListLevelsIndentAndCloseAboveTheClosingY) {
  IndentManager m;
  m.Reset(0, 400);
  m.AddFloat(0, 10, 1, 1000);
  m.SetListLevel(5, 3);
  ASSERT_EQ(m.LeftFloats().size(), 4u);
  EXPECT_EQ(m.LeftFloats()[1].Offset, 45);
  EXPECT_EQ(m.LeftFloats()[3].Offset, 115);
  EXPECT_EQ(m.LeftAt(5), 115);
  // Open levels reach as far as any Y can.
  EXPECT_EQ(m.LeftAt(20000000), 115);
  EXPECT_EQ(m.LeftFloats()[3].BottomY, INT32_MAX);
  m.SetListLevel(200, 1);
  EXPECT_EQ(m.LeftAt(198), 115);
  EXPECT_EQ(m.LeftAt(199), 45);
  EXPECT_EQ(m.LeftAt(200), 45);
  EXPECT_EQ(m.LeftFloats()[3].BottomY, 199);
  EXPECT_EQ(m.LeftFloats()[3].Level, 0);
  EXPECT_EQ(m.ListLevel, 1);
  // Closed levels count as floats that ended above.
  EXPECT_EQ(m.FloatBottom(), 1000);
}

TEST(IndentManager, BelowDeeperLeftFindsFloatsReachingPastTheListIndent) {
  IndentManager m;
  m.Reset(0, 400);
  m.SetListLevel(0, 1);       // offset 35
  m.AddFloat(10, 100, 1, 50);  // offset 135, bottom 60
  m.AddFloat(10, 0, 1, 500);   // offset 135 too, bottom 510
  EXPECT_EQ(m.BelowDeeperLeft(), 511);
  IndentManager n;
  n.Reset(0, 400);
  n.SetListLevel(0, 2);
  EXPECT_EQ(n.BelowDeeperLeft(), 1);
}

TEST(IndentManager, ImageFloatsGetTheirXAndAlignmentsOtherThanLeftOrRightRegisterNothing) {
  TAttributeList none;
  IndentManager m;
  m.Reset(0, 300);
  TImageObj left(0, none), right(1, none), middle(2, none);
  left.ObjAlign = TImageObj::AlignLeft;
  right.ObjAlign = TImageObj::AlignRight;
  middle.ObjAlign = TImageObj::AlignMiddle;
  for (TImageObj* image : {&left, &right, &middle}) {
    image->ObjWidth = 40;
    image->ObjHeight = 20;
    image->HSpace = 5;
  }
  m.AddFloat(0, 10, 1, 100);
  m.AddImageFloat(0, &left);
  m.AddImageFloat(0, &right);
  m.AddImageFloat(0, &middle);
  m.AddImageFloat(0, nullptr);
  EXPECT_EQ(left.FloatX, 10);
  EXPECT_EQ(m.LeftAt(0), 55);
  EXPECT_EQ(m.RightAt(0), 255);
  EXPECT_EQ(right.FloatX, 260);
  EXPECT_EQ(m.LeftFloats().size(), 2u);
  EXPECT_EQ(m.RightFloats().size(), 1u);
}

// The rules as a plain scan over every record, to check the index against.
struct Reference {
  std::vector<IndentRec> left, right;
  int32_t listLevel = 0;
  int32_t LeftAt(int32_t y) const {
    int32_t o = 0;
    for (const auto& r : left)
      if (r.TopY <= y && y < r.BottomY) o = std::max(o, r.Offset);
    return o;
  }
  int32_t RightAt(int32_t y) const {
    int32_t o = 0;
    for (const auto& r : right)
      if (r.TopY <= y && y < r.BottomY) o = std::min(o, r.Offset);
    return 400 + o;
  }
  int32_t FloatBottom() const {
    int32_t b = 0;
    for (const auto* list : {&left, &right})
      for (const auto& r : *list)
        if (r.Level == 0) b = std::max(b, r.BottomY);
    return b;
  }
  int32_t BelowDeeperLeft() const {
    int32_t ref = 0;
    for (const auto& r : left)
      if (r.Level == listLevel) {
        ref = r.Offset;
        break;
      }
    int64_t b = 0;
    for (const auto& r : left)
      if (r.Offset > ref) b = std::max<int64_t>(b, r.BottomY);
    return static_cast<int32_t>(std::min<int64_t>(b + 1, INT32_MAX));
  }
  void SetListLevel(int32_t y, int32_t level) {
    if (level > listLevel) {
      for (int32_t d = listLevel + 1; d <= level; ++d) left.push_back({LeftAt(y) + 35, y, INT32_MAX, d});
    } else if (level < listLevel) {
      for (auto& r : left)
        if (r.Level > level) {
          r.BottomY = y - 1;
          r.Level = 0;
        }
    }
    listLevel = level;
  }
};

TEST(IndentManager, IndexAnswersAsAScanOverAllRecordsWould) {
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    IndentManager m;
    m.Reset(0, 400);
    Reference ref;
    int32_t y = 0;
    for (int step = 0; step < 300; ++step) {
      y += static_cast<int32_t>(random() % 30);
      switch (random() % 4) {
        case 0: {
          const int32_t w = random() % 80, h = random() % 200;
          const int32_t align = random() % 2 ? 1 : 3;
          if (align == 1)
            ref.left.push_back({ref.LeftAt(y) + w, y, y + h, 0});
          else
            ref.right.push_back({ref.RightAt(y) - 400 - w, y, y + h, 0});
          m.AddFloat(y, w, align, h);
          break;
        }
        case 1: {
          const int32_t level = random() % 5;
          ref.SetListLevel(y, level);
          m.SetListLevel(y, level);
          break;
        }
        default: break;
      }
      const int32_t probe = y - 50 + static_cast<int32_t>(random() % 300);
      ASSERT_EQ(m.LeftAt(probe), ref.LeftAt(probe)) << round << " " << step;
      ASSERT_EQ(m.RightAt(probe), ref.RightAt(probe)) << round << " " << step;
      ASSERT_EQ(m.FloatBottom(), ref.FloatBottom()) << round << " " << step;
      if (m.ListLevel > 0) {
        ASSERT_EQ(m.BelowDeeperLeft(), ref.BelowDeeperLeft()) << round << " " << step;
      }
    }
  }
}

}  // namespace

}  // namespace html
