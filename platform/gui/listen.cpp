#include "platform/gui/listen.h"

#include "platform/gui/aussehen.h"
#include "platform/gui/dateisystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QStringListModel>

#include <algorithm>
#include <utility>
#include <vector>

// ---- drives ----

LaufwerkListe::LaufwerkListe(const Dateisystem& fs, QWidget* eltern) : QComboBox(eltern), m_fs(fs)
{
    // A drive list starts at the drive of the process's current folder.
    einlesen(m_fs.laufwerkVon(QDir::currentPath()));
    connect(this, &QComboBox::currentIndexChanged, this, [this] { emit Change(); });
}

void LaufwerkListe::einlesen(const QString& behalten)
{
    const QSignalBlocker still(this);
    clear();
    m_bezeichnungen.clear();
    for (const auto& lw : m_fs.laufwerke()) {
        addItem(lw.eintrag());
        m_bezeichnungen.append(lw.bezeichnung);
    }
    setCurrentIndex(std::max<qsizetype>(0, m_bezeichnungen.indexOf(behalten)));
}

bool LaufwerkListe::setDrive(const QString& bezeichnung)
{
    if (!m_bezeichnungen.contains(bezeichnung))
        einlesen(m_bezeichnungen.value(currentIndex()));
    const auto i = m_bezeichnungen.indexOf(bezeichnung);
    if (i < 0)
        return false;
    setCurrentIndex(int(i));
    return true;
}

void LaufwerkListe::showPopup()
{
    einlesen(m_bezeichnungen.value(currentIndex()));
    QComboBox::showPopup();
}

void LaufwerkListe::keyPressEvent(QKeyEvent* e)
{
    // Stepping through the drives by keyboard (arrows, pages, Home, End, a
    // drive's letter) sees the drives of now: a stick put in after the start too.
    if (e->key() != Qt::Key_Tab && e->key() != Qt::Key_Backtab && !(e->modifiers() & Qt::ControlModifier))
        einlesen(m_bezeichnungen.value(currentIndex()));
    QComboBox::keyPressEvent(e);
}

void LaufwerkListe::wheelEvent(QWheelEvent* e)
{
    einlesen(m_bezeichnungen.value(currentIndex()));
    QComboBox::wheelEvent(e);
}

// ---- folders ----

namespace {

// A name with a line break in it is drawn on one line, the break shown as a
// symbol, so one odd name cannot make every row twice as high.
QString aufEinerZeile(QString text)
{
    // Qt has made a line break a line separator by the time the text is shown.
    for (const char16_t umbruch : {u'\n', u'\r', char16_t(QChar::LineSeparator), char16_t(QChar::ParagraphSeparator)})
        text.replace(QChar(umbruch), QChar(0x21B5));
    return text;
}

class EinzeiligeNamen : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant& wert, const QLocale& locale) const override
    {
        return aufEinerZeile(QStyledItemDelegate::displayText(wert, locale));
    }
};

// Names sorted as the lists show them: without regard to case, names that
// differ only in case in a fixed order. Each name is folded once, not at
// every comparison: a folder may hold a hundred thousand.
void sortiereNamen(QStringList& namen)
{
    std::vector<std::pair<QString, qsizetype>> schluessel;
    schluessel.reserve(namen.size());
    for (qsizetype i = 0; i < namen.size(); ++i)
        schluessel.emplace_back(namen[i].toCaseFolded(), i);
    std::sort(schluessel.begin(), schluessel.end(), [&](const auto& a, const auto& b) {
        if (a.first != b.first)
            return a.first < b.first;
        return namen[a.second] < namen[b.second];
    });
    QStringList sortiert;
    sortiert.reserve(namen.size());
    for (const auto& s : schluessel)
        sortiert.append(std::move(namen[s.second]));
    namen = std::move(sortiert);
}

constexpr int PfadRolle = Qt::UserRole;
constexpr int TiefeRolle = Qt::UserRole + 1;

bool oeffenbar(const QString& pfad)
{
    const QFileInfo fi(pfad);
    return fi.isDir() && fi.isReadable() && fi.isExecutable();
}

// Indents each folder by its depth below the root; the item texts stay the
// bare names, so typing a name finds the folder.
class Einzug final : public EinzeiligeNamen {
public:
    using EinzeiligeNamen::EinzeiligeNamen;
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem o(option);
        o.rect.adjust(schritt(o) * index.data(TiefeRolle).toInt(), 0, 0, 0);
        EinzeiligeNamen::paint(p, o, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return EinzeiligeNamen::sizeHint(option, index) + QSize(schritt(option) * index.data(TiefeRolle).toInt(), 0);
    }

private:
    static int schritt(const QStyleOptionViewItem& o) { return o.fontMetrics.horizontalAdvance(u'x'); }
};

}  // namespace

OrdnerListe::OrdnerListe(QWidget* eltern) : QListWidget(eltern)
{
    setItemDelegate(new Einzug(this));
    // Small folders, as a folder list shows them, whatever size the style prefers.
    setIconSize(QSize(16, 16));
    connect(this, &QListWidget::itemDoubleClicked, this, &OrdnerListe::oeffne);
}

bool OrdnerListe::setPath(const QString& pfad)
{
    const QString neu = QDir::cleanPath(QDir(pfad).absolutePath());
    if (!oeffenbar(neu))
        return false;
    if (neu == m_pfad)
        return true;

    plattform::Ordnerinhalt inhalt = plattform::leseOrdner(neu);
    QStringList& unterordner = inhalt.unterordner;
    sortiereNamen(unterordner);
    m_pfad = neu;

    clear();
    const QIcon offen = ordnerSymbol(true);
    const QIcon zu = ordnerSymbol(false);
    // Ancestors from the root down to the folder itself, one step indented each.
    QStringList kette;
    for (QDir d(neu);; ) {
        kette.prepend(d.absolutePath());
        if (!d.cdUp())
            break;
    }
    int tiefe = 0;
    for (const QString& p : kette) {
        const QString name = QDir(p).isRoot() ? QDir::toNativeSeparators(p) : QFileInfo(p).fileName();
        auto* item = new QListWidgetItem(offen, name, this);
        item->setData(PfadRolle, p);
        item->setData(TiefeRolle, tiefe++);
    }
    const int aktuell = count() - 1;
    for (const QString& u : unterordner) {
        auto* item = new QListWidgetItem(zu, u, this);
        item->setData(PfadRolle, QDir(neu).filePath(u));
        item->setData(TiefeRolle, tiefe);
    }
    setCurrentRow(aktuell);
    m_gelesen = std::move(inhalt.dateien);
    m_uebergabe = true;
    emit Change();
    m_uebergabe = false;
    m_gelesen.clear();
    return true;
}

std::optional<QStringList> OrdnerListe::nimmDateien()
{
    if (!m_uebergabe)
        return std::nullopt;
    m_uebergabe = false;
    return std::move(m_gelesen);
}

void OrdnerListe::oeffne(QListWidgetItem* item)
{
    if (!item)
        return;
    const QString ziel = item->data(PfadRolle).toString();
    if (!setPath(ziel))
        emit Fehler(ziel);
}

void OrdnerListe::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        oeffne(currentItem());
        return e->accept();
    }
    QListWidget::keyPressEvent(e);
}

// ---- files ----

DateiListe::DateiListe(QWidget* eltern) : QListView(eltern), m_modell(new QStringListModel(this))
{
    setModel(m_modell);
    setItemDelegate(new EinzeiligeNamen(this));
    setEditTriggers(NoEditTriggers);
    setUniformItemSizes(true);
    setSelectionMode(SingleSelection);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_programm && selectionModel()->hasSelection())
            emit Click();
    });
}

void DateiListe::setPath(const QString& pfad, std::optional<QStringList> dateien)
{
    const QString neu = QDir::cleanPath(pfad);
    if (neu == m_pfad)
        return;
    m_pfad = neu;
    einlesen(std::move(dateien));
}

void DateiListe::setPattern(const QString& muster)
{
    if (muster == m_muster)
        return;
    m_muster = muster;
    einlesen();
}

namespace {

// "*" and "?" wildcards, compared without regard to case as file names are
// on the platforms the program came from.
bool passt(QStringView name, QStringView muster)
{
    qsizetype n = 0, m = 0, sternM = -1, sternN = 0;
    while (n < name.size()) {
        if (m < muster.size() && (muster[m] == u'?' || muster[m].toCaseFolded() == name[n].toCaseFolded())) {
            ++n;
            ++m;
        } else if (m < muster.size() && muster[m] == u'*') {
            sternM = m++;
            sternN = n;
        } else if (sternM >= 0) {
            m = sternM + 1;
            n = ++sternN;
        } else {
            return false;
        }
    }
    while (m < muster.size() && muster[m] == u'*')
        ++m;
    return m == muster.size();
}

// The files of a folder (and links to files) that match the pattern, sorted
// by name; gelesen: the folder's files where they were read already.
QStringList passendeDateien(const QString& ordner, const QString& muster, std::optional<QStringList> gelesen)
{
    QStringList alle = gelesen ? std::move(*gelesen) : plattform::leseOrdner(ordner).dateien;
    QStringList namen;
    for (QString& name : alle)
        if (passt(name, muster))
            namen.append(std::move(name));
    sortiereNamen(namen);
    return namen;
}

}  // namespace

void DateiListe::einlesen(std::optional<QStringList> dateien)
{
    const QStringList namen = m_pfad.isEmpty() ? QStringList() : passendeDateien(m_pfad, m_muster, std::move(dateien));
    m_programm = true;
    m_modell->setStringList(namen);
    m_programm = false;
}

QString DateiListe::fileName() const
{
    const QModelIndexList sel = selectionModel()->selectedIndexes();
    return sel.isEmpty() ? QString() : sel.first().data().toString();
}

int DateiListe::anzahl() const { return m_modell->rowCount(); }

void DateiListe::setFileName(const QString& name)
{
    if (!m_modell->stringList().contains(name))
        einlesen();
    const auto zeile = m_modell->stringList().indexOf(name);
    m_programm = true;
    if (zeile >= 0) {
        const QModelIndex i = m_modell->index(int(zeile));
        selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
        scrollTo(i);
    }
    m_programm = false;
}

void DateiListe::mousePressEvent(QMouseEvent* e)
{
    const QModelIndex unter = indexAt(e->position().toPoint());
    const bool schonGewaehlt = unter.isValid() && selectionModel()->isSelected(unter);
    QListView::mousePressEvent(e);
    // A click on the entry that is already selected chooses it again.
    if (schonGewaehlt)
        emit Click();
}

void DateiListe::keyPressEvent(QKeyEvent* e)
{
    // Entering the list made the first file current without choosing it:
    // the first Down chooses that file rather than the one after it.
    const QModelIndex aktuell = currentIndex();
    if (e->key() == Qt::Key_Down && e->modifiers() == Qt::NoModifier && aktuell.isValid() &&
        !selectionModel()->isSelected(aktuell)) {
        selectionModel()->setCurrentIndex(aktuell, QItemSelectionModel::ClearAndSelect);
        return e->accept();
    }
    QListView::keyPressEvent(e);
}

void DateiListe::focusInEvent(QFocusEvent* e)
{
    // Entering the list makes its first entry current without choosing it.
    m_programm = true;
    QListView::focusInEvent(e);
    m_programm = false;
}
