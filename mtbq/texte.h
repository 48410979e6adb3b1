// Every message of mtbq, in German, in one place.
#pragma once

#include "code.h"
#include "punkt.h"

namespace mtbq {

const char* text(Fehler f);
const char* text(CodeFehler f);
extern const char* const Hilfe;

}  // namespace mtbq
