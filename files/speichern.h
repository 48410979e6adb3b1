// Saving: one record appended to a find-location file. The window's
// "Speichern" calls this and shows the failure text it returns.
#pragma once

#include "records/fundortformat.h"

#include <QString>

#include <optional>

namespace Speichern {

// Appends the record to the file, with the decimal separator of the user's
// locale at this moment. The line is complete before the file is touched:
// a refused record leaves no trace, not even a newly created empty file.
// Nothing when saved; else the German failure text.
std::optional<QString> anhaengen(const fundort::Datensatz& d, const QString& datei);

}  // namespace Speichern
