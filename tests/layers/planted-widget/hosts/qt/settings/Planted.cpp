// A widget in the settings store, which runs before the window exists and
// at exit: the layer check and the link must both refuse it.
#include <QWidget>

namespace quibo {

bool PlantedWidgetCall()
{
    return QWidget().isVisible();
}

}  // namespace quibo
