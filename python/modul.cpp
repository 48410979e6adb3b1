// The Python module's native half: whole NumPy columns through the library
// at once, the GIL released while the library works. quadrix/__init__.py
// turns pandas Series into arrays and back.
#include "cells/texte.h"
#include "python/modul.h"
#include "reihen/reihen.h"
#include "tables/satzleser.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace py = pybind11;
using namespace quadrix;

namespace quadrix::python {

Ausgabeform formVon(const reihen::Wahl& w)
{
    Ausgabeform f;
    if (const reihen::Wahlfehler fehler = reihen::form(w, f); fehler != reihen::Wahlfehler::Keine)
        throw py::value_error(reihen::text(fehler));
    // The BETA2007 grid, read once per process when a point first needs it.
    static const std::unique_ptr<Transformation> umrechnung = Transformation::beiBedarf();
    f.transformation = umrechnung.get();
    return f;
}

}  // namespace quadrix::python

namespace {

using quadrix::python::formVon;
using Spalte = py::array_t<double, py::array::c_style | py::array::forcecast>;

reihen::Wahl wahl(const std::string& grid, const std::string& datum, std::optional<int> levels,
                  const std::string& notation, std::optional<double> precision, std::optional<double> uncertainty,
                  int zone, bool longForm)
{
    reihen::Wahl w;
    w.gitter = grid;
    w.datum = datum;
    w.notation = notation;
    // Given, they must be what mtbq takes; 0 and -1 mean "not given" to the form.
    if (levels && (*levels < 0 || *levels > 5))
        throw py::value_error(reihen::text(reihen::Wahlfehler::Ebenen));
    if (precision && !(*precision > 0))
        throw py::value_error(reihen::text(reihen::Wahlfehler::Genauigkeit));
    if (uncertainty && !(*uncertainty > 0))
        throw py::value_error(reihen::text(reihen::Wahlfehler::Unsicherheit));
    w.ebenen = levels ? *levels : -1;
    w.genauigkeit = precision.value_or(0);
    w.unsicherheit = uncertainty.value_or(0);
    w.zone = zone;
    w.langform = longForm;
    return w;
}

// Python's str of an ASCII code, without decoding it.
PyObject* ascii(std::string_view s)
{
    for (unsigned char c : s)
        if (c >= 0x80)
            return PyUnicode_FromStringAndSize(s.data(), static_cast<Py_ssize_t>(s.size()));
    PyObject* o = PyUnicode_New(static_cast<Py_ssize_t>(s.size()), 127);
    if (o)
        std::memcpy(PyUnicode_DATA(o), s.data(), s.size());
    return o;
}

// Pieces of a column coded side by side, in order.
using Stuecke = std::vector<reihen::Codes>;

std::size_t anzahl(const Stuecke& s)
{
    std::size_t n = 0;
    for (const auto& c : s)
        n += c.size();
    return n;
}

// Runs arbeit(k, von, bis) for the pieces of [0, n) in threads, the GIL released.
template <class Arbeit>
void nebeneinander(std::size_t n, std::size_t faeden, Arbeit arbeit)
{
    // Below this many values a thread costs more than it saves.
    constexpr std::size_t Mindestens = 20000;
    faeden = std::max<std::size_t>(1, std::min(faeden, n / Mindestens));
    py::gil_scoped_release frei;
    std::vector<std::thread> laeufe;
    for (std::size_t k = 1; k < faeden; ++k)
        laeufe.emplace_back(arbeit, k, n * k / faeden, n * (k + 1) / faeden);
    arbeit(0, 0, n / faeden);
    for (auto& t : laeufe)
        t.join();
}

// Codes as a NumPy str array, '' where refused (NumPy's strings have no
// missing value): filled in the threads that coded them.
py::array alsUnicode(const Stuecke& s, std::size_t faeden)
{
    std::size_t breite = 1;
    for (const auto& c : s)
        for (std::size_t i = 0; i < c.size(); ++i)
            breite = std::max(breite, c.code(i).size());
    const std::size_t n = anzahl(s);
    py::array codes(py::dtype("<U" + std::to_string(breite)), std::vector<py::ssize_t>{static_cast<py::ssize_t>(n)});
    auto* ziel = static_cast<char32_t*>(codes.mutable_data());
    std::vector<std::size_t> anfang(s.size() + 1, 0);
    for (std::size_t k = 0; k < s.size(); ++k)
        anfang[k + 1] = anfang[k] + s[k].size();
    auto fuelle = [&](std::size_t k) {
        const reihen::Codes& c = s[k];
        char32_t* z = ziel + anfang[k] * breite;
        for (std::size_t i = 0; i < c.size(); ++i, z += breite) {
            const std::string_view t = c.grund[i].keiner() ? c.code(i) : std::string_view{};
            std::size_t j = 0;
            for (; j < t.size(); ++j)
                z[j] = static_cast<unsigned char>(t[j]);  // codes are ASCII
            for (; j < breite; ++j)
                z[j] = 0;
        }
    };
    {
        py::gil_scoped_release frei;
        std::vector<std::thread> laeufe;
        for (std::size_t k = 1; k < s.size() && faeden > 1; ++k)
            laeufe.emplace_back(fuelle, k);
        fuelle(0);
        if (faeden <= 1)
            for (std::size_t k = 1; k < s.size(); ++k)
                fuelle(k);
        for (auto& t : laeufe)
            t.join();
    }
    return codes;
}

// Codes as an object array: str, None where refused.
py::array alsObjekte(const Stuecke& s)
{
    const std::size_t n = anzahl(s);
    py::array codes(py::dtype("O"), std::vector<py::ssize_t>{static_cast<py::ssize_t>(n)});
    auto** z = static_cast<PyObject**>(codes.mutable_data());
    for (const auto& c : s)
        for (std::size_t i = 0; i < c.size(); ++i, ++z) {
            PyObject* o = Py_None;
            if (!c.grund[i].keiner() || c.code(i).empty())
                Py_INCREF(o);
            else if (!(o = ascii(c.code(i))))
                throw py::error_already_set();
            Py_XDECREF(*z);
            *z = o;
        }
    return codes;
}

// The reasons as an object array: None where there is a code.
py::array gruende(const Stuecke& s)
{
    py::array warum(py::dtype("O"), std::vector<py::ssize_t>{static_cast<py::ssize_t>(anzahl(s))});
    auto** z = static_cast<PyObject**>(warum.mutable_data());
    std::unordered_map<const char*, py::object> texte;
    for (const auto& c : s)
        for (std::size_t i = 0; i < c.size(); ++i, ++z) {
            py::object o = py::none();
            if (!c.grund[i].keiner()) {
                const char* t = text(c.grund[i]);
                auto [it, neu] = texte.try_emplace(t);
                if (neu)
                    it->second = py::str(t);
                o = it->second;
            }
            Py_XDECREF(*z);
            *z = o.release().ptr();
        }
    return warum;
}

py::object ergebnis(const Stuecke& s, bool objekte, bool reasons, std::size_t faeden)
{
    py::object codes = objekte ? py::object(alsObjekte(s)) : py::object(alsUnicode(s, faeden));
    if (!reasons)
        return codes;
    return py::make_tuple(codes, gruende(s));
}

std::size_t faedenVon(std::optional<int> threads)
{
    if (threads && *threads < 1)
        throw py::value_error("threads nimmt eine Zahl ab 1");
    return threads ? static_cast<std::size_t>(*threads) : std::max(1u, std::thread::hardware_concurrency());
}

// Reasons given sparsely, piece by piece, as an object array: None where there is a code.
py::array gruendeAus(std::size_t n, const std::vector<std::vector<std::pair<std::size_t, const char*>>>& abgelehnt)
{
    py::array warum(py::dtype("O"), std::vector<py::ssize_t>{static_cast<py::ssize_t>(n)});
    auto** z = static_cast<PyObject**>(warum.mutable_data());
    for (std::size_t i = 0; i < n; ++i) {
        Py_XDECREF(z[i]);
        z[i] = Py_None;
        Py_INCREF(Py_None);
    }
    std::unordered_map<const char*, py::object> texte;
    for (const auto& stueck : abgelehnt)
        for (const auto& [i, grund] : stueck) {
            auto [it, neu] = texte.try_emplace(grund);
            if (neu)
                it->second = py::str(grund);
            Py_XDECREF(z[i]);
            z[i] = py::object(it->second).release().ptr();
        }
    return warum;
}

py::object code(Spalte lat, Spalte lon, std::optional<Spalte> radius, const std::string& grid,
                const std::string& datum, std::optional<int> levels, const std::string& notation,
                std::optional<double> precision, std::optional<double> uncertainty, int zone, bool longForm,
                bool reasons, bool objects, std::optional<int> threads)
{
    const Ausgabeform form = formVon(wahl(grid, datum, levels, notation, precision, uncertainty, zone, longForm));
    if (lat.ndim() != 1 || lon.ndim() != 1 || lat.size() != lon.size() || (radius && radius->size() != lat.size()))
        throw py::value_error("lat, lon und uncertainty müssen gleich lange eindimensionale Spalten sein");
    const std::size_t n = static_cast<std::size_t>(lat.size()), faeden = faedenVon(threads);
    const double *b = lat.data(), *l = lon.data(), *r = radius ? radius->data() : nullptr;
    if (!objects) {
        // Straight into the NumPy array, slot by slot, in the threads that code.
        const std::size_t breite = reihen::hoechsteLaenge(form);
        py::array codes(py::dtype("<U" + std::to_string(breite)),
                        std::vector<py::ssize_t>{static_cast<py::ssize_t>(n)});
        auto* ziel = static_cast<char32_t*>(codes.mutable_data());
        std::vector<std::vector<std::pair<std::size_t, const char*>>> abgelehnt(faeden);
        std::atomic<bool> zuLang{false};
        nebeneinander(n, faeden, [&](std::size_t k, std::size_t von, std::size_t bis) {
            reihen::Kodierer kodierer(form);
            std::string c[2];
            Zeilenfehler grund[2];
            auto setze = [&](std::size_t i, std::string& code, const Zeilenfehler& f) {
                if (!f.keiner())
                    abgelehnt[k].emplace_back(i, text(f));
                if (code.size() > breite) {
                    zuLang = true;
                    code.clear();
                }
                char32_t* z = ziel + i * breite;
                std::size_t j = 0;
                for (; j < code.size(); ++j)
                    z[j] = static_cast<unsigned char>(code[j]);  // codes are ASCII
                for (; j < breite; ++j)
                    z[j] = 0;
            };
            const double ohne[2] = {NAN, NAN};
            std::size_t i = von;
            for (; i + 1 < bis; i += 2) {  // two at a time: their transformations overlap
                kodierer.zwei(b + i, l + i, r ? r + i : ohne, c, grund);
                setze(i, c[0], grund[0]);
                setze(i + 1, c[1], grund[1]);
            }
            if (i < bis) {
                grund[0] = kodierer.code(b[i], l[i], r ? r[i] : NAN, c[0]);
                setze(i, c[0], grund[0]);
            }
        });
        if (!zuLang) {
            if (!reasons)
                return codes;
            return py::make_tuple(codes, gruendeAus(n, abgelehnt));
        }
        // A code longer than its grid's longest: the way through whole pieces.
    }
    Stuecke s(std::max<std::size_t>(1, std::min(faeden, n / 20000)));
    nebeneinander(n, faeden, [&](std::size_t k, std::size_t von, std::size_t bis) {
        reihen::codiere(b + von, l + von, r ? r + von : nullptr, bis - von, form, s[k]);
    });
    return ergebnis(s, objects, reasons, faeden);
}

py::object codeText(const std::vector<std::string>& texte, const std::string& grid, const std::string& datum,
                    std::optional<int> levels, const std::string& notation, std::optional<double> precision,
                    std::optional<double> uncertainty, int zone, bool longForm, bool reasons, bool objects)
{
    const Ausgabeform form = formVon(wahl(grid, datum, levels, notation, precision, uncertainty, zone, longForm));
    std::vector<std::string_view> t(texte.begin(), texte.end());
    Stuecke s(1);
    {
        py::gil_scoped_release frei;
        reihen::codiereTexte(t.data(), t.size(), form, s[0]);
    }
    return ergebnis(s, objects, reasons, 1);
}

}  // namespace

PYBIND11_MODULE(_quadrix, m)
{
    m.doc() = "MTB-Codes und andere Gitter, wie mtbq sie gibt";
    m.def("code", &code, py::arg("lat"), py::arg("lon"), py::arg("radius") = py::none(), py::arg("grid") = "mtb",
          py::arg("datum") = "auto", py::arg("levels") = py::none(), py::arg("notation") = "slash",
          py::arg("precision") = py::none(), py::arg("uncertainty") = py::none(), py::arg("zone") = 0,
          py::arg("long_form") = false, py::arg("reasons") = false, py::arg("objects") = false,
          py::arg("threads") = py::none());
    m.def("code_text", &codeText, py::arg("texts"), py::arg("grid") = "mtb", py::arg("datum") = "auto",
          py::arg("levels") = py::none(), py::arg("notation") = "slash", py::arg("precision") = py::none(),
          py::arg("uncertainty") = py::none(), py::arg("zone") = 0, py::arg("long_form") = false,
          py::arg("reasons") = false, py::arg("objects") = false);
    python::zellenAnmelden(m);
}
