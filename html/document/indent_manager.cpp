#include "html/document/indent_manager.h"

#include <algorithm>

#include "html/document/image_obj.h"

namespace html {

namespace {

int32_t SaturatedAdd(int32_t a, int32_t b) {
  const int64_t sum = int64_t(a) + b;
  return static_cast<int32_t>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
}

}  // namespace

void IndentManagerBasic::Clear() {
  left_.clear();
  right_.clear();
  openLeft_.clear();
  leftByY_.Clear();
  rightByY_.Clear();
  leftBottoms_.Clear();
  leftFloatBottom_ = rightFloatBottom_ = TKeyMaxIndex::None;
  firstSettledLeft_ = -1;
}

void IndentManagerBasic::Reset(int32_t leftEdge, int32_t rightEdge) {
  LeftEdge = leftEdge;
  RightEdge = rightEdge;
  ListLevel = 0;
}

int32_t IndentManagerBasic::LeftAt(int32_t y) const {
  int32_t offset = leftByY_.ValueAt(y);
  for (const int index : openLeft_) {
    const IndentRec& rec = left_[index];
    if (rec.TopY <= y && y < rec.BottomY) offset = std::max(offset, rec.Offset);
  }
  return LeftEdge + offset;
}

int32_t IndentManagerBasic::RightAt(int32_t y) const { return RightEdge - rightByY_.ValueAt(y); }

void IndentManagerBasic::AddLeft(IndentRec rec) {
  left_.push_back(rec);
  const int index = static_cast<int>(left_.size() - 1);
  if (rec.Level > 0)
    openLeft_.push_back(index);
  else
    Settled(index);
}

void IndentManagerBasic::Settled(int index) {
  const IndentRec& rec = left_[index];
  leftByY_.Raise(rec.TopY, rec.BottomY, rec.Offset);
  leftBottoms_.Raise(rec.Offset, rec.BottomY);
  leftFloatBottom_ = std::max(leftFloatBottom_, rec.BottomY);
  if (firstSettledLeft_ < 0 || index < firstSettledLeft_) firstSettledLeft_ = index;
}

void IndentManagerBasic::AddRight(IndentRec rec) {
  right_.push_back(rec);
  // Offsets of -2^31 cannot be negated; they are far outside any cell anyway.
  rightByY_.Raise(rec.TopY, rec.BottomY, rec.Offset == INT32_MIN ? INT32_MAX : -rec.Offset);
  rightFloatBottom_ = std::max(rightFloatBottom_, rec.BottomY);
}

void IndentManagerBasic::AddFloat(int32_t y, int32_t width, int32_t alignment, int32_t height) {
  const int32_t bottom = SaturatedAdd(y, height);
  if (alignment == 1)
    AddLeft({LeftAt(y) + width - LeftEdge, y, bottom, 0});
  else if (alignment == 3)
    AddRight({RightAt(y) - RightEdge - width, y, bottom, 0});
}

void IndentManagerBasic::AddImageFloat(int32_t y, TImageObj* image) {
  if (!image) return;
  const int32_t w = image->ObjWidth + image->HSpace;
  const int32_t bottom = SaturatedAdd(y, image->ObjHeight);
  if (image->ObjAlign == TImageObj::AlignLeft) {
    const int32_t l = LeftAt(y);
    image->FloatX = l - LeftEdge;
    AddLeft({w + l - LeftEdge, y, bottom, 0});
  } else if (image->ObjAlign == TImageObj::AlignRight) {
    const int32_t o = RightAt(y) - (RightEdge + w);
    AddRight({o, y, bottom, 0});
    image->FloatX = RightEdge + o + image->HSpace;
  }
}

int32_t IndentManagerBasic::FloatBottom() const {
  return std::max({int32_t{0}, leftFloatBottom_, rightFloatBottom_});
}

IndentManagerBasic::TFloatBottoms IndentManagerBasic::FloatBottoms() const {
  return {leftFloatBottom_ == TKeyMaxIndex::None ? 0 : SaturatedAdd(leftFloatBottom_, 1),
          rightFloatBottom_ == TKeyMaxIndex::None ? 0 : SaturatedAdd(rightFloatBottom_, 1)};
}

int32_t IndentManagerBasic::BelowDeeperLeft() const {
  // The reference is the first left record whose level is the current one.
  int reference = -1;
  if (ListLevel > 0) {
    for (const int index : openLeft_)
      if (left_[index].Level == ListLevel) {
        reference = index;
        break;
      }
  } else {
    reference = firstSettledLeft_;
  }
  const int32_t bound = reference < 0 ? 0 : left_[reference].Offset;
  int32_t bottom = leftBottoms_.MaxAbove(bound);
  for (const int index : openLeft_)
    if (left_[index].Offset > bound) bottom = std::max(bottom, left_[index].BottomY);
  return bottom == TKeyMaxIndex::None ? 1 : SaturatedAdd(bottom, 1);
}

void IndentManagerBasic::SetListLevel(int32_t y, int32_t level) {
  if (level > ListLevel) {
    for (int32_t d = ListLevel + 1; d <= level; ++d) AddLeft({LeftAt(y) - LeftEdge + ListIndent, y, OpenBottom, d});
  } else if (level < ListLevel && ListLevel > 0) {
    std::vector<int> stillOpen;
    for (const int index : openLeft_) {
      IndentRec& rec = left_[index];
      if (rec.Level > level) {
        rec.BottomY = y - 1;
        rec.Level = 0;
        Settled(index);
      } else {
        stillOpen.push_back(index);
      }
    }
    openLeft_ = std::move(stillOpen);
  }
  ListLevel = level;
}

}  // namespace html
