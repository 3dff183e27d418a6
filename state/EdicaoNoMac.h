// Which item the edit sheet works on: a kind and the id of an existing item, or no id for a new
// one. The vault window shows the sheet while the state holds one; clearing it closes the sheet.
#pragma once

#include "core/ConteudoDoItem.h"

#include <QMetaType>
#include <QString>
#include <QVariant>

#include <optional>

struct EdicaoNoMac {
    Q_GADGET
    // "codigo", "senha" or "nota".
    Q_PROPERTY(QString tipo READ nomeDoTipo)
    // The item's id, or undefined for a new item.
    Q_PROPERTY(QVariant item READ itemParaQml)
    // The sheet's identity: the kind, "-" and the item id or "novo".
    Q_PROPERTY(QString id READ id)
public:
    TipoDeItem tipo = TipoDeItem::codigo;
    std::optional<QString> item;

    [[nodiscard]] QString nomeDoTipo() const { return valorBruto(tipo); }
    [[nodiscard]] QVariant itemParaQml() const { return item ? QVariant(*item) : QVariant(); }
    [[nodiscard]] QString id() const
    {
        return valorBruto(tipo) + QLatin1Char('-') + (item ? *item : QStringLiteral("novo"));
    }

    friend bool operator==(const EdicaoNoMac &, const EdicaoNoMac &) = default;
};

Q_DECLARE_METATYPE(EdicaoNoMac)
