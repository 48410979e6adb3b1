// Positions and lengths as people write them, and degrees as the program
// writes them: the one length reader, the one writer of degrees, minutes
// and seconds.
#include "position/gms.h"
#include "position/meter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// One reader of lengths for the options and the tables' columns: "30 mm"
// was read as 30 m in a table, "5 km" refused there and taken by the option.
TEST(Meter, OneReaderOfLengths)
{
    using F = quadrix::MeterFehler;
    const struct { const char* text; F fehler; double meter; } faelle[] = {
        {"30", F::Keine, 30},        {"30 m", F::Keine, 30},     {"30m", F::Keine, 30},
        {"12,5m", F::Keine, 12.5},   {"12.5 m", F::Keine, 12.5}, {" 0,5 ", F::Keine, 0.5},
        {"1,5 km", F::Keine, 1500},  {"5km", F::Keine, 5000},    {"10000 km", F::Keine, 1e7},
        {"30 mm", F::Einheit, 0},    {"30 cm", F::Einheit, 0},   {"2 ft", F::Einheit, 0},
        {"30 M", F::Einheit, 0},     {"m", F::KeineZahl, 0},     {"", F::KeineZahl, 0},
        {"-5", F::KeineZahl, 0},     {"1e3", F::Einheit, 0},     {"1,5,0", F::KeineZahl, 0},
        {"0", F::Bereich, 0},        {"10001 km", F::Bereich, 0},
    };
    for (const auto& f : faelle) {
        double m = 0;
        EXPECT_EQ(quadrix::leseMeter(f.text, m), f.fehler) << f.text;
        if (f.fehler == F::Keine) {
            EXPECT_DOUBLE_EQ(m, f.meter) << f.text;
        }
    }
}

// The box texts and the message form of whole seconds: two-digit minutes
// and seconds, no-break spaces inside a coordinate, rounding never wraps.
TEST(Gms, WholeSecondsAsTextAndForTheBoxes)
{
    const std::string nbsp = "\xc2\xa0";
    const struct {
        std::int64_t sekunden;
        const char *grad, *min, *sek;
    } felder[] = {
        {180440, "50", "07", "20"}, {0, "0", "00", "00"}, {3599, "0", "59", "59"},
        {3600, "1", "00", "00"},    {31290, "8", "41", "30"}, {324000, "90", "00", "00"},
    };
    for (const auto& f : felder) {
        const quadrix::GmsTexte t = quadrix::felder(f.sekunden);
        EXPECT_EQ(t.grad, f.grad) << f.sekunden;
        EXPECT_EQ(t.min, f.min) << f.sekunden;
        EXPECT_EQ(t.sek, f.sek) << f.sekunden;
    }
    EXPECT_EQ(quadrix::punktLesbar(180440, 31290), "50\xc2\xb0" + nbsp + "07\xe2\x80\xb2" + nbsp + "20\xe2\x80\xb3" + nbsp +
                                                     "N, 8\xc2\xb0" + nbsp + "41\xe2\x80\xb2" + nbsp + "30\xe2\x80\xb3" +
                                                     nbsp + "O");
    EXPECT_EQ(quadrix::gmsLesbar(3599, 'N'), "0\xc2\xb0" + nbsp + "59\xe2\x80\xb2" + nbsp + "59\xe2\x80\xb3" + nbsp + "N");
    EXPECT_EQ(quadrix::gms("50", "07", "20", 'N'), "50\xc2\xb0" "07'20\"N");
    EXPECT_EQ(quadrix::gms(3007.5), "50\xc2\xb0" "07'30\"");
}

}  // namespace
