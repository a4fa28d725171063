#pragma once

// The remembered input values of the main window, in the order they are loaded
// and saved: each slider before its numeric field, so a field whose stored value
// equals what its slider has just set causes no further change.
//
// A template over the window type keeps the shell free of the window layer;
// the window instantiates it with itself. The window needs the controls
// trkMinPmtPct, trkAPR, trkBalance (position()/setPosition(int)),
// edtMinPmtPct, edtAPR, edtBalance (value()/setValue(long double)) and
// rgpExtraMoney (itemIndex()/setItemIndex(int)); each setter must act as a
// change made by the program (a slider's field follows, a field runs its range
// check and recalculation, the extra-money choice recalculates).

#include "propertystore.h"

template <class Window>
void AddMinPmtProperties(PropertyStore &store, Window &w)
{
    auto slider = [&](const char *key, auto member, int min, int max) {
        store.addInteger(
            QString::fromLatin1(key), [&w, member] { return (w.*member)->position(); },
            [&w, member](int v) { (w.*member)->setPosition(v); }, min, max);
    };
    auto field = [&](const char *key, auto member) {
        store.addDecimal(
            QString::fromLatin1(key), [&w, member] { return (long double)(w.*member)->value(); },
            [&w, member](long double v) { (w.*member)->setValue(v); });
    };
    slider("trkMinPmtPct.Position", &Window::trkMinPmtPct, 0, 120);
    field("edtMinPmtPct.Value", &Window::edtMinPmtPct);
    slider("trkAPR.Position", &Window::trkAPR, 0, 3600);
    field("edtAPR.Value", &Window::edtAPR);
    slider("trkBalance.Position", &Window::trkBalance, 0, 50000);
    field("edtBalance.Value", &Window::edtBalance);
    store.addInteger(
        QStringLiteral("rgpExtraMoney.ItemIndex"), [&w] { return w.rgpExtraMoney->itemIndex(); },
        [&w](int v) { w.rgpExtraMoney->setItemIndex(v); }, -1, 7);
}
