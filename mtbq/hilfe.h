// The help of mtbq, in German.
#pragma once

extern const char* const Hilfe;
