// SPDX-License-Identifier: MIT
#pragma once
// The same windows on every desktop: the Fusion style whatever the desktop's own Qt style, the
// windows' face for message boxes and menus too, and Qt's own texts in Chinese. Called once a
// QApplication exists, before the first window opens.

namespace durava::ui {

void SetUpAppearance();

}  // namespace durava::ui
