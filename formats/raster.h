// Grid layers: the cells of a grid as GeoJSON polygons, each with its code
// as the property "code", for GIS (QGIS, GDAL).
//
// Which cells:
//   a bounding box      every cell that touches the box S,W,N,E (degrees on the input's datum);
//                       EEA cells: every cell over the box's extent in the plane
//   a list of codes     every cell of the chosen level inside them ("5818" at level 1: its
//                       four quadrants; "10kmE432N321" for eea1km: its hundred cells)
//   neither             the sheet range of Germany: rows 9 to 87, columns 1 to 56 (47°12' to
//                       55°06' N, 5°50' to 15°10' E on the Potsdam datum), and for the EEA
//                       grid the cells that cover it
//
// Output: WGS84 as RFC 7946 asks (ETRS89 taken for WGS84), every vertex of
// a sheet-grid cell transformed from Potsdam with BETA2007, the EEA cells'
// vertices projected back from ETRS89-LAEA; edges carry extra vertices so
// that the outlines keep their shapes. Untransformed on request: sheet
// cells on the Potsdam datum (EPSG:4314), EEA cells in EPSG:3035 metres,
// with a "crs" member as GDAL reads it. Vertices are computed from exact
// grid positions, so neighbouring cells share them to the last digit.
// Written as it goes: memory stays the same for any number of cells.
#pragma once

#include "cells/gitter.h"
#include "cells/umriss.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace quadrix {

struct RasterForm {
    Gitter gitter = Gitter::Mtb;  // mtb, minutenfeld or one of the EEA grids
    int ebenen = 5;                // for mtb
    bool untransformiert = false;
    Datum datum = Datum::Potsdam;  // of the box
    // Potsdam -> ETRS89, needed by sheet cells in WGS84 and by boxes not on the grid's datum.
    const Transformation* transformation = nullptr;
    bool mitBox = false;
    double box[4] = {0, 0, 0, 0};  // S, W, N, E
    std::vector<Umriss> codes;
};

// Writes one FeatureCollection. A cell with a vertex outside the
// transformation's grid is left out and its code handed to ausgelassen.
struct RasterErgebnis {
    long zellen = 0, ausgelassen = 0;
    bool fehler = false;  // a failed write, or a box that cannot be used
    Zellfehler box;  // why the box cannot be used
};
RasterErgebnis raster(const RasterForm& form, std::FILE* aus, const std::function<void(const std::string&)>& ausgelassen);

}  // namespace quadrix
