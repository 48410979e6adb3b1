// The module's functions of positions read and of cells: read, cell,
// outline, grid_cells.
#include "cells/texte.h"
#include "python/modul.h"
#include "tables/satzleser.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace py = pybind11;
using namespace quadrix;

namespace {

using quadrix::python::formVon;

const char* datumKurz(Datum d)
{
    switch (d) {
    case Datum::Potsdam: return "potsdam";
    case Datum::Etrs89: return "etrs89";
    case Datum::Wgs84: return "wgs84";
    case Datum::Auto: break;
    }
    return "auto";
}

py::dict lies(const std::vector<std::string>& texte, const std::string& datum)
{
    Datum d;
    if (!datumNamens(datum, d))
        throw py::value_error(reihen::text(reihen::Wahlfehler::Datum));
    const std::size_t n = texte.size();
    py::array_t<double> b(static_cast<py::ssize_t>(n)), l(static_cast<py::ssize_t>(n));
    py::list datums, gruende;
    for (std::size_t i = 0; i < n; ++i) {
        const reihen::Gelesen g = reihen::lies(texte[i], d);
        const bool gelesen = g.grund.keiner();
        b.mutable_at(i) = gelesen ? g.breite : NAN;
        l.mutable_at(i) = gelesen ? g.laenge : NAN;
        datums.append(gelesen ? py::object(py::str(datumKurz(g.datum))) : py::object(py::none()));
        gruende.append(gelesen ? py::object(py::none()) : py::object(py::str(text(g.grund))));
    }
    py::dict r;
    r["lat"] = b;
    r["lon"] = l;
    r["datum"] = datums;
    r["reason"] = gruende;
    return r;
}

std::optional<Gitter> gitterVon(const std::optional<std::string>& name)
{
    if (!name)
        return std::nullopt;
    Gitter g;
    if (!gitterNamens(*name, g))
        throw py::value_error(reihen::text(reihen::Wahlfehler::Gitter));
    return g;
}

py::dict zellen(const std::vector<std::string>& codes, const std::optional<std::string>& grid)
{
    const std::optional<Gitter> g = gitterVon(grid);
    const std::size_t n = codes.size();
    const char* namen[] = {"sw_lat", "sw_lon", "se_lat", "se_lon", "ne_lat", "ne_lon",
                           "nw_lat", "nw_lon", "center_lat", "center_lon"};
    std::vector<py::array_t<double>> spalten;
    for (int k = 0; k < 10; ++k)
        spalten.emplace_back(static_cast<py::ssize_t>(n));
    py::list geschrieben, datums, gruende;
    for (std::size_t i = 0; i < n; ++i) {
        const reihen::Zelle z = reihen::zelle(codes[i], g ? &*g : nullptr, false);
        const bool gelesen = z.grund.keiner();
        const Grad2 p[5] = {z.ecken[0], z.ecken[1], z.ecken[2], z.ecken[3], z.mitte};
        for (int k = 0; k < 5; ++k) {
            spalten[2 * k].mutable_at(i) = gelesen ? p[k].breite : NAN;
            spalten[2 * k + 1].mutable_at(i) = gelesen ? p[k].laenge : NAN;
        }
        geschrieben.append(gelesen ? py::object(py::str(z.code)) : py::object(py::none()));
        datums.append(gelesen ? py::object(py::str(z.umriss.aufPotsdam() ? "potsdam" : "etrs89"))
                              : py::object(py::none()));
        gruende.append(gelesen ? py::object(py::none()) : py::object(py::str(text(z.grund))));
    }
    py::dict r;
    r["code"] = geschrieben;
    r["datum"] = datums;
    for (int k = 0; k < 10; ++k)
        r[namen[k]] = spalten[k];
    r["reason"] = gruende;
    return r;
}

py::list umriss(const std::string& code, const std::optional<std::string>& grid)
{
    const std::optional<Gitter> g = gitterVon(grid);
    const reihen::Zelle z = reihen::zelle(code, g ? &*g : nullptr, true);
    if (!z.grund.keiner())
        throw py::value_error(code + ": " + text(z.grund));
    py::list punkte;
    for (const Grad2& p : z.rand)
        punkte.append(py::make_tuple(p.breite, p.laenge));
    return punkte;
}

py::list netz(double sued, double west, double nord, double ost, int level, const std::string& grid,
              const std::string& notation, std::size_t limit)
{
    reihen::Wahl w;
    w.gitter = grid;
    w.notation = notation;
    w.ebenen = level;
    const Ausgabeform f = formVon(w);
    if (f.gitter != Gitter::Mtb && f.gitter != Gitter::Minutenfeld)
        throw py::value_error("ein Netz gibt es für mtb und minutenfeld");
    bool zuViele = false;
    const auto zellen = reihen::netz(sued, west, nord, ost, f.gitter, f.ebenen, f.notation, limit, zuViele);
    if (zuViele)
        throw py::value_error("mehr als " + std::to_string(limit) + " Zellen in diesem Ausschnitt");
    py::list codes;
    for (const Umriss& u : zellen)
        codes.append(py::str(u.code));
    return codes;
}

}  // namespace

namespace quadrix::python {

void zellenAnmelden(py::module_& m)
{
    m.def("read", &lies, py::arg("texts"), py::arg("datum") = "auto");
    m.def("cell", &zellen, py::arg("codes"), py::arg("grid") = py::none());
    m.def("outline", &umriss, py::arg("code"), py::arg("grid") = py::none());
    m.def("grid_cells", &netz, py::arg("south"), py::arg("west"), py::arg("north"), py::arg("east"),
          py::arg("level") = 5, py::arg("grid") = "mtb", py::arg("notation") = "slash",
          py::arg("limit") = 1000000);
}

}  // namespace quadrix::python
