// A drag source for the end-to-end tests: a small window that, when the
// mouse is pressed in it, drags the files named on its command line, as a
// file manager does (text/uri-list over XDND). The test then moves the
// pointer onto Quadrix and releases it there.
//   ziehquelle DATEI...
#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace {

class Quelle : public QLabel {
public:
    explicit Quelle(QList<QUrl> urls) : QLabel(QStringLiteral("Dateien hier greifen")), m_urls(std::move(urls))
    {
        setWindowTitle(QStringLiteral("Ziehquelle"));
        setAlignment(Qt::AlignCenter);
        resize(200, 120);
    }

protected:
    void mousePressEvent(QMouseEvent*) override
    {
        auto* daten = new QMimeData;
        daten->setUrls(m_urls);
        auto* ziehen = new QDrag(this);
        ziehen->setMimeData(daten);
        ziehen->exec(Qt::CopyAction);
    }

private:
    QList<QUrl> m_urls;
};

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QList<QUrl> urls;
    for (int i = 1; i < argc; ++i)
        urls << QUrl::fromLocalFile(QString::fromLocal8Bit(argv[i]));
    Quelle q(urls);
    q.move(800, 600);
    q.show();
    return QApplication::exec();
}
