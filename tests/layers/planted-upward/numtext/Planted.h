// An include against the layers, for the layer check to refuse: numtext/
// may include nothing of calc/.
#include "calc/DataType.h"
