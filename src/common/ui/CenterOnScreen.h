#pragma once

class QWidget;

namespace sm {

// Moves a window so that it sits in the middle of the primary screen's free area.
void CenterOnScreen(QWidget& window);

}  // namespace sm
