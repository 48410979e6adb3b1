// GeoJSON (RFC 7946) points: a FeatureCollection's features one at a
// time, each held only while it is read; a Feature or a Point alone.
#include "imports/lesehilfe.h"
#include "records/fundortformat.h"

#include <cstring>
#include <vector>

namespace quadrix {

namespace {

struct Wert {
    enum class Art : std::uint8_t { Null, Wahr, Falsch, Zahl, Text, Liste, Objekt } art = Art::Null;
    std::string text;  // a number as written, a string decoded
    std::vector<Wert> liste;  // a list's values, an object's values
    std::vector<std::string> schluessel;  // an object's names, one per value

    const Wert* feld(const char* name) const
    {
        for (std::size_t i = 0; i < schluessel.size(); ++i)
            if (schluessel[i] == name)
                return &liste[i];
        return nullptr;
    }
    const std::string* textFeld(const char* name) const
    {
        const Wert* w = feld(name);
        return w && w->art == Art::Text ? &w->text : nullptr;
    }
};

constexpr int Tiefste = 64;

class Json {
public:
    Json(const char* d, std::size_t n) : p_(d), e_(d + n) {}

    bool fehler() const { return fehler_; }
    std::uint64_t zeile() const { return zeile_; }

    void leer()
    {
        while (p_ < e_ && (*p_ == ' ' || *p_ == '\t' || *p_ == '\r' || *p_ == '\n')) {
            if (*p_ == '\n')
                ++zeile_;
            ++p_;
        }
    }
    bool zeichen(char c)
    {
        leer();
        if (p_ < e_ && *p_ == c) {
            ++p_;
            return true;
        }
        return false;
    }
    bool amEnde()
    {
        leer();
        return p_ == e_;
    }
    bool falsch()
    {
        fehler_ = true;
        return false;
    }

    bool text(std::string& out)
    {
        if (!zeichen('"'))
            return falsch();
        out.clear();
        while (p_ < e_ && *p_ != '"') {
            const unsigned char c = static_cast<unsigned char>(*p_++);
            if (c < 0x20)
                return falsch();
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            if (p_ == e_)
                return falsch();
            const char f = *p_++;
            switch (f) {
            case '"': case '\\': case '/': out += f; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                unsigned cp = 0;
                if (!hex4(cp))
                    return falsch();
                if (cp >= 0xD800 && cp < 0xDC00) {
                    unsigned tief = 0;
                    if (e_ - p_ < 2 || p_[0] != '\\' || p_[1] != 'u' || (p_ += 2, !hex4(tief)) || tief < 0xDC00 ||
                        tief > 0xDFFF)
                        return falsch();
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (tief - 0xDC00);
                } else if (cp >= 0xDC00 && cp < 0xE000) {
                    return falsch();
                }
                fundort::alsUtf8Anhaengen(out, cp);
                break;
            }
            default: return falsch();
            }
        }
        if (p_ == e_)
            return falsch();
        ++p_;
        return true;
    }

    bool wert(Wert& w, int tiefe)
    {
        if (tiefe > Tiefste)
            return falsch();
        leer();
        if (p_ == e_)
            return falsch();
        w = Wert{};
        switch (*p_) {
        case '{':
            ++p_;
            if (zeichen('}')) {
                w.art = Wert::Art::Objekt;
                return true;
            }
            w.art = Wert::Art::Objekt;
            do {
                std::string k;
                if (!text(k) || !zeichen(':'))
                    return falsch();
                w.schluessel.push_back(std::move(k));
                w.liste.emplace_back();
                if (!wert(w.liste.back(), tiefe + 1))
                    return false;
            } while (zeichen(','));
            return zeichen('}') || falsch();
        case '[':
            ++p_;
            w.art = Wert::Art::Liste;
            if (zeichen(']'))
                return true;
            do {
                w.liste.emplace_back();
                if (!wert(w.liste.back(), tiefe + 1))
                    return false;
            } while (zeichen(','));
            return zeichen(']') || falsch();
        case '"':
            w.art = Wert::Art::Text;
            return text(w.text);
        case 't': return wort("true", w, Wert::Art::Wahr);
        case 'f': return wort("false", w, Wert::Art::Falsch);
        case 'n': return wort("null", w, Wert::Art::Null);
        default: return zahl(w);
        }
    }

private:
    bool hex4(unsigned& cp)
    {
        if (e_ - p_ < 4)
            return false;
        for (int i = 0; i < 4; ++i) {
            const char c = *p_++;
            cp = cp * 16 + static_cast<unsigned>(c >= '0' && c <= '9'   ? c - '0'
                                                 : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                 : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                                        : 99);
            if (cp > 0xFFFF)
                return false;
        }
        return true;
    }
    bool wort(const char* w, Wert& out, Wert::Art art)
    {
        const std::size_t n = std::strlen(w);
        if (static_cast<std::size_t>(e_ - p_) < n || std::memcmp(p_, w, n) != 0)
            return falsch();
        p_ += n;
        out.art = art;
        return true;
    }
    bool zahl(Wert& w)
    {
        const char* a = p_;
        while (p_ < e_ && (std::strchr("+-.eE", *p_) || (*p_ >= '0' && *p_ <= '9')) && *p_)
            ++p_;
        if (p_ == a || !dezimal(std::string_view(a, static_cast<std::size_t>(p_ - a))))
            return falsch();
        w.art = Wert::Art::Zahl;
        w.text.assign(a, p_);
        return true;
    }

    const char* p_;
    const char* e_;
    std::uint64_t zeile_ = 1;
    bool fehler_ = false;
};

const std::string* ersterText(const Wert& eigenschaften, std::initializer_list<const char*> namen)
{
    for (const char* n : namen)
        if (const std::string* t = eigenschaften.textFeld(n))
            return t;
    return nullptr;
}

// One feature's points (a MultiPoint has several), or one without a position.
void merkmal(const Wert& f, const Punktempfaenger& nimm, long& zahl)
{
    Fundpunkt p;
    p.art = Punktart::Ortsmarke;
    if (const Wert* e = f.feld("properties"); e && e->art == Wert::Art::Objekt) {
        if (const std::string* t = ersterText(*e, {"name", "Name", "NAME", "title", "Title", "titel", "Titel",
                                                   "label", "Label", "Bezeichnung"}))
            p.name = *t;
        if (const std::string* t = ersterText(*e, {"description", "desc", "Beschreibung"}))
            p.beschreibung = *t;
        if (const std::string* t = ersterText(*e, {"time", "timestamp", "datetime", "when", "date", "Zeit"}))
            setzeIsoZeit(p, *t);
        for (const char* n : {"coordinateUncertaintyInMeters", "accuracy"})
            if (const Wert* u = e->feld(n); u && u->art == Wert::Art::Zahl) {
                p.unsicherheit = dezimal(u->text);
                break;
            }
    }
    const Wert* g = f.feld("geometry");
    const std::string* typ = g ? g->textFeld("type") : nullptr;
    const Wert* k = g ? g->feld("coordinates") : nullptr;
    std::vector<const Wert*> orte;
    if (typ && k && k->art == Wert::Art::Liste) {
        if (*typ == "Point")
            orte.push_back(k);
        else if (*typ == "MultiPoint")
            for (const Wert& o : k->liste)
                orte.push_back(&o);
    }
    if (orte.empty())
        p.grund = Punktgrund::KeinPunkt;
    if (orte.empty() && typ && (*typ == "Point" || *typ == "MultiPoint"))
        p.grund = Punktgrund::Ungueltig;
    if (orte.empty()) {
        ++zahl;
        nimm(p);
    }
    for (const Wert* o : orte) {
        const bool zahlen = o->art == Wert::Art::Liste && o->liste.size() >= 2 &&
                            o->liste[0].art == Wert::Art::Zahl && o->liste[1].art == Wert::Art::Zahl;
        if (zahlen)
            setzePosition(p, o->liste[1].text, o->liste[0].text);
        else
            p.grund = Punktgrund::Ungueltig;
        p.hoehe = zahlen && o->liste.size() >= 3 && o->liste[2].art == Wert::Art::Zahl ? dezimal(o->liste[2].text)
                                                                                       : std::nullopt;
        ++zahl;
        nimm(p);
    }
}

}  // namespace

Leseergebnis leseGeoJsonText(const char* daten, std::size_t n, const Punktempfaenger& nimm)
{
    Leseergebnis e;
    e.art = Dateiart::GeoJson;
    if (n >= 3 && std::memcmp(daten, "\xEF\xBB\xBF", 3) == 0) {
        daten += 3;
        n -= 3;
    }
    Json j(daten, n);
    // The outer object member by member, so that a collection's features
    // are read and handed over one at a time.
    Wert aussen;
    aussen.art = Wert::Art::Objekt;
    bool sammlung = false;
    const auto json = [&] {
        e.grund = Lesegrund::Json;
        e.zeile = j.zeile();
        return e;
    };
    if (!j.zeichen('{'))
        return json();
    if (!j.zeichen('}')) {
        do {
            std::string k;
            if (!j.text(k) || !j.zeichen(':'))
                return json();
            if (k == "features") {
                sammlung = true;
                if (!j.zeichen('['))
                    return json();
                if (!j.zeichen(']')) {
                    do {
                        Wert f;
                        if (!j.wert(f, 2))
                            return json();
                        if (f.art == Wert::Art::Objekt)
                            merkmal(f, nimm, e.punkte);
                    } while (j.zeichen(','));
                    if (!j.zeichen(']'))
                        return json();
                }
                continue;
            }
            aussen.schluessel.push_back(std::move(k));
            aussen.liste.emplace_back();
            if (!j.wert(aussen.liste.back(), 1))
                return json();
        } while (j.zeichen(','));
        if (!j.zeichen('}'))
            return json();
    }
    if (!j.amEnde())
        return json();
    const std::string* typ = aussen.textFeld("type");
    if (sammlung && typ && *typ == "FeatureCollection")
        return e;
    if (typ && *typ == "Feature") {
        merkmal(aussen, nimm, e.punkte);
        return e;
    }
    if (typ && (*typ == "Point" || *typ == "MultiPoint")) {
        Wert f;
        f.art = Wert::Art::Objekt;
        f.schluessel.push_back("geometry");
        f.liste.push_back(std::move(aussen));
        merkmal(f, nimm, e.punkte);
        return e;
    }
    e.grund = Lesegrund::KeinGeoJson;
    return e;
}

Leseergebnis leseGeoJson(std::FILE* f, const Punktempfaenger& nimm)
{
    std::string daten;
    bool zuGross = false;
    const bool gelesen = inBloecken(f, [&](const char* b, std::size_t n) {
        if (daten.size() + n > GroessteGeoJson) {
            zuGross = true;
            return false;
        }
        daten.append(b, n);
        return true;
    });
    Leseergebnis e;
    e.art = Dateiart::GeoJson;
    if (!gelesen || zuGross) {
        e.grund = zuGross ? Lesegrund::ZuGross : Lesegrund::Lesefehler;
        return e;
    }
    return leseGeoJsonText(daten.data(), daten.size(), nimm);
}

}  // namespace quadrix
