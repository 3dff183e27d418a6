// How many open items each section of a store holds, following the store live (the sidebar's
// rows and the section headers). Unreadable items are in no section.
#pragma once

#include "state/EstadoDoApp.h"
#include "vault/Cofre.h"

#include <QObject>
#include <QPointer>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

class ContagemDoCofre : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(Cofre *cofre READ cofre WRITE definirCofre NOTIFY cofreMudou)
    Q_PROPERTY(int codigos READ codigos NOTIFY contagemMudou)
    Q_PROPERTY(int senhas READ senhas NOTIFY contagemMudou)
    Q_PROPERTY(int notas READ notas NOTIFY contagemMudou)
    // The counts by section raw value, for bindings.
    Q_PROPERTY(QVariantMap totais READ totais NOTIFY contagemMudou)
    // Stored items that do not open with this computer's key.
    Q_PROPERTY(int ilegiveis READ ilegiveis NOTIFY contagemMudou)

public:
    using QObject::QObject;

    [[nodiscard]] Cofre *cofre() const { return cofre_; }
    void definirCofre(Cofre *cofre);
    [[nodiscard]] int codigos() const { return codigos_; }
    [[nodiscard]] int senhas() const { return senhas_; }
    [[nodiscard]] int notas() const { return notas_; }
    [[nodiscard]] int ilegiveis() const { return ilegiveis_; }
    // The count of a section by raw value (none or unknown: the codes).
    [[nodiscard]] QVariantMap totais() const;
    [[nodiscard]] Q_INVOKABLE int total(const QString &secao) const;

signals:
    void cofreMudou();
    void contagemMudou();

private:
    void contar();

    QPointer<Cofre> cofre_;
    QMetaObject::Connection ligacao_;
    QMetaObject::Connection ligacaoDosIlegiveis_;
    int codigos_ = 0;
    int senhas_ = 0;
    int notas_ = 0;
    int ilegiveis_ = 0;
};
