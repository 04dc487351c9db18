// A toolkit header outside the Qt host, for the layer check to refuse.
#include <QtCore/QString>
// A Qt header whose name has a digit.
#include <QLatin1String>
