// An include and a call against the layers, for the layer check and the
// link to refuse: numtext/ may use nothing of calc/.
#include "calc/DataType.h"

namespace quibo {

bool PlantedCallUpward()
{
    return DecimalText(DataType::Long, 1).empty();
}

}  // namespace quibo
