#include "map/frmFunde.h"

#include "datum/datum.h"
#include "formats/ausfuhr.h"
#include "map/umwandlung.h"
#include "platform/gui/eingaberegeln.h"
#include "platform/gui/meldungen.h"
#include "platform/gui/textfeld.h"
#include "platform/textdatei.h"
#include "tables/fundpruefung.h"
#include "tables/fundzeilen.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <map>
#include <utility>

namespace {

// Which box of the main window a column is, for its key filter and range.
std::optional<fundort::Feld> feldVon(int spalte)
{
    using F = fundort::Feld;
    switch (spalte) {
    case frmFunde::Gebiet: return F::Gebiet;
    case frmFunde::GradN: return F::GradN;
    case frmFunde::MinN: return F::MinN;
    case frmFunde::SekN: return F::SekN;
    case frmFunde::GradO: return F::GradO;
    case frmFunde::MinO: return F::MinO;
    case frmFunde::SekO: return F::SekO;
    default: return std::nullopt;
    }
}

// The cells are edited in the main window's boxes, with their key filters:
// the area name's characters, digits in the coordinates.
class Feldeditor : public QStyledItemDelegate {
public:
    explicit Feldeditor(frmFunde* fenster) : QStyledItemDelegate(fenster), m_fenster(fenster) {}

    QWidget* createEditor(QWidget* eltern, const QStyleOptionViewItem&, const QModelIndex& i) const override
    {
        auto* box = new Textfeld(eltern);
        const bool gebiet = i.column() == frmFunde::Gebiet;
        box->keyPress = [gebiet](std::int16_t& k) {
            const bool erlaubt = k == 8 || (gebiet ? k > 0 && fundort::gebietZeichen(static_cast<char32_t>(k))
                                                   : k >= '0' && k <= '9');
            if (!erlaubt)
                k = 0;
        };
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& i) const override
    {
        auto* box = static_cast<Textfeld*>(editor);
        box->setText(i.data(Qt::EditRole).toString());
        box->selectAll();
    }
    // The window checks and writes; the cell shows what the file then holds.
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& i) const override
    {
        m_fenster->feldGeaendert(i.row(), i.column(), static_cast<Textfeld*>(editor)->text());
    }

private:
    frmFunde* m_fenster;
};

}  // namespace

frmFunde::frmFunde(const quadrix::Transformation* beta, Meldungen& meldungen, QWidget* eltern)
    : QWidget(eltern, Qt::Window), m_beta(beta), m_meldungen(meldungen)
{
    setObjectName(QStringLiteral("frmFunde"));
    txtFilter = new QLineEdit(this);
    txtFilter->setObjectName(QStringLiteral("txtFilter"));
    txtFilter->setPlaceholderText(tr("Text in einer Spalte"));
    txtCodeFilter = new QLineEdit(this);
    txtCodeFilter->setObjectName(QStringLiteral("txtCodeFilter"));
    txtCodeFilter->setPlaceholderText(tr("5818/3"));
    tabFunde = new QTableWidget(0, Spalten, this);
    tabFunde->setObjectName(QStringLiteral("tabFunde"));
    tabFunde->setHorizontalHeaderLabels({tr("Zeile"), tr("Gebietsname"), tr("MTB/Q/UQ"), tr("Grad N"), tr("Min N"),
                                         tr("Sek N"), tr("Grad O"), tr("Min O"), tr("Sek O"), tr("Nord (Grad)"),
                                         tr("Ost (Grad)"), tr("Hinweis")});
    tabFunde->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabFunde->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tabFunde->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
    tabFunde->setItemDelegate(new Feldeditor(this));
    tabFunde->horizontalHeader()->setStretchLastSection(true);
    tabFunde->verticalHeader()->setVisible(false);
    tabFunde->setSortingEnabled(true);
    tabFunde->sortByColumn(Nr, Qt::AscendingOrder);  // the file's order, until the user sorts
    cmdLoeschen = new QPushButton(tr("&Löschen"), this);
    cmdLoeschen->setObjectName(QStringLiteral("cmdLoeschen"));
    cmdRueckgaengig = new QPushButton(tr("&Rückgängig"), this);
    cmdRueckgaengig->setObjectName(QStringLiteral("cmdRueckgaengig"));
    cmdRueckgaengig->setEnabled(false);
    cboProfil = new QComboBox(this);
    cboProfil->setObjectName(QStringLiteral("cboProfil"));
    const struct { const char* text; quadrix::Profil profil; } profile[] = {
        {"Darwin Core (CSV)", quadrix::Profil::Dwc},        {"MultiBaseCS (CSV)", quadrix::Profil::Multibase},
        {"Recorder-D (CSV)", quadrix::Profil::Recorder},    {"colkat (CSV)", quadrix::Profil::Colkat},
        {"Indicia (CSV)", quadrix::Profil::Indicia},        {"Excel-Arbeitsmappe (.xlsx)", quadrix::Profil::Xlsx},
    };
    for (const auto& p : profile)
        cboProfil->addItem(tr(p.text), static_cast<int>(p.profil));
    cmdAusgeben = new QPushButton(tr("&Ausgeben …"), this);
    cmdAusgeben->setObjectName(QStringLiteral("cmdAusgeben"));
    cmdAusgeben->setToolTip(tr("Die sichtbaren Funde als Tabelle für ein Portal speichern"));
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setWordWrap(true);
    lblStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* filter = new QHBoxLayout;
    auto* lblFilter = new QLabel(tr("&Filter"), this);
    lblFilter->setBuddy(txtFilter);
    auto* lblCode = new QLabel(tr("&Code beginnt mit"), this);
    lblCode->setBuddy(txtCodeFilter);
    filter->addWidget(lblFilter);
    filter->addWidget(txtFilter, 2);
    filter->addWidget(lblCode);
    filter->addWidget(txtCodeFilter, 1);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(cmdLoeschen);
    knoepfe->addWidget(cmdRueckgaengig);
    knoepfe->addStretch(1);
    auto* lblProfil = new QLabel(tr("Ta&belle für"), this);
    lblProfil->setBuddy(cboProfil);
    knoepfe->addWidget(lblProfil);
    knoepfe->addWidget(cboProfil);
    knoepfe->addWidget(cmdAusgeben);
    auto* aufbau = new QVBoxLayout(this);
    aufbau->addLayout(filter);
    aufbau->addWidget(tabFunde, 1);
    aufbau->addLayout(knoepfe);
    aufbau->addWidget(lblStatus);
    resize(1100, 440);

    connect(txtFilter, &QLineEdit::textChanged, this, &frmFunde::filtern);
    connect(txtCodeFilter, &QLineEdit::textChanged, this, &frmFunde::filtern);
    connect(cmdLoeschen, &QPushButton::clicked, this, &frmFunde::cmdLoeschen_Click);
    connect(cmdRueckgaengig, &QPushButton::clicked, this, &frmFunde::cmdRueckgaengig_Click);
    connect(cmdAusgeben, &QPushButton::clicked, this, &frmFunde::cmdAusgeben_Click);
    connect(tabFunde, &QTableWidget::itemSelectionChanged, this, [this] {
        if (!m_fuellen)
            emit auswahlGeaendert();
    });
    connect(tabFunde, &QTableWidget::currentCellChanged, this, [this](int zeile) {
        if (!m_fuellen)
            emit gewaehlt(zeile);
    });
}

bool frmFunde::oeffne(const QString& datei)
{
    m_datei = datei;
    std::string inhalt;
    const textdatei::Ergebnis e = textdatei::lies(pfadVon(datei), inhalt);
    setWindowTitle(tr("Funde – %1").arg(QFileInfo(datei).fileName()));
    if (!e) {
        m_gelesen.clear();
        m_zeilen.clear();
        m_rueckgaengig.clear();
        fuellen();
        lblStatus->setText(tr("„%1“ lässt sich nicht lesen: %2").arg(datei, u8(textdatei::satz(e, true))));
        return false;
    }
    if (inhalt != m_gelesen)
        m_rueckgaengig.clear();  // another file, or one changed elsewhere: nothing of ours to undo
    m_gelesen = std::move(inhalt);
    m_zeilen = quadrix::dateizeilen(m_gelesen);
    fuellen();
    return true;
}

int frmFunde::zeileVon(int reihe) const
{
    const QTableWidgetItem* it = reihe >= 0 ? tabFunde->item(reihe, Nr) : nullptr;
    return it ? it->data(Qt::UserRole).toInt() : -1;
}

void frmFunde::fuellen()
{
    m_fuellen = true;
    const int aktuell = zeileVon(tabFunde->currentRow());
    tabFunde->setSortingEnabled(false);
    tabFunde->clearContents();
    tabFunde->setRowCount(static_cast<int>(m_zeilen.size()));
    std::map<std::string, std::size_t> erste;  // area name and code -> the first line with them
    int saetze = 0, fremde = 0, doppelte = 0, abweichend = 0;
    for (std::size_t i = 0; i < m_zeilen.size(); ++i) {
        const fundort::Dateizeile& z = m_zeilen[i];
        const int r = static_cast<int>(i);
        auto* nr = new QTableWidgetItem;
        nr->setData(Qt::DisplayRole, r + 1);
        nr->setData(Qt::UserRole, r);
        nr->setFlags(nr->flags() & ~Qt::ItemIsEditable);
        tabFunde->setItem(r, Nr, nr);
        QString hinweis;
        QColor farbe;
        const fundort::Datensatz& d = z.satz;
        const char sep = z.dezimalzeichen;
        const bool satz = z.art == fundort::Dateizeile::Art::Satz;
        if (satz) {
            ++saetze;
            const QString texte[] = {u8(d.gebiet), u8(d.mtb), u8(d.gradN), u8(d.minN), u8(d.sekN),
                                     u8(d.gradO), u8(d.minO), u8(d.sekO)};
            for (int s = Gebiet; s <= SekO; ++s) {
                auto* it = new QTableWidgetItem(texte[s - Gebiet]);
                if (!feldVon(s))
                    it->setFlags(it->flags() & ~Qt::ItemIsEditable);
                tabFunde->setItem(r, s, it);
            }
            for (auto [s, grad] : {std::pair{Breite, d.breite}, std::pair{Laenge, d.laenge}}) {
                auto* it = new QTableWidgetItem(u8(fundort::formatGrad(grad, sep)));
                it->setFlags(it->flags() & ~Qt::ItemIsEditable);
                tabFunde->setItem(r, s, it);
            }
            const auto [wo, neu] = erste.emplace(d.gebiet + '\t' + d.mtb, i);
            const quadrix::Pruefung p = quadrix::pruefe(d, sep);
            if (p.abweichung == quadrix::Abweichung::Code) {
                ++abweichend;
                hinweis = tr("Der Code passt nicht zur Position: sie ergibt %1.").arg(u8(p.richtig));
                farbe = QColor(255, 205, 210);
            } else if (p.abweichung != quadrix::Abweichung::Keine) {
                ++abweichend;
                hinweis = tr("Die Dezimalgrad passen nicht zu Grad, Minuten und Sekunden.");
                farbe = QColor(255, 205, 210);
            } else if (!neu) {
                ++doppelte;
                hinweis = tr("Doppelt: derselbe Gebietsname und Code wie in Zeile %1.").arg(wo->second + 1);
                farbe = QColor(255, 243, 176);
            }
        } else {
            auto* it = new QTableWidgetItem(z.art == fundort::Dateizeile::Art::Kopf
                                                ? tr("(Kopfzeile)")
                                                : QString::fromStdString(fundort::vonCp1252(z.text)));
            tabFunde->setItem(r, Gebiet, it);
            if (z.art == fundort::Dateizeile::Art::Fremd) {
                ++fremde;
                hinweis = tr("Keine Zeile, die Quadrix schreibt (%1): sie bleibt, wie sie ist.")
                              .arg(QString::fromUtf8(fundort::text(z.mangel)));
                farbe = QColor(224, 224, 224);
            }
            for (int s = Gebiet; s < Hinweis; ++s) {
                if (!tabFunde->item(r, s))
                    tabFunde->setItem(r, s, new QTableWidgetItem);
                tabFunde->item(r, s)->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
        }
        auto* h = new QTableWidgetItem(hinweis);
        h->setFlags(h->flags() & ~Qt::ItemIsEditable);
        h->setToolTip(hinweis);
        tabFunde->setItem(r, Hinweis, h);
        if (farbe.isValid())
            for (int s = 0; s < Spalten; ++s)
                if (QTableWidgetItem* it = tabFunde->item(r, s))
                    it->setBackground(farbe);
    }
    tabFunde->setSortingEnabled(true);
    tabFunde->resizeColumnsToContents();
    for (int r = 0; r < tabFunde->rowCount(); ++r)
        if (zeileVon(r) == aktuell && aktuell >= 0)
            tabFunde->setCurrentCell(r, tabFunde->currentColumn() < 0 ? Gebiet : tabFunde->currentColumn());
    cmdRueckgaengig->setEnabled(!m_rueckgaengig.empty());
    QString text = tr("%n Fund(e)", nullptr, saetze);
    if (doppelte)
        text += tr(", %n doppelt", nullptr, doppelte);
    if (abweichend)
        text += tr(", %n mit einem Code, der nicht zur Position passt", nullptr, abweichend);
    if (fremde)
        text += tr(", %n fremde Zeile(n)", nullptr, fremde);
    lblStatus->setText(text + QLatin1Char('.'));
    m_fuellen = false;
    filtern();
    emit auswahlGeaendert();
}

void frmFunde::filtern()
{
    const QString text = txtFilter->text().trimmed();
    const QString code = txtCodeFilter->text().trimmed();
    for (int r = 0; r < tabFunde->rowCount(); ++r) {
        bool zeigen = true;
        if (!code.isEmpty()) {
            const QTableWidgetItem* it = tabFunde->item(r, Mtb);
            zeigen = it && it->text().startsWith(code);
        }
        if (zeigen && !text.isEmpty()) {
            zeigen = false;
            for (int s = Gebiet; s < Spalten && !zeigen; ++s)
                if (const QTableWidgetItem* it = tabFunde->item(r, s))
                    zeigen = it->text().contains(text, Qt::CaseInsensitive);
        }
        tabFunde->setRowHidden(r, !zeigen);
    }
    emit auswahlGeaendert();
}

std::optional<QPointF> frmFunde::ort(int reihe) const
{
    const int i = zeileVon(reihe);
    if (i < 0 || m_zeilen[static_cast<std::size_t>(i)].art != fundort::Dateizeile::Art::Satz)
        return std::nullopt;
    const fundort::Datensatz& d = m_zeilen[static_cast<std::size_t>(i)].satz;
    double b = d.breite, l = d.laenge;
    if (m_beta && !m_beta->vonPotsdam(b, l))
        return std::nullopt;
    return QPointF(l, b);
}

std::vector<QPointF> frmFunde::gewaehlteOrte() const
{
    std::vector<QPointF> orte;
    for (const QModelIndex& i : tabFunde->selectionModel()->selectedRows())
        if (!tabFunde->isRowHidden(i.row()))
            if (const auto o = ort(i.row()))
                orte.push_back(*o);
    return orte;
}

bool frmFunde::waehleBei(const std::function<double(const QPointF&)>& abstand, double hoechstens)
{
    int beste = -1;
    double kleinster = hoechstens;
    for (int r = 0; r < tabFunde->rowCount(); ++r)
        if (const auto o = ort(r); o && !tabFunde->isRowHidden(r))
            if (const double a = abstand(*o); a <= kleinster) {
                kleinster = a;
                beste = r;
            }
    if (beste < 0)
        return false;
    tabFunde->setCurrentCell(beste, Gebiet);
    tabFunde->scrollToItem(tabFunde->item(beste, Gebiet));
    return true;
}

QString frmFunde::status() const { return lblStatus->text(); }
