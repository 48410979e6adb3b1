// The help of mtbq, in German.
#pragma once

#include <string>

std::string hilfe();
