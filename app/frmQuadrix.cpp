#include "app/frmQuadrix.h"

#include "files/frmNeueDatei.h"
#include "platform/gui/listen.h"
#include "platform/gui/aussehen.h"
#include "platform/gui/textfeld.h"
#include "platform/gui/validierung.h"
#include "app/bezugssystem.h"
#include "common/vardekl.h"

#include <QEvent>
#include <QFontMetrics>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>

using namespace Vardekl;

namespace {

template <typename W>
W* platziere(W* w, const char* name, int left, int top, int width, int height)
{
    w->setObjectName(QLatin1String(name));
    w->setGeometry(tw(left), tw(top), tw(width), tw(height));
    return w;
}

QLabel* beschriftung(QWidget* eltern, const char* name, const QString& text, int l, int t, int w, int h)
{
    // Plain text: a label carries no access key and never takes the focus.
    auto* label = platziere(new QLabel(text, eltern), name, l, t, w, h);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

}  // namespace

frmQuadrix::frmQuadrix(Plattform& plattform, QWidget* eltern)
    : QWidget(eltern), m_plattform(plattform), m_beta(std::make_unique<Beta2007>())
{
    aufbauen();
    verbinden();
    // The window is loaded by the first touch of a control in Form_Initialize,
    // so its load step runs first.
    Form_Load();
    Form_Initialize();
}

frmQuadrix::~frmQuadrix()
{
    // Closing the window below moves the focus out of a box, which would
    // call this window's handlers after this destructor has run.
    for (Textfeld* box : findChildren<Textfeld*>())
        box->loesen();
    delete m_validierung;
    delete m_kartenfenster;  // its clicks come here
}

void frmQuadrix::aufbauen()
{
    setObjectName(QStringLiteral("frmQuadrix"));
    setWindowTitle(QStringLiteral("MTB - Bestimmung"));
    setWindowIcon(quadrixSymbol());
    setFont(fensterSchrift());
    // GPS files and photos dropped here are read into the map's list of points.
    setAcceptDrops(true);
    resize(tw(7680), tw(7245));
    // The frame sits at the top-left corner of the screen.
    move(0, 0);

    Label2 = beschriftung(this, "Label2", QStringLiteral("Datei der Fundorte"), 240, 120, 1575, 255);
    drvLaufwerk = platziere(new LaufwerkListe(m_plattform.dateisystem, this), "drvLaufwerk", 240, 480, 2535, 315);
    dirVerzeichnis = platziere(new OrdnerListe(this), "dirVerzeichnis", 3120, 480, 2415, 1890);
    filDatei = platziere(new DateiListe(this), "filDatei", 3120, 2580, 2775, 870);
    cmdNeueDatei = platziere(new QPushButton(QStringLiteral("&Neue Datei"), this), "cmdNeueDatei", 6000, 2580, 1575, 375);
    txtGebiet = platziere(new Textfeld(this), "txtGebiet", 1800, 3675, 2895, 285);

    Frame1 = platziere(new QGroupBox(QStringLiteral("geografische Koordinaten"), this), "Frame1", 120, 4080, 4575, 1575);
    // The caption stands on the frame's top line, as on Windows, on every
    // platform: some styles (Fusion) put it above the frame instead, where
    // the boxes' rows, laid out from the frame's top, no longer fit.
    if (QStyle* rahmen = QStyleFactory::create(QStringLiteral("Windows"))) {
        rahmen->setParent(Frame1);
        Frame1->setStyle(rahmen);
    }
    txtGradN = platziere(new Textfeld(Frame1), "txtGradN", 1680, 480, 375, 285);
    txtMinN = platziere(new Textfeld(Frame1), "txtMinN", 2400, 480, 375, 285);
    txtSekN = platziere(new Textfeld(Frame1), "txtSekN", 3120, 480, 375, 285);
    txtGradO = platziere(new Textfeld(Frame1), "txtGradO", 1680, 1065, 375, 285);
    txtMinO = platziere(new Textfeld(Frame1), "txtMinO", 2400, 1065, 375, 285);
    txtSekO = platziere(new Textfeld(Frame1), "txtSekO", 3120, 1080, 375, 285);
    txtSekN->setText(QStringLiteral("00"));
    txtSekO->setText(QStringLiteral("00"));

    cmdBerechnen = platziere(new QPushButton(QStringLiteral("MTB &berechnen"), this), "cmdBerechnen", 240, 6720, 1575, 375);
    cmdSpeichern = platziere(new QPushButton(QStringLiteral("&Speichern"), this), "cmdSpeichern", 2160, 6720, 1575, 375);
    cmdEnde = platziere(new QPushButton(QStringLiteral("&Ende"), this), "cmdEnde", 4080, 6720, 1575, 375);
    // In the free space right of the coordinate frame, under "Neue Datei".
    cmdKarte = platziere(new QPushButton(QStringLiteral("&Karte"), this), "cmdKarte", 6000, 4200, 1575, 375);
    cmdFunde = platziere(new QPushButton(QStringLiteral("&Funde"), this), "cmdFunde", 6000, 4680, 1575, 375);

    beschriftung(this, "Label1_2", QStringLiteral("Gebietsnamen"), 240, 3675, 1095, 285);
    auto* mtbLabel = beschriftung(this, "Label1_3", QStringLiteral("MTB                (mit Quadranten)"), 240, 6000, 1215, 495);
    mtbLabel->setWordWrap(true);
    // "(mit Quadranten)" must fit on the second line whatever face stands in.
    QFont mtbSchrift = mtbLabel->font();
    while (QFontMetrics(mtbSchrift).horizontalAdvance(QStringLiteral("(mit Quadranten)")) > mtbLabel->width() &&
           mtbSchrift.pointSizeF() > 6)
        mtbSchrift.setPointSizeF(mtbSchrift.pointSizeF() - 0.25);
    mtbLabel->setFont(mtbSchrift);
    beschriftung(Frame1, "Label1_10", QStringLiteral("Längengrad"), 120, 960, 975, 285);
    beschriftung(Frame1, "Label1_11", QStringLiteral("Breitengrad"), 120, 480, 975, 285);
    beschriftung(Frame1, "Label4_1", QStringLiteral("Ost"), 3885, 1125, 615, 285);
    beschriftung(Frame1, "Label3_1", QStringLiteral(" Nord"), 3840, 480, 615, 285);

    const QFont zeichen = zeichenSchrift();
    const struct { const char* name; const char* text; int l, t, w, h; } zeichenLabels[] = {
        {"Label1_15", "''", 3600, 360, 135, 255}, {"Label1_16", "'", 2880, 360, 135, 285},
        {"Label1_17", "°", 2160, 360, 135, 285},  {"Label1_14", "°", 2160, 900, 135, 285},
        {"Label1_13", "'", 2880, 900, 135, 285},  {"Label1_12", "''", 3600, 900, 135, 255},
    };
    for (const auto& z : zeichenLabels)
        beschriftung(Frame1, z.name, QString::fromUtf8(z.text), z.l, z.t, z.w, z.h)->setFont(zeichen);

    txtMTB = platziere(new Textfeld(this), "txtMTB", 1920, 6000, 1815, 285);

    // All text boxes are created disabled; txtMTB stays so for the whole run.
    for (Textfeld* box : {txtGebiet, txtGradN, txtMinN, txtSekN, txtGradO, txtMinO, txtSekO, txtMTB})
        box->setEnabled(false);

    QWidget* reihe[] = {drvLaufwerk, dirVerzeichnis, filDatei, cmdNeueDatei, txtGebiet, txtGradN, txtMinN, txtSekN,
                        txtGradO,    txtMinO,        txtSekO,  cmdBerechnen, cmdSpeichern, cmdEnde, txtMTB,
                        cmdKarte,    cmdFunde};
    for (std::size_t i = 1; i < std::size(reihe); ++i)
        setTabOrder(reihe[i - 1], reihe[i]);
    drvLaufwerk->setFocus();
}

void frmQuadrix::verbinden()
{
    connect(drvLaufwerk, &LaufwerkListe::Change, this, &frmQuadrix::drvLaufwerk_Change);
    connect(dirVerzeichnis, &OrdnerListe::Change, this, &frmQuadrix::dirVerzeichnis_Change);
    connect(dirVerzeichnis, &OrdnerListe::Fehler, this, &frmQuadrix::ordnerNichtOeffenbar);
    connect(filDatei, &DateiListe::Click, this, &frmQuadrix::filDatei_Click);
    connect(cmdNeueDatei, &QPushButton::clicked, this, &frmQuadrix::cmdNeueDatei_Click);
    connect(cmdBerechnen, &QPushButton::clicked, this, &frmQuadrix::cmdBerechnen_Click);
    connect(cmdSpeichern, &QPushButton::clicked, this, &frmQuadrix::cmdSpeichern_Click);
    connect(cmdEnde, &QPushButton::clicked, this, &frmQuadrix::cmdEnde_Click);
    connect(cmdKarte, &QPushButton::clicked, this, &frmQuadrix::cmdKarte_Click);
    connect(cmdFunde, &QPushButton::clicked, this, &frmQuadrix::cmdFunde_Click);

    txtGebiet->gotFocus = [this] { txtGebiet_GotFocus(); };
    txtGradN->gotFocus = [this] { txtGradN_GotFocus(); };
    txtMinN->gotFocus = [this] { txtMinN_GotFocus(); };
    txtSekN->gotFocus = [this] { txtSekN_GotFocus(); };
    txtGradO->gotFocus = [this] { txtGradO_GotFocus(); };
    txtMinO->gotFocus = [this] { txtMinO_GotFocus(); };
    txtSekO->gotFocus = [this] { txtSekO_GotFocus(); };

    txtGebiet->keyPress = [this](std::int16_t& k) { txtGebiet_KeyPress(k); };
    txtGradN->keyPress = [this](std::int16_t& k) { txtGradN_KeyPress(k); };
    txtMinN->keyPress = [this](std::int16_t& k) { txtMinN_KeyPress(k); };
    txtSekN->keyPress = [this](std::int16_t& k) { txtSekN_KeyPress(k); };
    txtGradO->keyPress = [this](std::int16_t& k) { txtGradO_KeyPress(k); };
    txtMinO->keyPress = [this](std::int16_t& k) { txtMinO_KeyPress(k); };
    txtSekO->keyPress = [this](std::int16_t& k) { txtSekO_KeyPress(k); };

    m_validierung = new Validierung(this);
    m_validierung->setPruefung(txtGradN, [this](bool& c) { txtGradN_Validate(c); });
    m_validierung->setPruefung(txtMinN, [this](bool& c) { txtMinN_Validate(c); });
    m_validierung->setPruefung(txtSekN, [this](bool& c) { txtSekN_Validate(c); });
    m_validierung->setPruefung(txtGradO, [this](bool& c) { txtGradO_Validate(c); });
    m_validierung->setPruefung(txtMinO, [this](bool& c) { txtMinO_Validate(c); });
    m_validierung->setPruefung(txtSekO, [this](bool& c) { txtSekO_Validate(c); });
    for (QWidget* ziel : std::initializer_list<QWidget*>{txtGebiet, txtGradN, txtMinN, txtSekN, txtGradO, txtMinO,
                                                         txtSekO, txtMTB, cmdBerechnen})
        m_validierung->loestPruefungAus(ziel);
    for (QWidget* knopf :
         std::initializer_list<QWidget*>{cmdBerechnen, cmdSpeichern, cmdNeueDatei, cmdEnde, cmdKarte, cmdFunde})
        m_validierung->fokusDurchZugriffstaste(knopf);

    // A record must never pair new coordinate texts with an earlier result.
    for (Textfeld* box : {txtGradN, txtMinN, txtSekN, txtGradO, txtMinO, txtSekO}) {
        connect(box, &QLineEdit::textChanged, this, &frmQuadrix::koordinateGeaendert);
        box->einfuegen = [this, box](const QString& text) { return positionEinfuegen(text, box); };
    }
}

void frmQuadrix::Form_Load()
{
    gLaufwerk = ersterLaufwerk();
    gPfad = ersterPfad();
    gDatei = KeineDatei;
}

void frmQuadrix::Form_Initialize()
{
    drvLaufwerk->setDrive(ersterLaufwerk());
    dirVerzeichnis->setPath(ersterPfad());
    filDatei->setPath(ersterPfad());
    filDatei->setPattern(QStringLiteral("*.txt"));
    blnNeueDatei = false;
    cmdSpeichern->setEnabled(false);
}

bool frmQuadrix::event(QEvent* e)
{
    const bool ergebnis = QWidget::event(e);
    if (e->type() == QEvent::WindowActivate)
        Form_Activate();
    // The map belongs to this window: it closes with it (keeping its view),
    // so that "Ende" ends the program even while the map is open.
    if (e->type() == QEvent::Close && e->isAccepted() && m_kartenfenster)
        m_kartenfenster->close();
    return ergebnis;
}

void frmQuadrix::Form_Activate()
{
    // Only a file that the new-file window really wrote is taken over; its
    // path is known exactly, so nothing is guessed from string lengths.
    if (!m_angelegt.isEmpty()) {
        const QString datei = m_angelegt;
        m_angelegt.clear();
        neueDateiUebernehmen(datei);
    }
    blnNeueDatei = false;
}

void frmQuadrix::neueDateiUebernehmen(const QString& datei)
{
    const QFileInfo fi(datei);
    if (alsPfad(fi.absolutePath()) != gPfad)
        dirVerzeichnis->setPath(fi.absolutePath());
    filDatei->setFileName(fi.fileName());
    eingabenFreigeben();
}

void frmQuadrix::eingabenFreigeben()
{
    for (Textfeld* box : {txtGebiet, txtGradN, txtGradO, txtMinN, txtMinO, txtSekN, txtSekO})
        box->setEnabled(true);
}

void frmQuadrix::cmdEnde_Click()
{
    close();
}

bool frmQuadrix::focusNextPrevChild(bool next)
{
    // The widget Tab would move to, found the way Qt finds it.
    QWidget* von = focusWidget();
    QWidget* ziel = von;
    while (von && (ziel = next ? ziel->nextInFocusChain() : ziel->previousInFocusChain()) != von) {
        if (ziel->window() == this && ziel->isEnabled() && ziel->isVisibleTo(this) &&
            (ziel->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !ziel->focusProxy())
            break;
    }
    if (ziel && ziel != von && !m_validierung->darfWechseln(ziel))
        return true;
    return QWidget::focusNextPrevChild(next);
}
