// What the three editors share: the item they work on (found in the open store at that moment,
// or a new one), the content as an ordered JSON object whose other keys survive an edit in place,
// the save and delete flows with their toasts, and the closing of the sheet through the state.
// The QML views bind to the subclasses' fields; every rule lives here.
#pragma once

#include "core/ConteudoDoItem.h"
#include "core/Item.h"
#include "core/ValorJSON.h"
#include "state/EstadoDoApp.h"

#include <QCoro/QCoroTask>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <exception>
#include <optional>

class ModeloDoEditor : public QObject {
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(EstadoDoApp *estado READ estado WRITE definirEstado NOTIFY estadoMudou)
    // The id the sheet was opened with; empty for a new item.
    Q_PROPERTY(QString item READ item WRITE definirItem NOTIFY itemMudou)
    // The id names an open item of the store right now.
    Q_PROPERTY(bool existente READ existente NOTIFY existenteMudou)
    Q_PROPERTY(QString tituloDaFolha READ tituloDaFolha NOTIFY existenteMudou)
    Q_PROPERTY(bool podeSalvar READ podeSalvar NOTIFY dadosMudou)
    Q_PROPERTY(bool salvando READ salvando NOTIFY salvandoMudou)
    // The line under the form; empty when there is none.
    Q_PROPERTY(QString erro READ erro NOTIFY erroMudou)
    Q_PROPERTY(bool favorito READ favorito WRITE definirFavorito NOTIFY dadosMudou)
    // The title the delete question names; empty when there is nothing to delete.
    Q_PROPERTY(QString tituloParaApagar READ tituloParaApagar NOTIFY existenteMudou)

public:
    static constexpr const char *simboloDeSucesso = "checkmark.circle.fill";

    explicit ModeloDoEditor(QObject *pai = nullptr) : QObject(pai) {}

    [[nodiscard]] EstadoDoApp *estado() const { return estado_; }
    void definirEstado(EstadoDoApp *estado);
    [[nodiscard]] QString item() const { return item_; }
    void definirItem(const QString &item);
    [[nodiscard]] bool existente() const { return itemExistente().has_value(); }
    [[nodiscard]] QString tituloDaFolha() const { return existente() ? tituloAoEditar() : tituloNovo(); }
    [[nodiscard]] virtual bool podeSalvar() const = 0;
    [[nodiscard]] bool salvando() const { return salvando_; }
    [[nodiscard]] QString erro() const { return erro_; }
    [[nodiscard]] bool favorito() const { return dados_.booleano(QStringLiteral("favorito")); }
    void definirFavorito(bool valor) { definirValor(QStringLiteral("favorito"), ValorJSON::booleano(valor)); }

    [[nodiscard]] const ObjetoJSON &dados() const { return dados_; }
    // The open item the id names now, when it is of this editor's kind.
    [[nodiscard]] std::optional<ItemAberto> itemExistente() const;

    // Fills the form from the stored item (nothing for a new or vanished one, or another kind).
    Q_INVOKABLE void carregar();
    // Starts a save; the views call it from "Salvar" and Return.
    Q_INVOKABLE void salvar();
    [[nodiscard]] QString tituloParaApagar() const;
    // Deletes the item after the user confirmed.
    Q_INVOKABLE void apagar();
    // Closes the sheet (after a save or delete).
    Q_INVOKABLE void fechar();
    // "Cancelar" and Escape: close the sheet, except while a save runs, whose outcome (the
    // toast, or the message with the typed fields) must still reach the user.
    Q_INVOKABLE void cancelar();

    // The same operations, awaitable (the views start them as detached tasks).
    QCoro::Task<> salvarAgora();
    QCoro::Task<> apagarAgora();

signals:
    void estadoMudou();
    void itemMudou();
    void existenteMudou();
    void dadosMudou();
    void salvandoMudou();
    void erroMudou();

protected:
    [[nodiscard]] virtual TipoDeItem tipo() const = 0;
    [[nodiscard]] virtual QString tituloNovo() const = 0;
    [[nodiscard]] virtual QString tituloAoEditar() const = 0;
    // The toasts: saved over an existing item, added as new, deleted.
    [[nodiscard]] virtual QString textoSalvo() const = 0;
    [[nodiscard]] virtual QString textoAdicionado() const = 0;
    [[nodiscard]] virtual QString textoApagado() const = 0;
    // Settles the working copy before it is sent (may throw to refuse the save).
    virtual void prepararParaSalvar(ObjetoJSON &copia) const = 0;
    // After the stored content replaced the form (the password editor shows its first site).
    virtual void carregado() {}
    // The text under the form for a failed save.
    [[nodiscard]] virtual QString mensagemDaFalha(const std::exception &erro) const;

    void definirValor(const QString &chave, const ValorJSON &valor);
    void definirTexto(const QString &chave, const QString &texto) { definirValor(chave, ValorJSON::texto(texto)); }
    void substituirDados(ObjetoJSON dados);
    void definirSalvando(bool valor);
    void definirErro(const QString &valor);
    void mostrarAviso(const QString &texto) const;
    [[nodiscard]] Cofre *cofre() const { return estado_ ? estado_->cofre() : nullptr; }

    ObjetoJSON dados_;

private:
    void seguirCofre();

    QPointer<EstadoDoApp> estado_;
    QString item_;
    // The revision the form was filled from: a save expects it, so a change another device made
    // meanwhile is refused by the server rather than overwritten.
    std::optional<qint64> revisaoCarregada_;
    bool salvando_ = false;
    QString erro_;
    QMetaObject::Connection conexaoDoCofre_;
    QMetaObject::Connection conexaoDoEstado_;
};

// Trims spaces and tabs only (line breaks stay), as the editors' save tests and title rules do.
[[nodiscard]] QString aparadoDeEspacos(const QString &texto);
