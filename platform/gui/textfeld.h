// A single-line text box with the events the program's forms handle:
// GotFocus (also when entered by a mouse click) and KeyPress with a
// replaceable character code, where code 0 drops the keystroke. Text that
// arrives other than by typing (paste, drag and drop, input methods) passes
// the same key filter character by character, so a box never holds a
// character its filter refuses.
#pragma once

#include <QLineEdit>

#include <cstdint>
#include <functional>

class Textfeld : public QLineEdit {
    Q_OBJECT
public:
    explicit Textfeld(QWidget* eltern = nullptr);

    std::function<void()> gotFocus;
    std::function<void(std::int16_t& KeyAscii)> keyPress;
    // Text that arrives by the clipboard (Ctrl+V, Shift+Insert, the context
    // menu, the middle mouse button) or by drop is offered here first; true
    // takes it whole, false lets it in through the key filter as usual.
    std::function<bool(const QString& text)> einfuegen;

    // Forgets the handlers: a form calls this as it goes, because Qt still
    // sends focus and validation to the box while the form is half gone.
    void loesen()
    {
        gotFocus = nullptr;
        keyPress = nullptr;
        einfuegen = nullptr;
    }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    bool angeboten(const QString& text) { return einfuegen && !isReadOnly() && einfuegen(text); }
    // A paste by clipboard or selection: offered first, else what the key
    // filter lets through; nothing at all when it lets nothing through, so
    // a selected text is not replaced by nothing.
    void einfuegenText(const QString& text);
    bool laesstZu(char16_t zeichen) const;
    bool nimmtText(char16_t zeichen) const;
    bool m_mausFokus = false;
};
