#pragma once

#include <functional>

class QWidget;

namespace quibo {

// Runs work once the shown window's first frame is on the screen (or a
// second after, should the window system never show it): what the first
// frame does not need costs neither time nor memory before it.
void AfterFirstFrame(QWidget& window, std::function<void()> work);

}  // namespace quibo
