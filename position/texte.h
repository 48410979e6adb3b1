// The German reasons for refusing a written position or code, for the
// messages of both programs.
#pragma once

#include "position/code.h"
#include "position/punkt.h"
#include "position/verweis.h"

namespace quadrix {

const char* text(Fehler f);
const char* text(CodeFehler f);
const char* text(VerweisFehler f);

}  // namespace quadrix
