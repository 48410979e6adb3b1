// mtbq's options, once: the parser, the option list of --help and the bash
// completion all come from this table, so that they cannot drift apart.
// (The man page is written by hand; a test checks that it names the same
// options.)
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace mtbq {

enum class Opt {
    Grid, Levels, Precision, Uncertainty, Zone, LongForm, ShortSheet, Notation, Batch, Columns, Cell, Datum, Verbose,
    GeoJson, Cells, Svg, Raster, Untransformed, Bbox, Dwc, Export, Excel, Check, Track, ClockOffset, Timezone, MaxGap, Help, Version,
};

struct Option {
    Opt id;
    std::string_view name;   // "--grid"
    std::string_view alias;  // the German name of earlier releases; empty: none
    // Takes a value: "--grid utm" or "--grid=utm". --cell and --svg take
    // theirs by their own rule; the file lists of the modes are arguments.
    bool wert;
    std::string_view argument;  // how the help names what follows: "NAME", "[DATEI...]"
    std::string_view werte;     // the words completed after it; empty: none (or files, without a value)
    // The help's text, its lines joined by '\n' (each line at most 57
    // columns: the list indents them by 22).
    std::string_view hilfe;
    std::string_view zeigeAls = {};  // the help's heading where it is not name and argument
};

std::span<const Option> optionen();
// By name or alias; nullptr for none.
const Option* optionNamens(std::string_view name);

// The option list of --help: heading, then the text indented.
std::string optionenHilfe();
// The sentence naming the German aliases, wrapped as the help is.
std::string aliasHilfe();
// The bash completion script (installed with the Debian package).
std::string bashVervollstaendigung();

}  // namespace mtbq
