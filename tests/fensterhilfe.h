// A main window with recorded message boxes, and the steps a user takes.
#pragma once

#include "app/frmQuadrix.h"
#include "platform/gui/listen.h"
#include "meldungsrekorder.h"
#include "testdateisystem.h"
#include "testplattform.h"
#include "platform/gui/textfeld.h"
#include "common/vardekl.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Mouse clicks go in through the native window, as the window system
// delivers them, so the window sees them before the clicked control does.
inline void maus(QWidget* w, QPoint p = QPoint(-1, -1), Qt::KeyboardModifiers mod = {})
{
    if (p == QPoint(-1, -1))
        p = w->rect().center();
    QTest::mouseClick(w->window()->windowHandle(), Qt::LeftButton, mod, w->mapTo(w->window(), p));
}

// A double click: a click, then a second press reported as a double click.
inline void doppelklick(QWidget* w, QPoint p)
{
    maus(w, p);
    QTest::mouseDClick(w->window()->windowHandle(), Qt::LeftButton, {}, w->mapTo(w->window(), p));
}

// Types text key by key; letters outside ASCII come as keys with that text,
// the way a German keyboard sends ä.
inline void tippeText(QWidget* w, const QString& text)
{
    for (QChar z : text) {
        if (z.unicode() < 128)
            QTest::keyClick(w, z.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(z), Qt::NoModifier);
    }
}

// A point of the item that lies in the visible part of the list.
inline QPoint sichtbarerPunkt(QAbstractScrollArea* liste, const QRect& item)
{
    return {std::min(item.center().x(), liste->viewport()->width() / 2), item.center().y()};
}

struct Hauptfenster {
    MeldungsRekorder meldungen;
    TestDateisystem fs;
    Plattform plattform{meldungen, fs};
    QTemporaryDir tmp;
    std::unique_ptr<frmQuadrix> f;

    Hauptfenster()
    {
        f = std::make_unique<frmQuadrix>(plattform);
        f->show();
        aktivieren();
    }
    ~Hauptfenster()
    {
        if (auto* d = f->neueDatei())
            delete d;
    }

    void aktivieren()
    {
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
    }

    template <typename T = QWidget>
    T* w(const char* name) const
    {
        auto* widget = f->findChild<T*>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    Textfeld* box(const char* name) const { return w<Textfeld>(name); }
    QPushButton* knopf(const char* name) const { return w<QPushButton>(name); }

    // Native spelling, as the window's paths are ("C:\\..." on Windows).
    QString ordner() const { return QDir::toNativeSeparators(tmp.path()); }
    QString datei(const QString& name) const { return QDir::toNativeSeparators(tmp.filePath(name)); }

    static void schreibe(const QString& pfad, const QByteArray& inhalt)
    {
        QFile d(pfad);
        QVERIFY(d.open(QIODevice::WriteOnly | QIODevice::Truncate));
        d.write(inhalt);
    }
    static QByteArray lies(const QString& pfad)
    {
        QFile d(pfad);
        return d.open(QIODevice::ReadOnly) ? d.readAll() : QByteArray("<fehlt>");
    }

    // Opens the folder in the folder list: its parent is shown, then the user
    // double-clicks the folder's entry.
    void oeffneOrdner(const QString& pfad)
    {
        auto* liste = w<OrdnerListe>("dirVerzeichnis");
        QVERIFY(liste->setPath(QFileInfo(pfad).absolutePath()));
        const auto treffer = liste->findItems(QFileInfo(pfad).fileName(), Qt::MatchExactly);
        QVERIFY(!treffer.isEmpty());
        liste->scrollToItem(treffer.last());
        doppelklick(liste->viewport(), sichtbarerPunkt(liste, liste->visualItemRect(treffer.last())));
        QCOMPARE(liste->path(), QDir::cleanPath(pfad));
    }

    // Clicks a file in the file list.
    void klickeDatei(const QString& name)
    {
        auto* liste = w<DateiListe>("filDatei");
        const auto* modell = liste->model();
        for (int i = 0; i < modell->rowCount(); ++i) {
            const QModelIndex idx = modell->index(i, 0);
            if (idx.data().toString() == name) {
                liste->scrollTo(idx);
                maus(liste->viewport(), sichtbarerPunkt(liste, liste->visualRect(idx)));
                return;
            }
        }
        QFAIL(qPrintable("file not listed: " + name));
    }

    // A find-location file in the temporary folder, chosen in the file list.
    void waehleDatei(const QString& name = QStringLiteral("funde.txt"), const QByteArray& inhalt = {})
    {
        if (!QFile::exists(datei(name)))
            schreibe(datei(name), inhalt);
        oeffneOrdner(ordner());
        klickeDatei(name);
        QCOMPARE(Vardekl::gDatei, datei(name));
    }

    // Clicks into the box and types over its whole text.
    void tippe(const char* name, const QString& text)
    {
        Textfeld* b = box(name);
        maus(b);
        QVERIFY(b->hasFocus());
        QTest::keyClick(b, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(b, Qt::Key_Delete);
        tippeText(b, text);
    }

    // Types the six coordinates, tabbing from box to box as a user does.
    void koordinaten(const QStringList& werte)
    {
        const char* namen[] = {"txtGradN", "txtMinN", "txtSekN", "txtGradO", "txtMinO", "txtSekO"};
        maus(box(namen[0]));
        for (int i = 0; i < 6; ++i) {
            QVERIFY2(box(namen[i])->hasFocus(), namen[i]);
            tippeText(box(namen[i]), werte[i]);  // entering selected the old text
            QTest::keyClick(box(namen[i]), Qt::Key_Tab);
        }
        QVERIFY(knopf("cmdBerechnen")->hasFocus());
    }

    void klicke(const char* name) { maus(knopf(name)); }
};

// A folder that cannot be written (see testplattform.h); empty where the
// platform has none.
inline QString schreibgeschuetzterOrdner(const QString& ordner)
{
    return QString::fromStdU16String(testplattform::schreibgeschuetzt(ordner.toStdU16String()).u16string());
}
