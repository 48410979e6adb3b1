// The German reasons for refusing a code or a plane position, for the
// messages of both programs: one sentence per failure, keyed by its code.
#pragma once

#include "cells/umriss.h"

namespace quadrix {

const char* text(const Umrissfehler& f);

}  // namespace quadrix
