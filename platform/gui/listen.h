// The drive, folder and file list controls of the main window.
//
// Each raises its event synchronously, also when program code changes what
// it shows, and only when something changed:
//   LaufwerkListe::Change   another drive became current
//   OrdnerListe::Change     Path changed (user opened a folder, or setPath)
//   DateiListe::Click       the user selected a file (mouse or keyboard)
// Paths use "/" inside, like Qt; the window turns them into native text.
#pragma once

#include <optional>

#include <QComboBox>
#include <QListView>
#include <QListWidget>

class Dateisystem;
class QStringListModel;

// Drives: "/" first, then the other mounted volumes; each entry is the
// designation, optionally followed by " [description]".
class LaufwerkListe : public QComboBox {
    Q_OBJECT
public:
    LaufwerkListe(const Dateisystem& fs, QWidget* eltern = nullptr);

    // The text of the current entry.
    QString drive() const { return currentText(); }
    // Makes the entry with this designation current; unknown designations
    // re-read the drives first. False when there is no such drive.
    bool setDrive(const QString& bezeichnung);

    void showPopup() override;  // re-reads the drives, so a new stick shows up

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

signals:
    void Change();

private:
    void einlesen(const QString& behalten);
    const Dateisystem& m_fs;
    QStringList m_bezeichnungen;
};

// The current folder, its ancestors above it and its subfolders below.
// Double click or Enter opens the folder under the cursor.
class OrdnerListe : public QListWidget {
    Q_OBJECT
public:
    explicit OrdnerListe(QWidget* eltern = nullptr);

    QString path() const { return m_pfad; }
    // Shows the folder and raises Change when it differs from the current
    // one. A folder that cannot be opened changes nothing: false.
    bool setPath(const QString& pfad);
    // The files of the folder just opened, read with its subfolders, for
    // the file list that follows it in the same step (a large folder is
    // read once): taken at most once, and only while Change is raised.
    std::optional<QStringList> nimmDateien();

signals:
    void Change();
    // The user tried to open a folder that cannot be opened.
    void Fehler(const QString& pfad);

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void oeffne(QListWidgetItem* item);
    QString m_pfad;
    QStringList m_gelesen;
    bool m_uebergabe = false;
};

// The files of Path that match Pattern, sorted by name.
class DateiListe : public QListView {
    Q_OBJECT
public:
    explicit DateiListe(QWidget* eltern = nullptr);

    QString path() const { return m_pfad; }
    // dateien: the folder's files where the caller read them already.
    void setPath(const QString& pfad, std::optional<QStringList> dateien = std::nullopt);
    QString pattern() const { return m_muster; }
    void setPattern(const QString& muster);
    // The selected file's name without folder; empty when none is selected.
    QString fileName() const;
    // Selects the file, re-reading the folder when it is not listed yet.
    void setFileName(const QString& name);
    int anzahl() const;

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    void einlesen(std::optional<QStringList> dateien = std::nullopt);
    QStringListModel* m_modell;
    QString m_pfad;
    QString m_muster = QStringLiteral("*");
    bool m_programm = false;
};
