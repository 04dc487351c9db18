// A toolkit header outside the Qt host, for the layer check to refuse.
#include <QtCore/QString>
