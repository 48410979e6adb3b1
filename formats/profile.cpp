// The profiles' columns: each row of Ausfuhrtafel in the table its portal
// takes, and the workbook through libxlsxwriter.
#include "formats/ausfuhr.h"

#include "cells/gitter.h"
#include "position/code.h"
#include "records/fundortformat.h"
#include "tables/tabelle.h"

#include <xlsxwriter.h>

#include <atomic>
#include <cstdlib>
#include <ctime>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace quadrix {

extern const char* const DwcSpalten[];

namespace {

struct Profilart {
    Profil profil;
    std::string_view name;
    Notation notation;
    int ebenen;
};
constexpr Profilart Profile[] = {
    {Profil::Dwc, "dwc", Notation::Schraeg, 5},          {Profil::Multibase, "multibase", Notation::Schraeg, 5},
    {Profil::Recorder, "recorder", Notation::Schraeg, 5}, {Profil::Colkat, "colkat", Notation::Schraeg, 5},
    {Profil::Indicia, "indicia", Notation::Kompakt, 3},   {Profil::Xlsx, "xlsx", Notation::Schraeg, 5},
};

const Profilart& art(Profil p) { return Profile[static_cast<int>(p)]; }

// The columns of each profile, as its portal names them.
const std::vector<std::string_view>& titel(Profil p)
{
    static const std::vector<std::string_view> t[] = {
        {},
        {"Fundort", "MTB", "Quadrant", "Teilquadrant", "Toleranz", "Breite", "Länge"},
        {"Fundort", "MTB/Q", "Breite", "Länge", "Genauigkeit"},
        {"Fundort", "Gemeinde", "MTB", "Breite", "Länge", "Genauigkeit"},
        {"sample:location_name", "sample:entered_sref", "sample:entered_sref_system"},
        {"Fundort", "MTB", "Breite", "Länge", "Genauigkeit (m)"},
    };
    return t[static_cast<int>(p)];
}

// MultiBaseCS's fixed list of tolerances, in metres.
std::string toleranz(std::string_view meter)
{
    const long m = std::strtol(std::string(meter).c_str(), nullptr, 10);
    for (long stufe : {10L, 50L, 100L, 500L, 1000L, 5000L, 10000L})
        if (m <= stufe)
            return std::to_string(stufe);
    return ">10000";
}

std::string komma(std::string s)
{
    for (char& c : s)
        c = c == '.' ? ',' : c;
    return s;
}

bool ansi(Profil p) { return p == Profil::Multibase || p == Profil::Recorder; }
char trenner(const Ausfuhrform& f)
{
    switch (f.profil) {
    case Profil::Dwc: return f.excel ? ';' : ',';
    case Profil::Multibase:
    case Profil::Colkat: return ';';
    default: return ',';
    }
}

}  // namespace

std::optional<Profil> profilNamens(std::string_view name)
{
    for (const Profilart& a : Profile)
        if (a.name == name)
            return a.profil;
    return std::nullopt;
}
std::string_view name(Profil p) { return art(p).name; }
Notation notation(Profil p) { return art(p).notation; }
int ebenen(Profil p) { return art(p).ebenen; }

void Ausfuhrtafel::kopf()
{
    std::vector<std::string> k;
    if (m_form.profil == Profil::Dwc)
        k.assign(DwcSpalten, DwcSpalten + 14);
    else
        for (std::string_view t : titel(m_form.profil))
            k.emplace_back(t);
    if (m_form.mitZeit)
        k.emplace_back(m_form.profil == Profil::Dwc ? "eventDate" : "Zeit");
    if (m_form.profil == Profil::Xlsx) {
        m_blatt.push_back(std::move(k));
        return;
    }
    std::string& t = m_aus.text();
    if (m_form.profil == Profil::Dwc && m_form.excel)
        t += Utf8Marke;
    reihe(k);
}

void Ausfuhrtafel::zeile(const std::string (&f)[14], const Umriss& zelle, std::string_view zeit)
{
    const Profil p = m_form.profil;
    // The code in the profile's notation; a cell reaching beyond its sheet keeps its mark.
    std::string code;
    const bool ueber = !zelle.code.empty() && zelle.code.back() == UeberDasBlatt;
    const Notation n = m_form.notation.value_or(notation(p));
    schreibeCode(code, zelle.mtbCode, ueber ? 0 : zelle.ebenen, n);
    if (ueber)
        code += UeberDasBlatt;
    std::vector<std::string> z;
    const bool dezimalkomma = p == Profil::Multibase || p == Profil::Colkat || (p == Profil::Dwc && m_form.excel);
    const std::string breite = dezimalkomma ? komma(f[6]) : f[6], laenge = dezimalkomma ? komma(f[7]) : f[7];
    switch (p) {
    case Profil::Dwc:
        z.assign(f, f + 14);
        z[6] = breite;
        z[7] = laenge;
        z[13] = code;
        break;
    case Profil::Multibase: {
        std::string blatt, quadrant, teil;
        schreibeCode(blatt, zelle.mtbCode, 0, Notation::Kompakt);
        if (ueber)
            blatt += UeberDasBlatt;
        for (int i = 0; !ueber && i < zelle.ebenen; ++i)
            (i ? teil : quadrant) += static_cast<char>('0' + zelle.mtbCode.quadranten[i]);
        z = {f[0], blatt, quadrant, teil, toleranz(f[9]), breite, laenge};
        break;
    }
    case Profil::Recorder: z = {f[0], code, breite, laenge, f[9]}; break;
    case Profil::Colkat: z = {f[0], "", code, breite, laenge, f[9]}; break;
    case Profil::Indicia: z = {f[0], code, "mtbqqq"}; break;
    case Profil::Xlsx: z = {f[0], code, breite, laenge, f[9]}; break;
    }
    if (m_form.mitZeit)
        z.emplace_back(zeit);
    if (p == Profil::Xlsx)
        m_blatt.push_back(std::move(z));
    else
        reihe(z);
}

// One row of text cells, as the profile writes them.
void Ausfuhrtafel::reihe(const std::vector<std::string>& z)
{
    std::string& t = m_aus.text();
    const char tr = trenner(m_form);
    const bool ganzInAnfuehrung = m_form.profil == Profil::Recorder;
    for (std::size_t i = 0; i < z.size(); ++i) {
        if (i)
            t += tr;
        const std::string zelle = ansi(m_form.profil) ? fundort::zuCp1252(z[i]) : z[i];
        if (ganzInAnfuehrung) {
            t += '"';
            for (char c : zelle)
                t += c == '"' ? std::string("\"\"") : std::string(1, c);
            t += '"';
        } else {
            zelleAnhaengen(t, zelle, tr);
        }
    }
    t += "\r\n";
}

bool Ausfuhrtafel::schluss()
{
    if (m_form.profil == Profil::Xlsx) {
        const std::string bytes = xlsxBytes(m_blatt, {false, false, true, true, true}, m_mappenfehler);
        if (bytes.empty())
            return false;
        m_aus.text() += bytes;
    }
    return m_aus.leeren();
}

std::string xlsxBytes(const std::vector<std::vector<std::string>>& zeilen, const std::vector<bool>& zahlenspalten,
                      Mappenfehler& fehler)
{
    namespace fs = std::filesystem;
    static std::atomic<unsigned> zaehler{0};
    std::error_code ec;
    fehler = Mappenfehler::Anlegen;
    // Never a file in the current folder: without a folder for temporary files, no workbook.
    const fs::path ordner = fs::temp_directory_path(ec);
    if (ec || ordner.empty())
        return {};
    const auto jetzt = std::chrono::steady_clock::now().time_since_epoch().count();
    const fs::path datei = ordner / ("quadrix-" + std::to_string(jetzt) + "-" + std::to_string(zaehler++) + ".xlsx");

    lxw_workbook_options optionen{};
    const std::string tmp = ordner.string();
    optionen.tmpdir = const_cast<char*>(tmp.c_str());
    lxw_workbook* buch = workbook_new_opt(datei.string().c_str(), &optionen);
    if (!buch)
        return {};
    // The date of the workbook: now, or SOURCE_DATE_EPOCH where set (reproducible output).
    lxw_doc_properties eigenschaften{};
    eigenschaften.title = const_cast<char*>("Funde");
    eigenschaften.author = const_cast<char*>("Quadrix");
    if (const char* epoche = std::getenv("SOURCE_DATE_EPOCH"))
        eigenschaften.created = static_cast<time_t>(std::strtoll(epoche, nullptr, 10));
    workbook_set_properties(buch, &eigenschaften);
    lxw_worksheet* blatt = workbook_add_worksheet(buch, "Funde");
    lxw_format* fett = workbook_add_format(buch);
    format_set_bold(fett);
    for (std::size_t r = 0; r < zeilen.size(); ++r)
        for (std::size_t s = 0; s < zeilen[r].size(); ++s) {
            const std::string& w = zeilen[r][s];
            const auto zr = static_cast<lxw_row_t>(r);
            const auto zs = static_cast<lxw_col_t>(s);
            char* ende = nullptr;
            const double zahl = std::strtod(w.c_str(), &ende);
            if (r > 0 && s < zahlenspalten.size() && zahlenspalten[s] && !w.empty() && ende && *ende == '\0')
                worksheet_write_number(blatt, zr, zs, zahl, nullptr);
            else if (!w.empty())
                worksheet_write_string(blatt, zr, zs, w.c_str(), r == 0 ? fett : nullptr);
        }
    worksheet_set_column(blatt, 0, 0, 28, nullptr);
    worksheet_set_column(blatt, 1, 1, 16, nullptr);
    worksheet_set_column(blatt, 2, 4, 13, nullptr);
    const lxw_error e = workbook_close(buch);
    std::string bytes;
    fehler = Mappenfehler::Schreiben;
    if (e == LXW_NO_ERROR) {
        std::ifstream ein(datei, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(ein), {});
        // A workbook is a zip archive: anything shorter was not read whole.
        fehler = ein.bad() || bytes.size() < 22 ? Mappenfehler::Zuruecklesen : Mappenfehler::Keiner;
    }
    fs::remove(datei, ec);
    if (fehler != Mappenfehler::Keiner)
        bytes.clear();
    return bytes;
}

}  // namespace quadrix
