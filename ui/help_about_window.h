// SPDX-License-Identifier: MIT
// The Help and About window: names the product, its version and maker, opens
// the maker's web site and the help contents. Modeless and on top of all
// other windows; OK and the close box only hide it.
#pragma once

#include "ui/fixed_dialog.h"

class QPushButton;

namespace vorlix {

inline constexpr const char* kMakerWebAddress = "https://www.example.com/tolvex/";
inline constexpr const char* kCopyrightNotice = "Copyright \u00a9 1999-2026 Tolvex. All rights reserved.";

class TForm2 : public FixedDialog {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent = nullptr);

 private:
  void FormShow() override;
  void Button1Click();
  void BitBtn2Click();

  QPushButton* Button1 = nullptr;  // the web site
  QPushButton* BitBtn1 = nullptr;  // OK
  QPushButton* BitBtn2 = nullptr;  // Help
};

}  // namespace vorlix
