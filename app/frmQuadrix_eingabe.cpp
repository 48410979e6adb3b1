// The seven entry boxes: select on entry, key filters, checks on leaving.
#include "app/frmQuadrix.h"
#include "records/fundortformat.h"

#include "platform/gui/eingaberegeln.h"
#include "platform/gui/meldungen.h"
#include "platform/gui/textfeld.h"

namespace {

bool zwischen(std::int16_t code, char von, char bis) { return code >= von && code <= bis; }

}  // namespace

void frmQuadrix::waehleTextAus(Textfeld* box)
{
    box->setSelection(0, int(box->text().size()));
}

void frmQuadrix::txtGebiet_GotFocus() { waehleTextAus(txtGebiet); }
void frmQuadrix::txtGradN_GotFocus() { waehleTextAus(txtGradN); }
void frmQuadrix::txtMinN_GotFocus() { waehleTextAus(txtMinN); }
void frmQuadrix::txtSekN_GotFocus() { waehleTextAus(txtSekN); }
void frmQuadrix::txtGradO_GotFocus() { waehleTextAus(txtGradO); }
void frmQuadrix::txtMinO_GotFocus() { waehleTextAus(txtMinO); }
void frmQuadrix::txtSekO_GotFocus() { waehleTextAus(txtSekO); }

void frmQuadrix::NurZiffern(std::int16_t& KeyAscii)
{
    if (!zwischen(KeyAscii, '0', '9'))
        KeyAscii = 0;
}

void frmQuadrix::txtGebiet_KeyPress(std::int16_t& KeyAscii)
{
    // The one rule of the area name's characters (also for names read from
    // GPS files), and Backspace.
    if (KeyAscii == 8 || (KeyAscii > 0 && fundort::gebietZeichen(static_cast<char32_t>(KeyAscii))))
        return;
    KeyAscii = 0;
}

void frmQuadrix::txtGradN_KeyPress(std::int16_t& KeyAscii) { NurZiffern(KeyAscii); }
void frmQuadrix::txtMinN_KeyPress(std::int16_t& KeyAscii) { NurZiffern(KeyAscii); }
void frmQuadrix::txtSekN_KeyPress(std::int16_t& KeyAscii) { NurZiffern(KeyAscii); }
void frmQuadrix::txtGradO_KeyPress(std::int16_t& KeyAscii) { NurZiffern(KeyAscii); }
void frmQuadrix::txtMinO_KeyPress(std::int16_t& KeyAscii) { NurZiffern(KeyAscii); }
void frmQuadrix::txtSekO_KeyPress(std::int16_t& KeyAscii) { NurZiffern(KeyAscii); }

void frmQuadrix::PruefeBereich(bool& Cancel, Textfeld* box, int grenze, const QString& meldung)
{
    const QString fehler = eingaberegeln::bereichsFehler(box->text(), grenze);
    if (fehler.isEmpty())
        return;
    Cancel = true;
    // An empty box is asked for a value; a value out of range gets the box's own message, selected.
    const bool leer = box->text().isEmpty();
    m_plattform.meldungen.zeige(this, leer ? fehler : meldung);
    if (!leer)
        waehleTextAus(box);
}

void frmQuadrix::PruefeMinSek(bool& Cancel, Textfeld* box)
{
    PruefeBereich(Cancel, box, 60, QStringLiteral("Geben Sie einen Wert zwischen 0 und 60 ein!"));
}

void frmQuadrix::txtGradN_Validate(bool& Cancel)
{
    PruefeBereich(Cancel, txtGradN, 90, QStringLiteral("Geben Sie einen Winkel zwischen 0 und 90 Grad ein!"));
}

void frmQuadrix::txtGradO_Validate(bool& Cancel)
{
    PruefeBereich(Cancel, txtGradO, 360, QStringLiteral("Geben Sie einen Winkel zwischen 0 und 360 Grad ein!"));
}

void frmQuadrix::txtMinN_Validate(bool& Cancel) { PruefeMinSek(Cancel, txtMinN); }
void frmQuadrix::txtSekN_Validate(bool& Cancel) { PruefeMinSek(Cancel, txtSekN); }
void frmQuadrix::txtMinO_Validate(bool& Cancel) { PruefeMinSek(Cancel, txtMinO); }
void frmQuadrix::txtSekO_Validate(bool& Cancel) { PruefeMinSek(Cancel, txtSekO); }
