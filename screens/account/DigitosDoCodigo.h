// The digit rule of the code fields: the characters of a typed code that have the Unicode
// numeric property, in order; spaces, dashes and letters drop out. A code is ready at exactly
// six of them.
#pragma once

#include <QString>
#include <QStringView>

struct DigitosDoCodigo {
    // What is sent: each digit as its ASCII digit ("٣" and "３" go as "3"); a numeric character
    // without a decimal value ("½") goes as it is, and the server refuses it.
    QString enviados;
    // How many numeric characters were typed.
    qsizetype quantidade = 0;

    [[nodiscard]] bool pronto() const { return quantidade == tamanhoDoCodigo; }

    static constexpr qsizetype tamanhoDoCodigo = 6;
};

[[nodiscard]] DigitosDoCodigo digitosDoCodigo(QStringView codigo);
