// The map beneath the tiles, for when there are none (no network, a refused
// or slow server, before the first tile arrives): Germany and its
// neighbours as areas with their borders (Natural Earth), and place names
// by size and zoom (GeoNames), from the data the program carries. Drawn
// into the tiles where they are missing, so that a repaint only copies.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>

#include <utility>
#include <vector>

class QPainter;

class Grundkarte {
public:
    // Where the names go at a zoom: the larger places first, none hiding
    // another or what must stay readable (frei: the grid's labels, in the
    // world's pixels). Called when the zoom or the grid's labels change.
    void beschriften(int zoom, const std::vector<QRectF>& frei);
    // The areas and borders of one tile (ursprung: its top-left corner in
    // the world's pixels at zoom), and its names, drawn over the grid's lines.
    void kachel(QPainter& p, const QPointF& ursprung, int zoom);
    void namen(QPainter& p, const QPointF& ursprung, int zoom);
    // The attribution of the data, for the corner of the view.
    static QString namensnennung();
    // Outside every state (the sea, and what lies beyond the data).
    static const QColor Meer;

private:
    void umrisse(int zoom);
    int m_zoom = -1, m_namenZoom = -1;
    // Each state's outline in the world's pixels at m_zoom: Germany's marked.
    struct Umriss {
        bool deutschland;
        QPolygonF punkte;
        QRectF box;
    };
    std::vector<Umriss> m_staaten;
    struct Name {
        QPointF ort;
        QRectF flaeche;  // the dot and the text, world pixels
        QPointF grundlinie;
        int groesse;     // of the three faces
        const char* name;
        QPainterPath schrift;  // the text, world pixels: made when a tile first shows it
    };
    QFont m_schrift[3];
    std::vector<Name> m_namen;
};
