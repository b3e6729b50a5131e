#pragma once

#include <cstdint>
#include <vector>

#include "html/document/y_index.h"

namespace html {

class TImageObj;

// One Y range that moves a cell's left or right edge: a float or the indent
// of an open list level.
struct IndentRec {
  int32_t Offset = 0;   // left: right edge from LeftEdge; right: left edge from RightEdge (<= 0)
  int32_t TopY = 0;     // first Y covered
  int32_t BottomY = 0;  // first Y no longer covered
  int32_t Level = 0;    // 0 for a float, else the list level
};

// Where a cell's usable left and right edges lie at each Y. Records are
// indexed over Y and by offset, so each answer costs the same however many
// records a long document has added.
class IndentManagerBasic {
 public:
  // An open list level reaches to the end of the document until it closes.
  static constexpr int32_t OpenBottom = INT32_MAX;
  static constexpr int32_t ListIndent = 35;

  IndentManagerBasic() = default;
  virtual ~IndentManagerBasic() = default;
  IndentManagerBasic(const IndentManagerBasic&) = delete;
  IndentManagerBasic& operator=(const IndentManagerBasic&) = delete;

  // Frees every record.
  void Clear();
  // New edges; closes the list bookkeeping, keeps the records.
  void Reset(int32_t leftEdge, int32_t rightEdge);
  int32_t LeftAt(int32_t y) const;
  int32_t RightAt(int32_t y) const;
  // A floating block (alignment 1 left, 3 right; others register nothing).
  void AddFloat(int32_t y, int32_t width, int32_t alignment, int32_t height);
  // A floating image (left or right aligned); tells the image its X.
  void AddImageFloat(int32_t y, TImageObj* image);
  // The lowest bottom of the floats of both sides; 0 without floats.
  int32_t FloatBottom() const;
  // Per side 1 + the lowest float bottom; 0 for a side without floats.
  struct TFloatBottoms {
    int32_t Left = 0;
    int32_t Right = 0;
  };
  TFloatBottoms FloatBottoms() const;
  // 1 + the lowest bottom of the left records reaching further in than the
  // current list level's indent; 1 when none does.
  int32_t BelowDeeperLeft() const;
  // Opens or closes list-level indents at y.
  void SetListLevel(int32_t y, int32_t level);

  const std::vector<IndentRec>& LeftFloats() const { return left_; }
  const std::vector<IndentRec>& RightFloats() const { return right_; }

  int32_t LayoutWidth = 0;
  int32_t PaintClipWidth = 0;
  int32_t ListLevel = 0;
  int32_t LeftEdge = 0;
  int32_t RightEdge = 0;
  // Window X at which the cell's left edge will be drawn, as far as layout
  // knows it: positions set from it let hit tests work before any paint.
  int32_t OriginX = 0;

 private:
  void AddLeft(IndentRec rec);
  void AddRight(IndentRec rec);
  void Settled(int index);  // a left record with its final range

  std::vector<IndentRec> left_;
  std::vector<IndentRec> right_;
  std::vector<int> openLeft_;  // indexes of left records of open levels, in list order
  TRangeMaxIndex leftByY_;     // settled left offsets over Y
  TRangeMaxIndex rightByY_;    // negated right offsets over Y
  TKeyMaxIndex leftBottoms_;   // settled left bottoms by offset
  int32_t leftFloatBottom_ = TKeyMaxIndex::None;
  int32_t rightFloatBottom_ = TKeyMaxIndex::None;
  int firstSettledLeft_ = -1;  // the first left record of level 0 in list order
};

// The class cells create.
class IndentManager : public IndentManagerBasic {};

}  // namespace html
