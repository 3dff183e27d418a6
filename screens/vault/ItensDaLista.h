// The list of the password or the note section: the store's open items of that kind in the
// store's order (favourites first, then by title), filtered by the window's search text, each
// with what its row shows. Read again whenever the store's items change, and updated by
// difference so the list keeps its scroll position and its chosen row.
#pragma once

#include "core/Item.h"
#include "kit/ListaPorDiferenca.h"
#include "vault/Cofre.h"

#include <QPointer>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

class ItensDaLista : public ListaPorDiferenca {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(Cofre *cofre READ cofre WRITE definirCofre NOTIFY cofreMudou)
    Q_PROPERTY(QString busca READ busca WRITE definirBusca NOTIFY buscaMudou)
    // "senha" or "nota"; anything else lists nothing.
    Q_PROPERTY(QString tipo READ tipo WRITE definirTipo NOTIFY tipoMudou)
    // The store holds no item of the kind at all, whatever the search (the illustrated empty
    // state).
    Q_PROPERTY(bool semItens READ semItens NOTIFY listaMudou)
    Q_PROPERTY(int quantidade READ quantidade NOTIFY listaMudou)

public:
    enum Papel {
        IdDoItem = Qt::UserRole + 1,
        Titulo,    // the display title
        Subtitulo, // a password's user name, a note's text; empty when absent
        Dominios,  // a password's hosts; empty for a note
    };
    Q_ENUM(Papel)

    using ListaPorDiferenca::ListaPorDiferenca;

    [[nodiscard]] Cofre *cofre() const { return cofre_; }
    void definirCofre(Cofre *cofre);
    [[nodiscard]] QString busca() const { return busca_; }
    void definirBusca(const QString &busca);
    [[nodiscard]] QString tipo() const { return tipo_; }
    void definirTipo(const QString &tipo);
    [[nodiscard]] bool semItens() const { return semItens_; }
    [[nodiscard]] int quantidade() const { return int(linhas_.size()); }

    [[nodiscard]] int rowCount(const QModelIndex &pai = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &indice, int papel) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    // The ids shown, in order.
    [[nodiscard]] Q_INVOKABLE QStringList ids() const;
    // The selection when the list comes on screen: `escolhida` when there is one, else the first
    // item shown, else none (empty).
    [[nodiscard]] Q_INVOKABLE QString escolhaInicial(const QString &escolhida) const;
    // The arrow keys' move: the item `passo` rows from `escolhida`, kept within the list; the
    // first item when `escolhida` is not listed; none when the list is empty.
    [[nodiscard]] Q_INVOKABLE QString vizinho(const QString &escolhida, int passo) const;
    // The row of `id`, or -1.
    [[nodiscard]] Q_INVOKABLE int posicao(const QString &id) const;

    // What the search looks at: a password's stored "titulo" (not the display title), its
    // "usuario" and its sites joined by a space; a note's display title and its "texto".
    [[nodiscard]] static QStringList camposDeBusca(const ItemAberto &item);
    // The row's second line.
    [[nodiscard]] static QString subtitulo(const ItemAberto &item);

signals:
    void cofreMudou();
    void buscaMudou();
    void tipoMudou();
    void listaMudou();

private:
    void ler();

    QPointer<Cofre> cofre_;
    QString busca_;
    QString tipo_;
    bool semItens_ = true;
    QList<ItemAberto> linhas_;
    QMetaObject::Connection ligacao_;
};
