#include "imports/ordner.h"

#include <algorithm>
#include <set>
#include <vector>

namespace quadrix {

namespace fs = std::filesystem;

bool punktdateiName(const fs::path& pfad)
{
    std::string e = pfad.extension().string();
    std::transform(e.begin(), e.end(), e.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* n : {".gpx", ".kml", ".kmz", ".geojson", ".json", ".jpg", ".jpeg", ".heic", ".heif"})
        if (e == n)
            return true;
    return false;
}

std::FILE* oeffneLesend(const fs::path& pfad)
{
#ifdef _WIN32
    return _wfopen(pfad.c_str(), L"rb");
#else
    return std::fopen(pfad.c_str(), "rb");
#endif
}

namespace {

void ordner(const fs::path& o, std::set<fs::path>& gesehen, int tiefe,
            const std::function<void(const fs::path&, Lesegrund)>& je)
{
    std::error_code f;
    const fs::path echt = fs::canonical(o, f);
    if (f || tiefe > 64) {
        je(o, Lesegrund::Ordner);
        return;
    }
    if (!gesehen.insert(echt).second) {
        je(o, Lesegrund::OrdnerImKreis);
        return;
    }
    std::vector<fs::path> eintraege;
    fs::directory_iterator i(o, fs::directory_options::skip_permission_denied, f);
    for (; !f && i != fs::directory_iterator(); i.increment(f))
        eintraege.push_back(i->path());
    if (f) {
        je(o, Lesegrund::Ordner);
        return;
    }
    std::sort(eintraege.begin(), eintraege.end());
    for (const fs::path& e : eintraege) {
        std::error_code g;
        if (fs::is_directory(e, g))
            ordner(e, gesehen, tiefe + 1, je);
        else if (fs::is_regular_file(e, g) && punktdateiName(e))
            je(e, Lesegrund::Keiner);
    }
}

}  // namespace

void durchlaufe(const fs::path& o, const std::function<void(const fs::path&, Lesegrund)>& je)
{
    std::set<fs::path> gesehen;
    ordner(o, gesehen, 0, je);
}

}  // namespace quadrix
