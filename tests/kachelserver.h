// A tile server for the tests, on 127.0.0.1 only: each tile a distinct
// colour with its z/x/y written on it, sent with cache headers after a
// short delay, so that requests overlap as they do over a real network.
// Records every request's path and User-Agent, and the most requests it
// had open at once.
#pragma once

#include <QColor>
#include <QHostAddress>
#include <QImage>
#include <QBuffer>
#include <QPainter>
#include <QRegularExpression>
#include <QTcpServer>
#include <QSet>
#include <QTcpSocket>
#include <QTimer>

class Kachelserver : public QObject {
public:
    explicit Kachelserver(int verzoegerungMs = 30) : m_verzoegerung(verzoegerungMs)
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = m_server.nextPendingConnection())
                connect(s, &QTcpSocket::readyRead, this, [this, s] { lies(s); });
        });
    }
    QString vorlage() const
    {
        return QStringLiteral("http://127.0.0.1:%1/{z}/{x}/{y}.png").arg(m_server.serverPort());
    }
    void schliessen() { m_server.close(); }
    // Back on the port it had: the network returns.
    bool oeffnen(quint16 port) { return m_server.listen(QHostAddress::LocalHost, port); }
    quint16 port() const { return m_server.serverPort(); }
    // Paths answered "503 Service Unavailable", as a service under load does.
    QSet<QString> verweigert;

    QStringList pfade;
    QStringList kennungen;
    int offen = 0, hoechstensOffen = 0;

    static QColor farbe(int z, int x, int y) { return QColor::fromHsv((x * 37 + y * 91 + z * 13) % 360, 160, 230); }

private:
    void lies(QTcpSocket* s)
    {
        m_puffer[s] += s->readAll();
        const QByteArray& anfrage = m_puffer[s];
        if (!anfrage.contains("\r\n\r\n"))
            return;
        const QString kopf = QString::fromLatin1(anfrage);
        m_puffer.remove(s);
        const auto pfad = QRegularExpression(QStringLiteral("^GET (\\S+) ")).match(kopf).captured(1);
        const auto kennung =
            QRegularExpression(QStringLiteral("\\r\\nUser-Agent: ([^\\r]*)"), QRegularExpression::CaseInsensitiveOption)
                .match(kopf)
                .captured(1);
        pfade << pfad;
        kennungen << kennung;
        hoechstensOffen = std::max(hoechstensOffen, ++offen);
        QTimer::singleShot(m_verzoegerung, this, [this, s, pfad] { antworte(s, pfad); });
    }
    void antworte(QTcpSocket* s, const QString& pfad)
    {
        --offen;
        const auto m = QRegularExpression(QStringLiteral("^/(\\d+)/(\\d+)/(\\d+)\\.png$")).match(pfad);
        QByteArray antwort;
        if (verweigert.contains(pfad)) {
            antwort = "HTTP/1.1 503 Service Unavailable\r\nContent-Length: 0\r\n\r\n";
        } else if (m.hasMatch()) {
            const int z = m.captured(1).toInt(), x = m.captured(2).toInt(), y = m.captured(3).toInt();
            QImage bild(256, 256, QImage::Format_RGB32);
            bild.fill(farbe(z, x, y));
            QPainter p(&bild);
            p.drawText(bild.rect(), Qt::AlignCenter, QStringLiteral("%1/%2/%3").arg(z).arg(x).arg(y));
            p.end();
            QByteArray png;
            QBuffer b(&png);
            b.open(QIODevice::WriteOnly);
            bild.save(&b, "PNG");
            antwort = "HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nCache-Control: public, max-age=86400\r\n"
                      "Content-Length: " + QByteArray::number(png.size()) + "\r\n\r\n" + png;
        } else {
            antwort = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n";
        }
        s->write(antwort);
    }

    QTcpServer m_server;
    QHash<QTcpSocket*, QByteArray> m_puffer;
    int m_verzoegerung;
};
