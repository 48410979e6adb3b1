// A find-location file line by line, for a correction that writes it again
// with every line it does not touch byte for byte: the lines cut as every
// mode cuts them (satzleser), each with its own text and line end, and
// each recognised as the header, a record the program could have written,
// or a foreign line with the reason. Standard library only.
//
//   "Kopf\r\nWald\t5818/3/3/2/1/1\t50\t07\t20\tN\t8\t41\t30\tO\t50,1222\tN\t8,6917\tO\r\nx\n"
//   -> Kopf, Satz, Fremd (Felderzahl, LF); fundort::zusammen gives the same bytes.
#pragma once

#include "records/fundliste.h"

#include <string_view>
#include <vector>

namespace quadrix {

// A file in UTF-16 is one foreign line (Mangel::Kodierung): the program's
// lines in Windows-1252 have no place in it.
std::vector<fundort::Dateizeile> dateizeilen(std::string_view inhalt);

}  // namespace quadrix
