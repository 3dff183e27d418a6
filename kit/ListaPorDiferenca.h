// A list model whose rows follow each new listing by difference: rows that go are removed, rows
// that come are inserted, rows that stay keep their delegates (moved when their place changed,
// told of a change when their content did). Views then keep their scroll position and their
// chosen row across a save or a sync, where a reset would throw them back to the top.
#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

#include <optional>

class ListaPorDiferenca : public QAbstractListModel {
    Q_OBJECT
    QML_ANONYMOUS

public:
    using QAbstractListModel::QAbstractListModel;

    // One step on the current rows, applied in order. `remover`: rows de..ate. `mover`: row de
    // to index para (counted after the move). `inserir`: the new listing's rows de..ate at
    // those same indices.
    struct Passo {
        enum class Tipo { remover, mover, inserir };
        Tipo tipo;
        int de;
        int ate;
        int para;

        friend bool operator==(const Passo &, const Passo &) = default;
    };

    // The steps that turn rows keyed `atuais` into rows keyed `novas`, moving as few rows as
    // can be; none (a reset) when a key repeats or when so many rows would move that no place
    // is worth keeping.
    [[nodiscard]] static std::optional<QList<Passo>> passos(const QStringList &atuais, const QStringList &novas);

    // More moves than this reset the list instead.
    static constexpr int maximoDeMovimentos = 64;

protected:
    // Replaces `linhas` by `novas` with the steps above, then tells the views of every kept row
    // whose content `iguais` finds changed (in `papeis`, all roles when empty).
    template <typename T, typename Chave, typename Iguais>
    void trocarLinhas(QList<T> &linhas, const QList<T> &novas, Chave chave, Iguais iguais,
                      const QList<int> &papeis = {});
};

template <typename T, typename Chave, typename Iguais>
void ListaPorDiferenca::trocarLinhas(QList<T> &linhas, const QList<T> &novas, Chave chave, Iguais iguais,
                                     const QList<int> &papeis)
{
    QStringList atuais;
    atuais.reserve(linhas.size());
    for (const T &linha : std::as_const(linhas))
        atuais.append(chave(linha));
    QStringList futuras;
    futuras.reserve(novas.size());
    for (const T &linha : novas)
        futuras.append(chave(linha));
    const std::optional<QList<Passo>> lista = passos(atuais, futuras);
    if (!lista) {
        beginResetModel();
        linhas = novas;
        endResetModel();
        return;
    }
    for (const Passo &p : *lista) {
        switch (p.tipo) {
        case Passo::Tipo::remover:
            beginRemoveRows({}, p.de, p.ate);
            linhas.remove(p.de, p.ate - p.de + 1);
            endRemoveRows();
            break;
        case Passo::Tipo::mover:
            // Qt names the destination as the row it goes before, counted before the move.
            beginMoveRows({}, p.de, p.de, {}, p.para > p.de ? p.para + 1 : p.para);
            linhas.move(p.de, p.para);
            endMoveRows();
            break;
        case Passo::Tipo::inserir:
            beginInsertRows({}, p.de, p.ate);
            for (int j = p.de; j <= p.ate; ++j)
                linhas.insert(j, novas.at(j));
            endInsertRows();
            break;
        }
    }
    // Every key now sits at its new index: take the new contents, telling of those that differ.
    const int n = int(novas.size());
    for (int i = 0; i < n;) {
        if (iguais(linhas.at(i), novas.at(i))) {
            linhas[i] = novas.at(i);
            ++i;
            continue;
        }
        int fim = i;
        while (fim < n && !iguais(linhas.at(fim), novas.at(fim))) {
            linhas[fim] = novas.at(fim);
            ++fim;
        }
        emit dataChanged(index(i), index(fim - 1), papeis);
        i = fim;
    }
}
