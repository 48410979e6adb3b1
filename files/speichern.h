// Saving: one record appended to a find-location file. The window's
// "Speichern" calls this and shows the failure text it returns.
#pragma once

#include "records/fundortformat.h"

#include <QString>

#include <optional>
#include <vector>

namespace Speichern {

// Appends the record to the file, with the decimal separator of the user's
// locale at this moment. The line is complete before the file is touched:
// a refused record leaves no trace, not even a newly created empty file.
// Nothing when saved; else the German failure text.
std::optional<QString> anhaengen(const fundort::Datensatz& d, const QString& datei);
// Several records in one write, all or none: every line is made before the
// file is touched, and one refused record leaves the file as it was.
std::optional<QString> anhaengen(const std::vector<fundort::Datensatz>& saetze, const QString& datei);

}  // namespace Speichern
