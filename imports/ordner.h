// The files of points in a folder and its subfolders, in the order of
// their names: files ending .gpx, .kml, .kmz, .geojson, .json, .jpg,
// .jpeg, .heic or .heif (any case); others are passed over. A link to a
// folder is followed once: a folder reached again (a link loop, or a
// second link to the same folder) is reported and not read again.
#pragma once

#include "imports/punkte.h"

#include <filesystem>
#include <functional>

namespace quadrix {

// je(path, Keiner) for each file of points; je(path, OrdnerImKreis) or
// je(path, Ordner) for a folder not read.
void durchlaufe(const std::filesystem::path& ordner,
                const std::function<void(const std::filesystem::path&, Lesegrund)>& je);

// Does the name end as a file of points does?
bool punktdateiName(const std::filesystem::path& pfad);

// Opens a file for reading by its path, whatever the characters of its name.
std::FILE* oeffneLesend(const std::filesystem::path& pfad);

}  // namespace quadrix
