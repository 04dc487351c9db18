#pragma once

typedef struct _XDisplay Display;

namespace quibo {

// Qt's connection to the X server; nullptr when the application is not on
// X11.
Display* XDisplay();

}  // namespace quibo
