// The texts that, on the Mac, name the machine, its Touch ID, its settings or Safari as its
// browser, and the words this build shows instead: the same thing said of this computer in the
// same style. One table, so every such text is found in one place. Texts about the product's
// other apps ("No iPhone, iPad, Mac e Apple Watch") are not in it and stay as they are.
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

struct TextoAdaptado {
    QString doMac;       // as written for the Mac
    QString doComputador; // as shown here
};

// Every adapted text, in the order of the table.
[[nodiscard]] const QList<TextoAdaptado> &textosAdaptados();

// The text shown here for `doMac`; a text that is not in the table is returned unchanged (and
// logged, since a caller asked for an adaptation that was never written).
[[nodiscard]] QString noComputador(QStringView doMac);
