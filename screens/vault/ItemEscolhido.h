// The item a password or note detail shows, read from the store by id: its texts, a password's
// hosts, sites and attached code. It follows the store, so a saved, deleted or synced item shows
// at once; an id the store does not find, or an item of another kind, reads as absent.
#pragma once

#include "core/ConteudoDoItem.h"
#include "core/Totp.h"
#include "vault/Cofre.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

#include <memory>
#include <optional>

class ItemEscolhido : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(Cofre *cofre READ cofre WRITE definirCofre NOTIFY cofreMudou)
    Q_PROPERTY(QString idDoItem READ idDoItem WRITE definirIdDoItem NOTIFY idDoItemMudou)
    // "senha" or "nota": the kind the detail shows.
    Q_PROPERTY(QString tipo READ tipo WRITE definirTipo NOTIFY tipoMudou)
    Q_PROPERTY(bool existe READ existe NOTIFY itemMudou)
    Q_PROPERTY(QString titulo READ titulo NOTIFY itemMudou)
    // A password's "usuario", "senha" and "notas"; a note's "texto". Empty when absent.
    Q_PROPERTY(QString usuario READ usuario NOTIFY itemMudou)
    Q_PROPERTY(QString senha READ senha NOTIFY itemMudou)
    Q_PROPERTY(QString notas READ notas NOTIFY itemMudou)
    Q_PROPERTY(QString texto READ texto NOTIFY itemMudou)
    Q_PROPERTY(QStringList dominios READ dominios NOTIFY itemMudou)
    // The site rows, as RegrasDasSenhas::linhasDosSites gives them.
    Q_PROPERTY(QVariantList sites READ sites NOTIFY itemMudou)
    Q_PROPERTY(bool temCodigo READ temCodigo NOTIFY itemMudou)

public:
    explicit ItemEscolhido(QObject *pai = nullptr);
    ~ItemEscolhido() override;

    [[nodiscard]] Cofre *cofre() const { return cofre_; }
    void definirCofre(Cofre *cofre);
    [[nodiscard]] QString idDoItem() const { return id_; }
    void definirIdDoItem(const QString &id);
    [[nodiscard]] QString tipo() const { return tipo_; }
    void definirTipo(const QString &tipo);

    [[nodiscard]] bool existe() const { return item_.has_value(); }
    [[nodiscard]] QString titulo() const;
    [[nodiscard]] QString usuario() const { return textoDaSenha(QStringLiteral("usuario")); }
    [[nodiscard]] QString senha() const { return textoDaSenha(QStringLiteral("senha")); }
    [[nodiscard]] QString notas() const { return textoDaSenha(QStringLiteral("notas")); }
    [[nodiscard]] QString texto() const;
    [[nodiscard]] QStringList dominios() const;
    [[nodiscard]] QVariantList sites() const;
    [[nodiscard]] bool temCodigo() const { return codigo_.has_value(); }

    // The attached code at `agora` as bare digits (what a copy puts on the clipboard); empty
    // without a code or when it cannot be computed (a secret that is not base32, digits out of
    // range).
    [[nodiscard]] Q_INVOKABLE QString codigo(const QDateTime &agora) const;
    // The same code as it is shown ("123 456").
    [[nodiscard]] Q_INVOKABLE QString codigoExibido(const QDateTime &agora) const;

signals:
    void cofreMudou();
    void idDoItemMudou();
    void tipoMudou();
    void itemMudou();

private:
    void ler();
    [[nodiscard]] QString textoDaSenha(const QString &chave) const;

    QPointer<Cofre> cofre_;
    QString id_;
    QString tipo_;
    std::optional<ItemAberto> item_;
    std::optional<CodigoDaSenha> codigo_;
    // Prepared once per attached code; null when its secret does not decode.
    mutable std::optional<std::unique_ptr<GeradorDeCodigos>> gerador_;
    QMetaObject::Connection ligacao_;
};
