#include "platform/gui/aussehen.h"

#include <QPainter>
#include <QPixmap>

namespace {

QPixmap zeichne(int groesse)
{
    QPixmap bild(groesse, groesse);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    const qreal r = groesse / 32.0;
    const QRectF blatt(2 * r, 3 * r, 28 * r, 26 * r);
    p.fillRect(blatt, QColor(255, 255, 224));
    // The south-west quadrant of the south-west quadrant, as a found cell.
    p.fillRect(QRectF(blatt.left(), blatt.center().y(), blatt.width() / 2, blatt.height() / 2), QColor(128, 224, 128));
    p.fillRect(QRectF(blatt.left(), blatt.center().y() + blatt.height() / 4, blatt.width() / 4, blatt.height() / 4),
               QColor(0, 128, 0));
    p.setPen(QPen(QColor(0, 0, 128), std::max<qreal>(1, r)));
    p.drawRect(blatt);
    p.drawLine(QPointF(blatt.center().x(), blatt.top()), QPointF(blatt.center().x(), blatt.bottom()));
    p.drawLine(QPointF(blatt.left(), blatt.center().y()), QPointF(blatt.right(), blatt.center().y()));
    return bild;
}

}  // namespace

QIcon quadrixSymbol()
{
    QIcon symbol;
    for (int g : {16, 32, 48, 64})
        symbol.addPixmap(zeichne(g));
    return symbol;
}

namespace {

// A manila folder on a 16-unit square; open, its front flap leans back.
QPixmap zeichneOrdner(int groesse, bool offen)
{
    QPixmap bild(groesse, groesse);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(groesse / 16.0, groesse / 16.0);
    const QColor rand(128, 96, 0), hinten(224, 184, 64), vorn(255, 224, 112);
    p.setPen(QPen(rand, 1));
    QPolygonF ruecken;
    ruecken << QPointF(1.5, 3.5) << QPointF(6, 3.5) << QPointF(7.5, 5) << QPointF(14.5, 5) << QPointF(14.5, 13.5)
            << QPointF(1.5, 13.5);
    p.setBrush(hinten);
    p.drawPolygon(ruecken);
    p.setBrush(vorn);
    if (offen) {
        QPolygonF klappe;
        klappe << QPointF(4, 7.5) << QPointF(15.5, 7.5) << QPointF(13, 13.5) << QPointF(1.5, 13.5);
        p.drawPolygon(klappe);
    } else {
        p.drawRect(QRectF(1.5, 6.5, 13, 7));
    }
    return bild;
}

}  // namespace

QIcon ordnerSymbol(bool offen)
{
    QIcon symbol;
    for (int g : {16, 32})
        symbol.addPixmap(zeichneOrdner(g, offen));
    return symbol;
}

namespace {

QFont schrift(qreal punkt)
{
    QFont f;
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                   QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    f.setPointSizeF(punkt);
    f.setWeight(QFont::Normal);
    return f;
}

}  // namespace

QFont fensterSchrift() { return schrift(8); }
QFont zeichenSchrift() { return schrift(13.5); }
