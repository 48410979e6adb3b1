/* Quadrix's codes for programs in any language: a small C interface of the
 * library in a shared library (libquadrixc.so, quadrixc.dll), for callers
 * that load it at run time (Python's ctypes in the QGIS plugin) and so need
 * no module built for their own Python. Every result is the one mtbq gives;
 * texts are UTF-8, German where they give a reason.
 *
 *   qx_lauf* l = qx_neu("grid=mtb;datum=etrs89;levels=3", NULL);
 *   qx_codes(l, n, breite, laenge, NULL);
 *   for (i = 0; i < n; ++i) puts(*qx_code(l, i) ? qx_code(l, i) : qx_grund(l, i));
 *   qx_frei(l);
 */
#ifndef QUADRIX_SCHNITTSTELLE_H
#define QUADRIX_SCHNITTSTELLE_H

#include <stddef.h>

#ifdef _WIN32
#define QX_API __declspec(dllexport)
#else
#define QX_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The interface's version; a caller checks it before anything else. */
#define QX_VERSION 1
QX_API int qx_version(void);

typedef struct qx_lauf qx_lauf;

/* A run with mtbq's options for codes, "name=value" pairs separated by
 * semicolons: grid, datum, notation, levels, precision and uncertainty (in
 * metres), zone, long-form (0 or 1). ordner: a folder to look for the
 * BETA2007 grid in first (the plugin's own), or NULL. Never NULL: a run
 * whose options are refused says why in qx_fehler() and codes nothing. */
QX_API qx_lauf* qx_neu(const char* optionen, const char* ordner);
QX_API void qx_frei(qx_lauf* lauf);
/* Empty, or why the options were refused. */
QX_API const char* qx_fehler(const qx_lauf* lauf);

/* Codes n points in decimal degrees; unsicherheit: NULL, or a radius in
 * metres per point (NaN: none). Returns how many got a code. */
QX_API size_t qx_codes(qx_lauf* lauf, size_t n, const double* breite, const double* laenge,
                       const double* unsicherheit);
/* Codes n positions as people write them, one text each. */
QX_API size_t qx_codes_texte(qx_lauf* lauf, size_t n, const char* const* texte);
/* The cells of the run's grid (mtb at its levels, or minutenfeld) that
 * touch a box in decimal degrees on the Potsdam datum, rows from the north;
 * at most hoechstens. Returns how many, or (size_t)-1 where more would follow. */
QX_API size_t qx_netz(qx_lauf* lauf, double sued, double west, double nord, double ost, size_t hoechstens);
/* The results of the last call above, i from 0: the code ("" where there is
 * none), and why ("" where there is a code). NULL for an i beyond them. */
QX_API const char* qx_code(const qx_lauf* lauf, size_t i);
QX_API const char* qx_grund(const qx_lauf* lauf, size_t i);

/* A code's cell (the run's grid names it where it is minutenfeld, else its
 * form tells): its outline, closed, from the south-west corner counter-
 * clockwise, as latitude and longitude pairs in punkte (room for hoechstens
 * pairs), and its centre. Returns the number of pairs, 0 where the code is
 * refused (the reason in qx_fehler() until the next cell), or the number needed where they do
 * not fit. epsg: 4314 for cells on the Potsdam datum (DHDN), 4258 for ETRS89. */
QX_API size_t qx_zelle(qx_lauf* lauf, const char* code, double* punkte, size_t hoechstens, double mitte[2],
                       int* epsg);

/* The same for cell i of the last qx_netz, without its code's text (codes
 * of sheets far off, with rows or columns below 10, do not read back). */
QX_API size_t qx_netz_zelle(qx_lauf* lauf, size_t i, double* punkte, size_t hoechstens, double mitte[2],
                            int* epsg);

#ifdef __cplusplus
}
#endif

#endif
