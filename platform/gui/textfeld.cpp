#include "platform/gui/textfeld.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QValidator>

namespace {

// Runs inserted text through the box's key filter; the text already in the
// box passed it before, so filtering the whole text drops only what is new.
class Zeichenfilter final : public QValidator {
public:
    Zeichenfilter(std::function<bool(char16_t)> laesstZu, QObject* eltern)
        : QValidator(eltern), m_laesstZu(std::move(laesstZu)) {}

    State validate(QString& text, int& pos) const override
    {
        QString gefiltert;
        gefiltert.reserve(text.size());
        int neuePos = 0;
        for (int i = 0; i < text.size(); ++i) {
            if (m_laesstZu(text[i].unicode())) {
                gefiltert += text[i];
                if (i < pos)
                    ++neuePos;
            }
        }
        text = gefiltert;
        pos = neuePos;
        return Acceptable;
    }

private:
    std::function<bool(char16_t)> m_laesstZu;
};

// Keys that produce a character for KeyPress although Qt gives no printable
// text. Ctrl combinations that edit the text produce control characters as
// on the platform the window comes from (Ctrl+Backspace 127, Ctrl+H 8,
// Ctrl+K 11, Ctrl+U 21, Ctrl+W 23), so the key filter decides on them like
// on Backspace. Keys without a character (Delete, arrows, Home, End) and the
// clipboard, undo and select-all keys stay editing keys.
int steuercode(const QKeyEvent* e)
{
    const bool strg = e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    const bool alt = e->modifiers() & Qt::AltModifier;
    if (strg && !alt) {
        switch (e->key()) {
        case Qt::Key_Backspace: return 127;
        case Qt::Key_H:
        case Qt::Key_K:
        case Qt::Key_U:
        case Qt::Key_W: return e->key() - Qt::Key_A + 1;
        default: return -1;
        }
    }
    switch (e->key()) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    default: return -1;
    }
}

}  // namespace

Textfeld::Textfeld(QWidget* eltern) : QLineEdit(eltern)
{
    setValidator(new Zeichenfilter([this](char16_t z) { return nimmtText(z); }, this));
}

bool Textfeld::nimmtText(char16_t zeichen) const
{
    // Control characters are keys, never text: pasted ones are dropped.
    return zeichen >= 32 && zeichen != 127 && laesstZu(zeichen);
}

bool Textfeld::laesstZu(char16_t zeichen) const
{
    if (!keyPress)
        return true;
    // KeyAscii is a 16-bit signed code; beyond that range nothing is admitted.
    if (zeichen > 0x7FFF)
        return false;
    auto code = static_cast<std::int16_t>(zeichen);
    keyPress(code);
    return code != 0;
}

void Textfeld::keyPressEvent(QKeyEvent* e)
{
    if (e->matches(QKeySequence::Paste)) {
        einfuegenText(QGuiApplication::clipboard()->text());
        return e->accept();
    }
    const bool kuerzel = e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (const int code = steuercode(e); code >= 0) {
        if (!laesstZu(static_cast<char16_t>(code)))
            return e->accept();
        return QLineEdit::keyPressEvent(e);
    }
    const QString text = e->text();
    if (kuerzel || text.isEmpty() || e->key() == Qt::Key_Delete || text.front().unicode() < 32 ||
        text.front().unicode() == 127)
        return QLineEdit::keyPressEvent(e);  // editing keys and shortcuts (Delete, arrows, Ctrl+C ...)

    QString angenommen;
    for (QChar z : text)
        if (laesstZu(z.unicode()))
            angenommen += z;
    if (angenommen == text)
        return QLineEdit::keyPressEvent(e);
    if (!angenommen.isEmpty())
        insert(angenommen);
    e->accept();
}

void Textfeld::einfuegenText(const QString& text)
{
    if (isReadOnly() || angeboten(text))
        return;
    QString gefiltert;
    for (QChar z : text)
        if (nimmtText(z.unicode()))
            gefiltert += z;
    if (!gefiltert.isEmpty())
        insert(gefiltert);
}

void Textfeld::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    // Coming back from a message box or another window is no entry into the box.
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason)
        return;
    m_mausFokus = e->reason() == Qt::MouseFocusReason;
    if (gotFocus)
        gotFocus();
}

void Textfeld::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu* menue = createStandardContextMenu();
    // "Einfügen" offers the clipboard first, like Ctrl+V.
    const QString menuetext = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction* a : menue->actions()) {
        if (a->objectName() == QLatin1String("edit-paste") || a->text().section(u'\t', 0, 0) == menuetext) {
            disconnect(a, &QAction::triggered, nullptr, nullptr);
            connect(a, &QAction::triggered, this, [this] { einfuegenText(QGuiApplication::clipboard()->text()); });
        }
    }
    menue->setAttribute(Qt::WA_DeleteOnClose);
    menue->popup(e->globalPos());
}

void Textfeld::dropEvent(QDropEvent* e)
{
    if (e->mimeData()->hasText() && angeboten(e->mimeData()->text())) {
        e->acceptProposedAction();
        return;
    }
    QLineEdit::dropEvent(e);
}

void Textfeld::mouseReleaseEvent(QMouseEvent* e)
{
    // The middle button pastes the selection where the window system has one.
    if (e->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection() && !isReadOnly()) {
        deselect();
        einfuegenText(QGuiApplication::clipboard()->text(QClipboard::Selection));
        return e->accept();
    }
    QLineEdit::mouseReleaseEvent(e);
    // The press that brought the focus placed the cursor; entering still selects
    // the whole text unless the user dragged a selection of his own.
    if (m_mausFokus && !hasSelectedText() && gotFocus)
        gotFocus();
    m_mausFokus = false;
}
