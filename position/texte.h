// The German reasons for refusing a written position or code, for the
// messages of both programs.
#pragma once

#include "position/code.h"
#include "position/punkt.h"

namespace quadrix {

const char* text(Fehler f);
const char* text(CodeFehler f);

}  // namespace quadrix
