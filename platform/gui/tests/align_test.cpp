#include <gtest/gtest.h>

#include "platform/gui/panel.h"
#include "platform/gui/paint_box.h"
#include "platform/gui/screen.h"
#include "window_fixture.h"

namespace {

using cl::Make;
using cl::TPanel;
using cl::TRect;

using AlignTest = WindowTest;

TEST_F(AlignTest, ChildrenTakeTheirSidesInOrderAndTheClientOneTheRest) {
  auto* top = Make<TPanel>(*form);
  auto* bottom = Make<TPanel>(*form);
  auto* left = Make<TPanel>(*form);
  auto* right = Make<TPanel>(*form);
  auto* client = Make<TPanel>(*form);
  auto* secondTop = Make<TPanel>(*form);
  for (TPanel* p : {top, bottom, left, right, client, secondTop}) p->SetParent(form.get());
  top->SetHeight(35);
  top->SetAlign(cl::alTop);
  secondTop->SetBounds(0, 100, 10, 20);  // below the first: placed after it
  secondTop->SetAlign(cl::alTop);
  bottom->SetHeight(25);
  bottom->SetAlign(cl::alBottom);
  left->SetWidth(50);
  left->SetAlign(cl::alLeft);
  right->SetWidth(60);
  right->SetAlign(cl::alRight);
  client->SetAlign(cl::alClient);

  EXPECT_EQ(top->BoundsRect(), cl::Rect(0, 0, 400, 35));
  EXPECT_EQ(secondTop->BoundsRect(), cl::Rect(0, 35, 400, 55));
  EXPECT_EQ(bottom->BoundsRect(), cl::Rect(0, 275, 400, 300));
  EXPECT_EQ(left->BoundsRect(), cl::Rect(0, 55, 50, 275));
  EXPECT_EQ(right->BoundsRect(), cl::Rect(340, 55, 400, 275));
  EXPECT_EQ(client->BoundsRect(), cl::Rect(50, 55, 340, 275));

  // Hiding one gives its room to the others; resizing the parent re-places all.
  top->Hide();
  EXPECT_EQ(secondTop->BoundsRect(), cl::Rect(0, 0, 400, 20));
  form->SetBounds(10, 10, 500, 400);
  EXPECT_EQ(client->BoundsRect(), cl::Rect(50, 20, 440, 375));
  EXPECT_EQ(right->BoundsRect(), cl::Rect(440, 20, 500, 375));
}

TEST_F(AlignTest, PanelBevelsAndBorderInsetTheAlignedChildren) {
  auto* panel = Make<TPanel>(*form);
  panel->SetParent(form.get());
  panel->SetBounds(0, 0, 200, 100);
  panel->SetBevelOuter(cl::bvLowered);
  panel->SetBevelInner(cl::bvRaised);
  panel->SetBevelWidth(2);
  panel->SetBorderWidth(3);
  auto* inner = Make<TPanel>(*form);
  inner->SetParent(panel);
  inner->SetAlign(cl::alClient);
  EXPECT_EQ(inner->BoundsRect(), cl::Rect(7, 7, 193, 93));
  panel->SetBevelInner(cl::bvNone);
  EXPECT_EQ(inner->BoundsRect(), cl::Rect(5, 5, 195, 95));
}

TEST_F(AlignTest, FormsDesignedAt96DpiScaleToTheScreenAtFirstShow) {
  cl::Screen().SetPixelsPerInch(120);
  cl::TForm scaled(nullptr);
  scaled.SetBounds(0, 0, 320, 240);
  auto* box = Make<cl::TPaintBox>(scaled);
  box->SetParent(&scaled);
  box->SetBounds(8, 24, 217, 161);
  auto* bar = Make<TPanel>(scaled);
  bar->SetParent(&scaled);
  bar->SetHeight(35);
  bar->SetAlign(cl::alTop);
  scaled.Show();
  cl::Screen().SetPixelsPerInch(96);
  EXPECT_EQ(scaled.Width(), 400);
  EXPECT_EQ(scaled.Height(), 300);
  EXPECT_EQ(box->BoundsRect(), cl::Bounds(10, 30, 271, 201));
  EXPECT_EQ(bar->BoundsRect(), cl::Rect(0, 0, 400, 44));
  EXPECT_EQ(scaled.PixelsPerInch(), 120);
}

TEST_F(AlignTest, OwnerFreesWhatItOwnsAndAParentOnlyPlacesIt) {
  auto owner = std::make_unique<cl::TForm>(nullptr);
  auto* panel = Make<TPanel>(*owner);
  panel->SetName("Panel1");
  panel->SetParent(form.get());
  EXPECT_EQ(form->ControlCount(), 1);
  EXPECT_EQ(owner->FindComponent("PANEL1"), panel);
  EXPECT_EQ(form->FindChildControl("panel1"), panel);
  owner.reset();
  EXPECT_EQ(form->ControlCount(), 0);
}

}  // namespace
