// SPDX-License-Identifier: MIT
// A check box that answers a click anywhere in its place, as the classic
// toolkit's check boxes do, not only on its square and caption.
#pragma once

#include <QCheckBox>

namespace vorlix {

class WideCheckBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

}  // namespace vorlix
