// The code grid's list: the store's open codes in the user's order, filtered by the window's
// search text, each with what its card shows at the screens' clock. The listing is read again
// only when the store's items or order change, and each code's secret is prepared once, the
// first time its card asks; a tick of the clock changes only the time-bound roles, so the
// grid's cards stay and only their texts and rings move.
#pragma once

#include "RegrasDoCodigo.h"

#include "core/ConteudoDoItem.h"
#include "kit/ListaPorDiferenca.h"
#include "servicos/CentralDeAvisos.h"
#include "vault/Cofre.h"

#include <QDateTime>
#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

#include <memory>
#include <optional>

class CodigosDaGrade : public ListaPorDiferenca {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(Cofre *cofre READ cofre WRITE definirCofre NOTIFY cofreMudou)
    Q_PROPERTY(QString busca READ busca WRITE definirBusca NOTIFY buscaMudou)
    Q_PROPERTY(QDateTime agora READ agora WRITE definirAgora NOTIFY agoraMudou)
    // The store has no code at all (the illustrated empty state).
    Q_PROPERTY(bool semCodigos READ semCodigos NOTIFY listaMudou)
    // How many codes the search leaves.
    Q_PROPERTY(int quantidade READ quantidade NOTIFY listaMudou)

public:
    enum Papel {
        IdDoItem = Qt::UserRole + 1,
        Titulo,
        Conta,     // the account line; empty when none
        Favorito,
        Icone,     // the chosen logo; empty when none
        Dominios,
        Periodo,   // at least 1
        Codigo,    // digits, empty when it cannot be computed
        CodigoExibido,
        Proximo,   // the next code in the last seconds, else empty
        ProximoExibido,
        Restantes,
        Fracao,
        Acabando,
    };
    Q_ENUM(Papel)

    explicit CodigosDaGrade(QObject *pai = nullptr);
    ~CodigosDaGrade() override;

    [[nodiscard]] Cofre *cofre() const { return cofre_; }
    void definirCofre(Cofre *cofre);
    [[nodiscard]] QString busca() const { return busca_; }
    void definirBusca(const QString &busca);
    [[nodiscard]] QDateTime agora() const { return agora_; }
    void definirAgora(const QDateTime &agora);
    [[nodiscard]] bool semCodigos() const { return todos_.isEmpty(); }
    [[nodiscard]] int quantidade() const { return int(linhas_.size()); }

    [[nodiscard]] int rowCount(const QModelIndex &pai = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &indice, int papel) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    // The ids shown, in order.
    [[nodiscard]] QStringList ids() const;
    // What the card at `linha` shows now.
    [[nodiscard]] RegrasDoCodigo::Momento momento(int linha) const;

    // The card's click: copies its current code and says so; nothing for a code that cannot be
    // computed. Gives whether it copied (the card then flashes).
    Q_INVOKABLE bool copiarAoClicar(int linha, CentralDeAvisos *avisos) const;
    // The context menu's copy; likewise nothing for an empty code.
    Q_INVOKABLE bool copiarDoMenu(int linha, CentralDeAvisos *avisos) const;

signals:
    void cofreMudou();
    void buscaMudou();
    void agoraMudou();
    void listaMudou();

private:
    struct Entrada;

    // The store's listing again, keeping the prepared secrets of codes that did not change.
    void lerCofre();
    // The search over the listing, changing the rows in place where it can.
    void filtrar();
    [[nodiscard]] const Entrada *entrada(int linha) const;

    QPointer<Cofre> cofre_;
    QString busca_;
    QDateTime agora_;
    QList<std::shared_ptr<Entrada>> todos_;
    QList<std::shared_ptr<Entrada>> linhas_;
    QList<QMetaObject::Connection> ligacoes_;
};
