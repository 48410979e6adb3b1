// The German reasons for refusing a code or a plane position, or a point in
// a grid, for the messages of both programs: one sentence per failure,
// keyed by its code.
#pragma once

#include "cells/gitter.h"
#include "cells/umriss.h"

namespace quadrix {

const char* text(const Umrissfehler& f);
const char* text(const Zellfehler& f);

}  // namespace quadrix
