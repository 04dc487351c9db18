#pragma once

namespace quibo {

// Started with descriptor 0, 1 or 2 closed (by a launcher, a daemonising
// script), a program's next open file or pipe takes that number, and what
// it meant for standard error or output lands there: in a signal pipe, in
// the X connection, in a file. Each closed one is held by /dev/null, opened
// the other way round, so that reading or writing it still fails as on a
// closed descriptor. Call first thing in main.
void HoldStandardDescriptors();

}  // namespace quibo
