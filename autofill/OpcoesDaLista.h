// The option list's rows for the extension's screen: the options of the requested site, then
// the others, for the current search, with the sections' headers, the hint and the notice that
// go with them. Rows follow the search and the model by difference, so only the rows in view
// are built and a keystroke touches only the rows that come or go; a tick of the clock changes
// only the live codes of the rows built.
#pragma once

#include "autofill/ModeloDoPreenchimento.h"
#include "kit/ListaPorDiferenca.h"

#include <QDateTime>
#include <QPointer>
#include <QVariant>
#include <QtQml/qqmlregistration.h>

#include <memory>

class OpcoesDaLista : public ListaPorDiferenca {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(ModeloDoPreenchimento *modelo READ modelo WRITE definirModelo NOTIFY modeloMudou)
    Q_PROPERTY(QString busca READ busca WRITE definirBusca NOTIFY buscaMudou)
    Q_PROPERTY(QDateTime agora READ agora WRITE definirAgora NOTIFY agoraMudou)
    // Upper-cased headers; empty when their section is not shown.
    Q_PROPERTY(QString cabecalhoDeCasam READ cabecalhoDeCasam NOTIFY listaMudou)
    Q_PROPERTY(QString cabecalhoDeOutras READ cabecalhoDeOutras NOTIFY listaMudou)
    // In a code request with no code of the site: which code to choose; else empty.
    Q_PROPERTY(QString dica READ dica NOTIFY listaMudou)
    // {simbolo, titulo, texto} when nothing is listed, else undefined.
    Q_PROPERTY(QVariant aviso READ aviso NOTIFY listaMudou)
    // The footer's button in a password request; empty in a code request.
    Q_PROPERTY(QString rodape READ rodape NOTIFY listaMudou)
    // The rows' tooltip.
    Q_PROPERTY(QString dicaDaLinha READ dicaDaLinha NOTIFY listaMudou)
    Q_PROPERTY(int quantidade READ quantidade NOTIFY listaMudou)

public:
    enum Papel {
        IdDoItem = Qt::UserRole + 1,
        Titulo,
        Usuario,
        Dominios,
        Secao,  // "casam" or "outras"
        Codigo, // the live code grouped for display; empty in a password request or when none
    };
    Q_ENUM(Papel)

    explicit OpcoesDaLista(QObject *pai = nullptr);
    ~OpcoesDaLista() override;

    [[nodiscard]] ModeloDoPreenchimento *modelo() const { return modelo_; }
    void definirModelo(ModeloDoPreenchimento *modelo);
    [[nodiscard]] QString busca() const { return busca_; }
    void definirBusca(const QString &busca);
    [[nodiscard]] QDateTime agora() const { return agora_; }
    void definirAgora(const QDateTime &agora);

    [[nodiscard]] QString cabecalhoDeCasam() const;
    [[nodiscard]] QString cabecalhoDeOutras() const;
    [[nodiscard]] QString dica() const;
    [[nodiscard]] QVariant aviso() const;
    [[nodiscard]] QString rodape() const;
    [[nodiscard]] QString dicaDaLinha() const;
    [[nodiscard]] int quantidade() const { return int(linhas_.size()); }

    [[nodiscard]] int rowCount(const QModelIndex &pai = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &indice, int papel) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    // The ids listed, in order.
    [[nodiscard]] QStringList ids() const;

signals:
    void modeloMudou();
    void buscaMudou();
    void agoraMudou();
    void listaMudou();

private:
    struct Entrada;

    // The model's options again (new options, mode or sites).
    void lerModelo();
    // The search over them.
    void filtrar();

    QPointer<ModeloDoPreenchimento> modelo_;
    QString busca_;
    QDateTime agora_;
    QList<std::shared_ptr<Entrada>> todas_; // one per option of the model, in its order
    QList<std::shared_ptr<Entrada>> linhas_;
    int casam_ = 0;  // how many of the rows are of the requested site (they come first)
    int outras_ = 0;
    QList<QMetaObject::Connection> ligacoes_;
};
