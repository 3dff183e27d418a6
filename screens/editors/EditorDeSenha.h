// The website-password editor: name, site, user, password (typed or generated with the user's
// settings, with its strength label), notes and the favourite flag. The site is joined into the
// item's site list and a blank name settled from it only when saving.
#pragma once

#include "ModeloDoEditor.h"

class ModeloDoEditorDeSenha : public ModeloDoEditor {
    Q_OBJECT
    QML_NAMED_ELEMENT(ModeloDoEditorDeSenha)
    Q_PROPERTY(QString titulo READ titulo WRITE definirTitulo NOTIFY dadosMudou)
    Q_PROPERTY(QString usuario READ usuario WRITE definirUsuario NOTIFY dadosMudou)
    Q_PROPERTY(QString senha READ senha WRITE definirSenha NOTIFY dadosMudou)
    Q_PROPERTY(QString notas READ notas WRITE definirNotas NOTIFY dadosMudou)
    // The "Site" field: view state, written into the item only by a save.
    Q_PROPERTY(QString site READ site WRITE definirSite NOTIFY siteMudou)
    Q_PROPERTY(bool mostrar READ mostrar WRITE definirMostrar NOTIFY mostrarMudou)
    // "Força: " and the level's label; empty while the password is empty.
    Q_PROPERTY(QString forca READ forca NOTIFY dadosMudou)

public:
    explicit ModeloDoEditorDeSenha(QObject *pai = nullptr);

    [[nodiscard]] bool podeSalvar() const override;

    [[nodiscard]] QString titulo() const { return dados_.texto(QStringLiteral("titulo")); }
    void definirTitulo(const QString &valor) { definirTexto(QStringLiteral("titulo"), valor); }
    [[nodiscard]] QString usuario() const { return dados_.texto(QStringLiteral("usuario")); }
    void definirUsuario(const QString &valor) { definirTexto(QStringLiteral("usuario"), valor); }
    [[nodiscard]] QString senha() const { return dados_.texto(QStringLiteral("senha")); }
    void definirSenha(const QString &valor) { definirTexto(QStringLiteral("senha"), valor); }
    [[nodiscard]] QString notas() const { return dados_.texto(QStringLiteral("notas")); }
    void definirNotas(const QString &valor) { definirTexto(QStringLiteral("notas"), valor); }
    [[nodiscard]] QString site() const { return site_; }
    void definirSite(const QString &valor);
    [[nodiscard]] bool mostrar() const { return mostrar_; }
    void definirMostrar(bool valor);
    [[nodiscard]] QString forca() const;

    // Replaces the password with a new one made with the user's generator settings, shown in clear.
    Q_INVOKABLE void gerarSenhaForte();

    // The site list a save stores: the typed site (trimmed) in place of the first entry, empty
    // entries dropped; and the title a blank name becomes.
    [[nodiscard]] static QList<QString> sitesAoSalvar(const QList<QString> &atuais, const QString &siteDigitado);
    [[nodiscard]] static QString tituloDoSite(const QString &siteDigitado);

signals:
    void siteMudou();
    void mostrarMudou();

protected:
    [[nodiscard]] TipoDeItem tipo() const override { return TipoDeItem::senha; }
    [[nodiscard]] QString tituloNovo() const override { return QStringLiteral("Nova senha"); }
    [[nodiscard]] QString tituloAoEditar() const override { return QStringLiteral("Editar senha"); }
    [[nodiscard]] QString textoSalvo() const override { return QStringLiteral("Senha salva"); }
    [[nodiscard]] QString textoAdicionado() const override { return QStringLiteral("Senha guardada"); }
    [[nodiscard]] QString textoApagado() const override { return QStringLiteral("Senha apagada"); }
    void prepararParaSalvar(ObjetoJSON &copia) const override;
    void carregado() override;

private:
    QString site_;
    bool mostrar_ = false;
};
