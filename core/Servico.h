// The built-in catalogue of well-known online services that the service icon looks an item's
// issuer, title or site up in, to draw the service with its name and brand colour.
#pragma once

#include <QHashFunctions>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

struct Servico {
    QString id;          // unique; lower-case letters and digits
    QString nome;        // display name as the service writes it
    quint32 cor = 0;     // brand colour as 0xRRGGBB
    QStringList apelidos; // recognition keys: lower-case ASCII letters and digits only

    friend bool operator==(const Servico &, const Servico &) = default;

    // Every entry in its fixed order; built once on first use and never changed.
    [[nodiscard]] static const QList<Servico> &todos();
};

[[nodiscard]] size_t qHash(const Servico &servico, size_t semente = 0) noexcept;
