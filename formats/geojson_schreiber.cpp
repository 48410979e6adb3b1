#include "formats/geojson_schreiber.h"

namespace quadrix {

void jsonText(std::string& out, std::string_view s)
{
    out += '"';
    for (const char c : s) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char u[8];
                std::snprintf(u, sizeof u, "\\u%04x", c);
                out += u;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void jsonPosition(std::string& out, double breite, double laenge)
{
    char p[64];
    std::snprintf(p, sizeof p, "[%.7f,%.7f]", laenge, breite);
    out += p;
}

void jsonMeter(std::string& out, double ost, double nord)
{
    char p[64];
    std::snprintf(p, sizeof p, "[%.0f,%.0f]", ost, nord);
    out += p;
}

void GeoJsonSchreiber::anfang(std::string_view mitglieder)
{
    std::string& t = m_aus.text();
    t += "{\"type\":\"FeatureCollection\"";
    t += mitglieder;
    t += ",\"features\":[";
}

std::string& GeoJsonSchreiber::feature()
{
    std::string& t = m_aus.text();
    m_featureAnfang = t.size();
    t += m_zahl++ ? ",\n" : "\n";
    t += "{\"type\":\"Feature\",\"geometry\":";
    return t;
}

std::string& GeoJsonSchreiber::eigenschaften()
{
    std::string& t = m_aus.text();
    t += ",\"properties\":{";
    return t;
}

bool GeoJsonSchreiber::featureEnde()
{
    m_aus.text() += "}}";
    return m_aus.vielleichtLeeren();
}

void GeoJsonSchreiber::verwerfen()
{
    m_aus.text().resize(m_featureAnfang);
    --m_zahl;
}

bool GeoJsonSchreiber::schluss()
{
    m_aus.text() += "\n]}\n";
    return m_aus.leeren();
}

}  // namespace quadrix
