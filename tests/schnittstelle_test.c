/* The C interface as a program in another language meets it: the shared
 * library loaded at run time by its path (as ctypes loads it), its functions
 * looked up by name, and each answer checked against mtbq's for the same
 * input. Runs on Linux and, with the DLL, under Wine. Exit 1 on any fault. */
#include "schnittstelle/quadrix.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

typedef void (*Roh)(void);

#ifdef _WIN32
#include <windows.h>
#define LADE(p) (void*)LoadLibraryA(p)
static Roh SUCHE(void* b, const char* n) { return (Roh)GetProcAddress((HMODULE)b, n); }
#else
#include <dlfcn.h>
#define LADE(p) dlopen(p, RTLD_NOW | RTLD_LOCAL)
/* dlsym gives an object pointer; ISO C converts it to a function's only by its bytes. */
static Roh SUCHE(void* b, const char* n)
{
    void* p = dlsym(b, n);
    Roh f;
    memcpy(&f, &p, sizeof f);
    return f;
}
#endif

static int fehler = 0;

static void pruefe(int gut, const char* was, const char* bekommen)
{
    if (!gut) {
        printf("FEHLER: %s (bekommen: %s)\n", was, bekommen ? bekommen : "NULL");
        ++fehler;
    }
}

typedef int (*Version)(void);
typedef qx_lauf* (*Neu)(const char*, const char*);
typedef void (*Frei)(qx_lauf*);
typedef const char* (*Fehler)(const qx_lauf*);
typedef size_t (*Codes)(qx_lauf*, size_t, const double*, const double*, const double*);
typedef size_t (*CodesTexte)(qx_lauf*, size_t, const char* const*);
typedef size_t (*Netz)(qx_lauf*, double, double, double, double, size_t);
typedef const char* (*Text)(const qx_lauf*, size_t);
typedef size_t (*ZelleF)(qx_lauf*, const char*, double*, size_t, double*, int*);

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "Aufruf: schnittstelle_test BIBLIOTHEK GITTERORDNER\n");
        return 2;
    }
    void* b = LADE(argv[1]);
    if (!b) {
        printf("FEHLER: %s lädt nicht\n", argv[1]);
        return 1;
    }
    Version version = (Version)SUCHE(b, "qx_version");
    Neu neu = (Neu)SUCHE(b, "qx_neu");
    Frei frei = (Frei)SUCHE(b, "qx_frei");
    Fehler fehlerText = (Fehler)SUCHE(b, "qx_fehler");
    Codes codes = (Codes)SUCHE(b, "qx_codes");
    CodesTexte texte = (CodesTexte)SUCHE(b, "qx_codes_texte");
    Netz netz = (Netz)SUCHE(b, "qx_netz");
    Text code = (Text)SUCHE(b, "qx_code"), grund = (Text)SUCHE(b, "qx_grund");
    ZelleF zelle = (ZelleF)SUCHE(b, "qx_zelle");
    if (!version || !neu || !frei || !fehlerText || !codes || !texte || !netz || !code || !grund || !zelle) {
        printf("FEHLER: nicht jede Funktion ist exportiert\n");
        return 1;
    }
    pruefe(version() == QX_VERSION, "qx_version", NULL);

    /* Points, each with mtbq's answer for the same options. */
    static const struct {
        const char* optionen;
        double breite, laenge, radius;
        const char* erwartet;  /* "" where mtbq refuses it */
    } punkte[] = {
        {"datum=wgs84", 50.12222, 8.69167, NAN, "5818/3/3/2/1/1"},
        {"", 50.12222, 8.69167, NAN, "5818/3/3/2/1/1"}, /* auto: decimal degrees are WGS84 */
        {"datum=wgs84", 50.12222, 8.69167, 100, "5818/3/3/2/1"},
        {"datum=etrs89;levels=3", 52.5, 13.4, NAN, "3446/3/4/4"},
        {"grid=eea1km;datum=wgs84", 50.12222, 8.69167, NAN, "1kmE4227N3001"},
        {"grid=utm", 50.12222, 8.69167, NAN, "32U 477958 5552265"},
        {"datum=wgs84", 40.0, 8.0, NAN, ""},
        {"datum=wgs84", -50.0, 8.0, NAN, ""},
        {"datum=wgs84", NAN, 8.0, NAN, ""},
    };
    for (size_t i = 0; i < sizeof punkte / sizeof punkte[0]; ++i) {
        qx_lauf* l = neu(punkte[i].optionen, argv[2]);
        pruefe(l && !*fehlerText(l), punkte[i].optionen, l ? fehlerText(l) : NULL);
        const double r = punkte[i].radius;
        const size_t mit = codes(l, 1, &punkte[i].breite, &punkte[i].laenge, isnan(r) ? NULL : &r);
        pruefe(strcmp(code(l, 0), punkte[i].erwartet) == 0, punkte[i].erwartet, code(l, 0));
        pruefe(mit == (*punkte[i].erwartet ? 1u : 0u), "Anzahl der Codes", code(l, 0));
        pruefe(*punkte[i].erwartet ? !*grund(l, 0) : strlen(grund(l, 0)) > 10, "Grund", grund(l, 0));
        pruefe(code(l, 1) == NULL && grund(l, 1) == NULL, "jenseits der Ergebnisse", code(l, 1));
        frei(l);
    }

    /* The same points in one call (coded two at a time inside): each as alone. */
    {
        double b[16], la[16], r[16];
        const char* erwartet[16];
        size_t n = 0;
        for (size_t i = 0; i < sizeof punkte / sizeof punkte[0]; ++i)
            if (strcmp(punkte[i].optionen, "datum=wgs84") == 0) {
                b[n] = punkte[i].breite;
                la[n] = punkte[i].laenge;
                r[n] = punkte[i].radius;
                erwartet[n++] = punkte[i].erwartet;
            }
        qx_lauf* l = neu("datum=wgs84", argv[2]);
        codes(l, n, b, la, r);
        for (size_t i = 0; i < n; ++i)
            pruefe(strcmp(code(l, i), erwartet[i]) == 0, erwartet[i], code(l, i));
        frei(l);
    }

    /* Written positions, and the German reason for one refused. */
    const char* geschrieben[] = {"R 3478544 H 5549792", "S12 E8", "50 07 20 8 41 30"};
    qx_lauf* l = neu("datum=auto", argv[2]);
    pruefe(texte(l, 3, geschrieben) == 2, "zwei von drei Texten", NULL);
    pruefe(strcmp(code(l, 0), "5918/1/1/4/2/1") == 0, "Gauß-Krüger", code(l, 0));
    pruefe(strstr(grund(l, 1), "südlich des Äquators") != NULL, "Grund auf Deutsch, UTF-8", grund(l, 1));
    pruefe(strcmp(code(l, 2), "5818/3/3/2/1/1") == 0, "Grad, Minuten, Sekunden", code(l, 2));

    /* A cell, and the net of a box: mtbq --cell 5818/3 and --raster --levels=1. */
    double rand[2 * 64], mitte[2];
    int epsg = 0;
    const size_t n = zelle(l, "5818/3", rand, 64, mitte, &epsg);
    pruefe(n > 4 && rand[0] == 50.1 && fabs(rand[1] - (8 + 40.0 / 60)) < 1e-12, "Südwestecke von 5818/3", NULL);
    pruefe(rand[0] == rand[2 * (n - 1)] && rand[1] == rand[2 * (n - 1) + 1], "geschlossener Umriss", NULL);
    pruefe(fabs(mitte[0] - 50.125) < 1e-12 && fabs(mitte[1] - 8.7083333) < 1e-7 && epsg == 4314, "Mitte", NULL);
    pruefe(zelle(l, "5818/3", rand, 2, mitte, &epsg) == n, "zu wenig Platz: die nötige Zahl", NULL);
    pruefe(zelle(l, "5818/5", rand, 64, mitte, &epsg) == 0 && *fehlerText(l), "abgelehnter Code", NULL);
    frei(l);
    l = neu("levels=1", NULL);
    pruefe(netz(l, 50.1, 8.6, 50.15, 8.7, 100) == 2, "Netz: zwei Zellen", code(l, 0));
    pruefe(strcmp(code(l, 0), "5817/4") == 0 && strcmp(code(l, 1), "5818/3") == 0, "Netz: Codes", code(l, 1));
    pruefe(netz(l, 47, 5, 55, 15, 100) == (size_t)-1, "Netz: mehr als erlaubt", NULL);
    frei(l);

    /* Refused options: said, and nothing coded. */
    const char* falsch[] = {"grid=x", "levels=6", "grid=utm;uncertainty=10", "zone=3", "datum", "farbe=rot"};
    for (size_t i = 0; i < sizeof falsch / sizeof falsch[0]; ++i) {
        l = neu(falsch[i], NULL);
        const double x = 50, y = 8;
        pruefe(l && *fehlerText(l) && codes(l, 1, &x, &y, NULL) == 0 && code(l, 0) == NULL, falsch[i], NULL);
        frei(l);
    }
    pruefe(codes(NULL, 0, NULL, NULL, NULL) == 0 && code(NULL, 0) == NULL, "ohne Lauf", NULL);

    printf("%s: %d Fehler\n", argv[1], fehler);
    return fehler ? 1 : 0;
}
